// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <functional>

// The current-song step of every station's poll: learns the station's song id and,
// when title files are on and the song changed, writes its line. Asynchronous:
// done receives the new song id later (0 when title files are off or nothing
// usable came back).
class SongTracker
{
public:
    using Done = std::function<void(qint32 songId)>;

    virtual ~SongTracker() = default;
    virtual void get_current_song(const QString &station, qint32 lastSongId, const QString &answer,
                                  Done done) = 0;
    // Forgets every unfinished step; their done never runs.
    virtual void cancelAll() = 0;
};

// Title files switched off: every station's song id is 0, nothing is fetched.
class NoSongTracker final : public SongTracker
{
public:
    void get_current_song(const QString &, qint32, const QString &, Done done) override { done(0); }
    void cancelAll() override {}
};
