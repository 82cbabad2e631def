// SPDX-License-Identifier: MIT
#pragma once

#include "ThreadSchedule.h"

#include <QElapsedTimer>
#include <QTimer>

#include <memory>
#include <optional>

// Measures how long the event loop of the calling thread was kept from running:
// a precise 1 ms timer notes the largest gap between consecutive timeouts; that
// gap minus the interval is the longest stall. Where the kernel reports it, the
// probe also notes how much of that gap the thread spent on a CPU (the program
// working) and how much waiting for one (the machine busy with other work).
class StallProbe
{
public:
    static constexpr int kIntervalMs = 1;

    struct Stall
    {
        double ms = 0;
        double atMs = 0;                               // when it began, counted from start()
        std::optional<ThreadSchedule::Times> schedule; // during the whole gap
    };

    StallProbe();

    void start();
    // Counts the gap up to this moment too, so a stall at the very end is not lost.
    void stop();
    const Stall &longest() const { return m_longest; }

private:
    void tick();

    QTimer m_timer;
    QElapsedTimer m_clock;
    std::unique_ptr<ThreadSchedule> m_schedule;
    qint64 m_lastNs = 0;
    qint64 m_longestNs = 0;
    std::optional<ThreadSchedule::Times> m_lastSchedule;
    Stall m_longest;
};
