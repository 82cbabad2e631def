// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

#include <optional>

// How the kernel has scheduled the thread that created this object so far: time on
// a CPU and time ready to run but waiting for one (Linux /proc/thread-self/schedstat).
// Tells a stall the program caused from one the machine caused.
class ThreadSchedule
{
public:
    struct Times
    {
        qint64 onCpuNs = 0;
        qint64 waitingNs = 0;
    };

    ThreadSchedule();
    ~ThreadSchedule();
    ThreadSchedule(const ThreadSchedule &) = delete;
    ThreadSchedule &operator=(const ThreadSchedule &) = delete;

    // nullopt where the kernel does not report it.
    std::optional<Times> read() const;

private:
    int m_fd = -1;
};
