// SPDX-License-Identifier: MIT
#pragma once

#include "PlatformSimulator.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

// The scripted replies of all stations. Station names are matched without regard to
// case, as the platform does, so a test may script "Alpha" for a program asking "alpha".
// A station without a reply of its own answers with the defaults.
class StationBook
{
public:
    using ListenerReply = PlatformSimulator::ListenerReply;
    using SongReply = PlatformSimulator::SongReply;

    ListenerReply listenerReply(const QString &station) const;
    SongReply songReply(const QString &station) const;
    // When the station's current song started: the moment its id last changed.
    QDateTime songStartedAt(const QString &station) const;

    bool hasListenerReply(const QString &station) const;
    bool hasSongReply(const QString &station) const;
    // Stations with a scripted listener reply, under the name they were first given.
    QStringList stations() const;

    void setListenerReply(const QString &station, const ListenerReply &reply);
    void setSongReply(const QString &station, const SongReply &reply);
    void setCount(const QString &station, int count);
    void setDefaultListenerReply(const ListenerReply &reply);

    // The form under which a station is filed; equal for names that differ in case only.
    static QString keyOf(const QString &station);

private:
    struct Listener
    {
        QString name;
        ListenerReply reply;
    };
    struct Song
    {
        SongReply reply;
        QDateTime startedAt;
    };

    QHash<QString, Listener> m_listeners;
    QHash<QString, Song> m_songs;
    ListenerReply m_defaultListener;
    QDateTime m_createdAt = QDateTime::currentDateTimeUtc();
};
