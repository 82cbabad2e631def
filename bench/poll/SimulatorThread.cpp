// SPDX-License-Identifier: MIT
#include "SimulatorThread.h"

#include <QMetaObject>

SimulatorThread::SimulatorThread() : m_context(new QObject)
{
    m_context->moveToThread(&m_thread);
    m_thread.start();
}

SimulatorThread::~SimulatorThread()
{
    // The simulator's sockets belong to its thread; they must die there.
    call([this] {
        delete m_sim;
        m_sim = nullptr;
    });
    m_thread.quit();
    m_thread.wait();
    delete m_context;
}

bool SimulatorThread::start(const PlatformSimulator::ListenerReply &reply)
{
    bool listening = false;
    call([this, &reply, &listening] {
        m_sim = new PlatformSimulator;
        m_sim->setDefaultListenerReply(reply);
        listening = m_sim->listen();
        m_baseUrl = m_sim->baseUrl();
    });
    return listening;
}

int SimulatorThread::peakConcurrentRequests() const
{
    int peak = 0;
    call([this, &peak] { peak = m_sim->peakConcurrentRequests(); });
    return peak;
}

int SimulatorThread::requestCount() const
{
    int count = 0;
    call([this, &count] { count = int(m_sim->requestLog().size()); });
    return count;
}

void SimulatorThread::call(const std::function<void()> &f) const
{
    QMetaObject::invokeMethod(m_context, f, Qt::BlockingQueuedConnection);
}
