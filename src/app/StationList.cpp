// SPDX-License-Identifier: MIT
#include "StationList.h"

#include <QStringList>

using namespace Qt::StringLiterals;

void split_stations(const QString &stations, StationList &list)
{
    if (stations.isEmpty()) {
        return;
    }
    list.assign(1, station_entry{});
    bool firstTaken = false;
    const QStringList parts = stations.split(u';');
    for (const QString &part : parts) {
        QString name = trim_blanks(part);
        // Before lower-casing on purpose: capital umlauts stay umlauts.
        replace_text(name, u"ö"_s, u"oe"_s);
        replace_text(name, u"ä"_s, u"ae"_s);
        replace_text(name, u"ü"_s, u"ue"_s);
        if (name.isEmpty()) {
            continue;
        }
        if (firstTaken) {
            list.emplace_back();
        }
        firstTaken = true;
        list.back() = station_entry{};
        list.back().name = lower_case(name);
    }
}

QString replace_text(QString &text, const QString &search, const QString &replacement)
{
    if (!search.isEmpty()) {
        text.replace(search, replacement, Qt::CaseSensitive);
    }
    return text;
}

qint32 count_text(QStringView text, QStringView search, Qt::CaseSensitivity mode)
{
    if (search.isEmpty()) {
        return -1;
    }
    qint32 hits = 0;
    for (qsizetype at = text.indexOf(search, 0, mode); at >= 0;
         at = text.indexOf(search, at + 1, mode)) {
        ++hits;
    }
    return hits;
}

namespace {

const station_entry *findStation(const StationList &list, const QString &name)
{
    const QString wanted = lower_case(name);
    for (const station_entry &s : list) {
        if (lower_case(s.name) == wanted) {
            return &s;
        }
    }
    return nullptr;
}

} // namespace

qint32 station_max(const StationList &list, const QString &name)
{
    const station_entry *s = findStation(list, name);
    return s ? s->max_listeners : 0;
}

qint32 station_min(const StationList &list, const QString &name)
{
    const station_entry *s = findStation(list, name);
    return s ? s->min_listeners : 0;
}
