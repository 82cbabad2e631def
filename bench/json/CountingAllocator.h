// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>

// Counts the bytes requested through operator new in this program (the bench
// replaces the global operators), so a DOM's memory can be read off as the
// difference of two readings.
class CountingAllocator
{
public:
    static std::size_t current() noexcept;
    static std::size_t peak() noexcept;
    // Starts a new peak measurement from the current level.
    static void resetPeak() noexcept;
};
