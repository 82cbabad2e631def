// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>

// Counts the blocks obtained through the global operator new and not yet given
// back, in the test program that links AllocationCounter.cpp (it replaces the
// global operators). Two readings around a step show what the step left alive.
class AllocationCounter
{
public:
    static std::ptrdiff_t liveBlocks() noexcept;
};
