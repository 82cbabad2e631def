// SPDX-License-Identifier: MIT
#pragma once

#include "PlatformSimulator.h"

#include <QString>
#include <QThread>

#include <functional>

// The platform simulator on a thread of its own. The real platform is another
// machine; serving its requests on the program's own event loop would show up as
// the program's stalls and slow its downloads.
class SimulatorThread
{
public:
    SimulatorThread();
    ~SimulatorThread();
    SimulatorThread(const SimulatorThread &) = delete;
    SimulatorThread &operator=(const SimulatorThread &) = delete;

    // Starts listening on a free loopback port; every station answers with reply.
    bool start(const PlatformSimulator::ListenerReply &reply);
    QString baseUrl() const { return m_baseUrl; }
    int peakConcurrentRequests() const;
    int requestCount() const;

private:
    // Runs f on the simulator's thread and waits for it.
    void call(const std::function<void()> &f) const;

    QThread m_thread;
    QObject *m_context;
    PlatformSimulator *m_sim = nullptr;
    QString m_baseUrl;
};
