// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The pseudo-random numbers behind the generated benchmark documents:
// splitmix64, a fixed sequence on every platform, unlike the standard
// distributions, whose results differ between library implementations.
class DocumentRandom
{
public:
    explicit DocumentRandom(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // Uniform enough for test data; the modulo bias does not matter here.
    std::int64_t between(std::int64_t low, std::int64_t high)
    {
        return low + static_cast<std::int64_t>(next() % static_cast<std::uint64_t>(high - low + 1));
    }

    bool chance(int percent) { return between(1, 100) <= percent; }

    template <std::size_t N> std::string_view pick(const std::string_view (&items)[N])
    {
        return items[static_cast<std::size_t>(between(0, static_cast<std::int64_t>(N) - 1))];
    }

private:
    std::uint64_t m_state;
};
