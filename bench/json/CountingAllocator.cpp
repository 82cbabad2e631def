// SPDX-License-Identifier: MIT
#include "CountingAllocator.h"

#include <cstdlib>
#include <new>

namespace {

// The bench is single-threaded; plain counters suffice.
std::size_t g_current = 0;
std::size_t g_peak = 0;

// Each block carries its size in front, aligned for any type.
constexpr std::size_t kHeader = alignof(std::max_align_t);

void *allocate(std::size_t size)
{
    auto *block = static_cast<unsigned char *>(std::malloc(size + kHeader));
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    *reinterpret_cast<std::size_t *>(block) = size;
    g_current += size;
    if (g_current > g_peak) {
        g_peak = g_current;
    }
    return block + kHeader;
}

void deallocate(void *pointer) noexcept
{
    if (pointer == nullptr) {
        return;
    }
    auto *block = static_cast<unsigned char *>(pointer) - kHeader;
    g_current -= *reinterpret_cast<std::size_t *>(block);
    std::free(block);
}

} // namespace

std::size_t CountingAllocator::current() noexcept
{
    return g_current;
}

std::size_t CountingAllocator::peak() noexcept
{
    return g_peak;
}

void CountingAllocator::resetPeak() noexcept
{
    g_peak = g_current;
}

void *operator new(std::size_t size)
{
    return allocate(size);
}

void *operator new[](std::size_t size)
{
    return allocate(size);
}

void operator delete(void *pointer) noexcept
{
    deallocate(pointer);
}

void operator delete[](void *pointer) noexcept
{
    deallocate(pointer);
}

void operator delete(void *pointer, std::size_t) noexcept
{
    deallocate(pointer);
}

void operator delete[](void *pointer, std::size_t) noexcept
{
    deallocate(pointer);
}
