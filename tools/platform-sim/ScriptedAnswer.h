// SPDX-License-Identifier: MIT
#pragma once

#include "HttpReply.h"
#include "PlatformSimulator.h"

#include <QDateTime>
#include <QString>

// The answer to one request as scripted: the reply itself, how long to wait before
// sending it, and how to misbehave while sending it.
struct ScriptedAnswer
{
    HttpReply reply;
    int delayMs = 0;
    PlatformSimulator::Fault fault = PlatformSimulator::Fault::None;
    int resetAfterBytes = 0;

    static ScriptedAnswer forListeners(const PlatformSimulator::ListenerReply &script);
    static ScriptedAnswer forSong(const PlatformSimulator::SongReply &script,
                                  const QString &station, const QDateTime &startedAt);
    static ScriptedAnswer plain(const HttpReply &reply);
};
