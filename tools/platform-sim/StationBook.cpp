// SPDX-License-Identifier: MIT
#include "StationBook.h"

QString StationBook::keyOf(const QString &station)
{
    return station.toCaseFolded();
}

StationBook::ListenerReply StationBook::listenerReply(const QString &station) const
{
    const auto it = m_listeners.constFind(keyOf(station));
    return it == m_listeners.cend() ? m_defaultListener : it->reply;
}

StationBook::SongReply StationBook::songReply(const QString &station) const
{
    return m_songs.value(keyOf(station)).reply;
}

QDateTime StationBook::songStartedAt(const QString &station) const
{
    const auto it = m_songs.constFind(keyOf(station));
    return it == m_songs.cend() ? m_createdAt : it->startedAt;
}

bool StationBook::hasListenerReply(const QString &station) const
{
    return m_listeners.contains(keyOf(station));
}

bool StationBook::hasSongReply(const QString &station) const
{
    return m_songs.contains(keyOf(station));
}

QStringList StationBook::stations() const
{
    QStringList names;
    for (const Listener &listener : m_listeners) {
        names.append(listener.name);
    }
    names.sort(Qt::CaseInsensitive);
    return names;
}

void StationBook::setListenerReply(const QString &station, const ListenerReply &reply)
{
    Listener &listener = m_listeners[keyOf(station)];
    if (listener.name.isEmpty()) {
        listener.name = station;
    }
    listener.reply = reply;
}

void StationBook::setSongReply(const QString &station, const SongReply &reply)
{
    Song &song = m_songs[keyOf(station)];
    if (!song.startedAt.isValid() || song.reply.id != reply.id) {
        song.startedAt = QDateTime::currentDateTimeUtc();
    }
    song.reply = reply;
}

void StationBook::setCount(const QString &station, int count)
{
    ListenerReply reply = listenerReply(station);
    reply.count = count;
    setListenerReply(station, reply);
}

void StationBook::setDefaultListenerReply(const ListenerReply &reply)
{
    m_defaultListener = reply;
}
