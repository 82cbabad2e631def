// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

// The current-song step of one station's poll: turns the station's current-song
// document into its new song id and, when the song changed, writes the line of its
// title file. The poll fetches the documents (only while title files are on) and
// calls this once per station, in station list order.
class SongTracker
{
public:
    virtual ~SongTracker() = default;
    // station: the name in lower case; answer: the listener answer as shown;
    // document: the bytes of the current-song answer, "" when the download failed.
    virtual qint32 get_current_song(const QString &station, qint32 lastSongId,
                                    const QString &answer, const QByteArray &document) = 0;
};

// Writes nothing and keeps every song id at 0, for set-ups that measure the poll alone.
class NoSongTracker final : public SongTracker
{
public:
    qint32 get_current_song(const QString &, qint32, const QString &, const QByteArray &) override
    {
        return 0;
    }
};
