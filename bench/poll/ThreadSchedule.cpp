// SPDX-License-Identifier: MIT
#include "ThreadSchedule.h"

#ifdef Q_OS_LINUX
#include <array>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#endif

ThreadSchedule::ThreadSchedule()
{
#ifdef Q_OS_LINUX
    // Kept open and read from offset 0 each time: a few microseconds, cheap enough
    // to sample every millisecond.
    m_fd = ::open("/proc/thread-self/schedstat", O_RDONLY | O_CLOEXEC);
#endif
}

ThreadSchedule::~ThreadSchedule()
{
#ifdef Q_OS_LINUX
    if (m_fd >= 0) {
        ::close(m_fd);
    }
#endif
}

std::optional<ThreadSchedule::Times> ThreadSchedule::read() const
{
#ifdef Q_OS_LINUX
    if (m_fd < 0) {
        return std::nullopt;
    }
    // "<ns on cpu> <ns waiting on a run queue> <time slices>\n"
    std::array<char, 96> text{};
    if (::pread(m_fd, text.data(), text.size() - 1, 0) <= 0) {
        return std::nullopt;
    }
    long long onCpu = 0;
    long long waiting = 0;
    if (std::sscanf(text.data(), "%lld %lld", &onCpu, &waiting) != 2) {
        return std::nullopt;
    }
    return Times{onCpu, waiting};
#else
    return std::nullopt;
#endif
}
