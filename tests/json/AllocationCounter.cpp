// SPDX-License-Identifier: MIT
#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Atomic because the test framework may allocate from other threads.
std::atomic<std::ptrdiff_t> g_live{0};

} // namespace

std::ptrdiff_t AllocationCounter::liveBlocks() noexcept
{
    return g_live.load(std::memory_order_relaxed);
}

// The array and nothrow forms are defined by the standard to call these.
void *operator new(std::size_t size)
{
    void *block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    g_live.fetch_add(1, std::memory_order_relaxed);
    return block;
}

void operator delete(void *block) noexcept
{
    if (block != nullptr) {
        g_live.fetch_sub(1, std::memory_order_relaxed);
        std::free(block);
    }
}

void operator delete(void *block, std::size_t) noexcept
{
    operator delete(block);
}
