// SPDX-License-Identifier: MIT
#include "StallProbe.h"

StallProbe::StallProbe()
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(kIntervalMs);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { tick(); });
}

void StallProbe::start()
{
    // Opened here, on the thread whose loop is measured.
    m_schedule = std::make_unique<ThreadSchedule>();
    m_longest = {};
    m_longestNs = 0;
    m_lastSchedule = m_schedule->read();
    m_clock.start();
    m_lastNs = 0;
    m_timer.start();
}

void StallProbe::stop()
{
    tick();
    m_timer.stop();
}

void StallProbe::tick()
{
    const qint64 now = m_clock.nsecsElapsed();
    const std::optional<ThreadSchedule::Times> schedule = m_schedule->read();
    const qint64 stall = now - m_lastNs - qint64(kIntervalMs) * 1'000'000;
    if (stall > m_longestNs) {
        m_longestNs = stall;
        m_longest.ms = double(stall) / 1e6;
        m_longest.atMs = double(m_lastNs) / 1e6;
        m_longest.schedule.reset();
        if (schedule && m_lastSchedule) {
            m_longest.schedule =
                ThreadSchedule::Times{schedule->onCpuNs - m_lastSchedule->onCpuNs,
                                      schedule->waitingNs - m_lastSchedule->waitingNs};
        }
    }
    m_lastNs = now;
    m_lastSchedule = schedule;
}
