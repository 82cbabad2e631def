// SPDX-License-Identifier: MIT
#include "DemoDriver.h"

#include "StationBook.h"

#include <algorithm>

namespace {

constexpr int kFewestListeners = 20;
constexpr int kMostListeners = 300;
constexpr int kFirstSongId = 100000;

} // namespace

DemoDriver::DemoDriver(StationBook &book, QObject *parent)
    : QObject(parent), m_book(book), m_random(QRandomGenerator::global()->generate()),
      m_lastSongId(kFirstSongId + m_random.bounded(50000))
{
    connect(&m_timer, &QTimer::timeout, this, &DemoDriver::tick);
}

void DemoDriver::setRunning(bool on)
{
    if (on) {
        m_timer.start(kDriftIntervalMs);
    } else {
        m_timer.stop();
    }
}

void DemoDriver::seed(const QString &station)
{
    if (!m_book.hasListenerReply(station)) {
        m_book.setCount(station, m_random.bounded(kFewestListeners, kMostListeners + 1));
    }
    if (!m_book.hasSongReply(station)) {
        changeSong(station);
    }
}

void DemoDriver::tick()
{
    const QStringList stations = m_book.stations();
    for (const QString &station : stations) {
        drift(station);
        const QString key = StationBook::keyOf(station);
        const auto end = m_songEnds.constFind(key);
        if (end == m_songEnds.cend()) {
            m_songEnds.insert(key, nextSongChange());
        } else if (end->hasExpired()) {
            changeSong(station);
        }
    }
}

void DemoDriver::drift(const QString &station)
{
    // About a third of the ticks leave a station alone, so that the only-changes
    // display has quiet stations as well as busy ones.
    if (m_random.bounded(3) == 0) {
        return;
    }
    const int count = m_book.listenerReply(station).count;
    const int spread = std::max(2, count / 15);
    const int step = m_random.bounded(-spread, spread + 1);
    m_book.setCount(station, std::max(0, count + step));
}

void DemoDriver::changeSong(const QString &station)
{
    PlatformSimulator::SongReply reply = m_book.songReply(station);
    const SongCatalogue::Song song = m_songs.next();
    m_lastSongId = std::max(m_lastSongId, reply.id) + 1;
    reply.id = m_lastSongId;
    reply.title = song.title;
    reply.artist = song.artist;
    reply.album = song.album;
    m_book.setSongReply(station, reply);
    m_songEnds.insert(StationBook::keyOf(station), nextSongChange());
}

QDeadlineTimer DemoDriver::nextSongChange()
{
    return QDeadlineTimer(m_random.bounded(kShortestSongMs, kLongestSongMs + 1));
}
