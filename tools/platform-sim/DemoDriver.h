// SPDX-License-Identifier: MIT
#pragma once

#include "SongCatalogue.h"

#include <QDeadlineTimer>
#include <QHash>
#include <QObject>
#include <QTimer>

class StationBook;

// Keeps the simulated platform alive for the demo: every few seconds each station's
// listener count drifts a little, and every 20 to 60 seconds its song changes to a new
// one with a higher id, so a one-minute poll finds a new song most of the time.
// Whatever was scripted is the starting point.
class DemoDriver : public QObject
{
    Q_OBJECT

public:
    static constexpr int kDriftIntervalMs = 4000;
    static constexpr int kShortestSongMs = 20 * 1000;
    static constexpr int kLongestSongMs = 60 * 1000;

    DemoDriver(StationBook &book, QObject *parent = nullptr);

    void setRunning(bool on);
    bool isRunning() const { return m_timer.isActive(); }
    // Gives the station a plausible count and song unless it has its own already.
    void seed(const QString &station);

private:
    void tick();
    void drift(const QString &station);
    void changeSong(const QString &station);
    QDeadlineTimer nextSongChange();

    StationBook &m_book;
    SongCatalogue m_songs;
    QRandomGenerator m_random;
    QTimer m_timer;
    QHash<QString, QDeadlineTimer> m_songEnds;
    int m_lastSongId;
};
