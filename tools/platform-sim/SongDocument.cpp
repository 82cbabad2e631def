// SPDX-License-Identifier: MIT
#include "SongDocument.h"

#include <QHashFunctions>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

constexpr int kShortestSong = 150; // seconds
constexpr int kDurationSpread = 150;

QString slug(const QString &text)
{
    QString out;
    for (const QChar c : text.toLower()) {
        if (c.isLetterOrNumber() && c.unicode() < 0x80) {
            out += c;
        } else if (!out.endsWith(u'-')) {
            out += u'-';
        }
    }
    return out;
}

} // namespace

int SongDocument::duration() const
{
    // Varies from song to song but stays the same for one id.
    const qint64 spread = std::abs(static_cast<qint64>(id) * 37) % kDurationSpread;
    return kShortestSong + static_cast<int>(spread);
}

QByteArray SongDocument::toJson() const
{
    // A fixed seed keeps the artist id the same from run to run.
    const auto artistId = static_cast<qint64>(qHash(artist, 0) % 1000000);
    const QString artistUrl = u"https://music.example.com/artist/"_s + slug(artist);
    const QString coverUrl =
        u"https://images.example.com/covers/"_s + QString::number(id) + u".jpg"_s;
    const QJsonObject artistObject{
        {u"name"_s, artist},
        {u"id"_s, artistId},
        {u"url"_s, artistUrl},
    };
    const QJsonObject document{
        {u"id"_s, id},
        {u"title"_s, title},
        {u"artist"_s, artistObject},
        {u"album"_s, album},
        {u"duration"_s, duration()},
        {u"started_at"_s, startedAt.toUTC().toString(Qt::ISODate)},
        {u"cover_url"_s, coverUrl},
        {u"station"_s, QJsonObject{{u"name"_s, station}}},
        {u"explicit"_s, false},
    };
    return escapeNonAscii(
        QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Compact)));
}

QByteArray SongDocument::escapeNonAscii(const QString &json)
{
    QByteArray out;
    out.reserve(json.size());
    for (const QChar c : json) {
        if (c.unicode() < 0x80) {
            out += static_cast<char>(c.unicode());
        } else {
            const int unit = c.unicode();
            out += "\\u" + QByteArray::number(unit, 16).rightJustified(4, '0');
        }
    }
    return out;
}
