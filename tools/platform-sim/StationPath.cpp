// SPDX-License-Identifier: MIT
#include "StationPath.h"

#include <QByteArray>
#include <QList>

namespace {

// A proxy-style request carries "http://host:port" before the path.
QByteArrayView stripAuthority(QByteArrayView target)
{
    const qsizetype scheme = target.indexOf("://");
    if (scheme < 0 || target.startsWith('/')) {
        return target;
    }
    const qsizetype path = target.indexOf('/', scheme + 3);
    return path < 0 ? QByteArrayView("/") : target.sliced(path);
}

QByteArrayView stripQuery(QByteArrayView target)
{
    const qsizetype query = target.indexOf('?');
    const qsizetype fragment = target.indexOf('#');
    qsizetype end = target.size();
    if (query >= 0) {
        end = query;
    }
    if (fragment >= 0 && fragment < end) {
        end = fragment;
    }
    return target.first(end);
}

} // namespace

StationPath StationPath::parse(QByteArrayView target)
{
    const QByteArrayView path = stripQuery(stripAuthority(target));
    const QList<QByteArray> segments = path.toByteArray().split('/');
    if (segments.size() != 4 || !segments[0].isEmpty() || segments[1] != "station" ||
        segments[2].isEmpty()) {
        return {};
    }
    StationPath result;
    if (segments[3] == "listeners") {
        result.document = Document::Listeners;
    } else if (segments[3] == "current_song") {
        result.document = Document::CurrentSong;
    } else {
        return {};
    }
    result.station = QString::fromUtf8(QByteArray::fromPercentEncoding(segments[2]));
    if (result.station.isEmpty()) {
        return {};
    }
    return result;
}
