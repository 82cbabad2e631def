// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

#include <algorithm>

// Bounds for the tests' waits: how long to wait for something bound to happen, never
// how fast it must be. Slow builds stretch them by the whole-number factor
// MIRKAN_TIME_SCALE, set by CTest from the cache variable that scales its own limits.
namespace TestTime {

inline int scale()
{
    static const int factor = std::max(1, qEnvironmentVariableIntValue("MIRKAN_TIME_SCALE"));
    return factor;
}

// ms, stretched by the factor.
inline int ms(int ms)
{
    return ms * scale();
}

// Long enough for anything that happens at once on an idle machine: a loopback answer,
// a started process, a mapped window.
inline int patience()
{
    return ms(20'000);
}

} // namespace TestTime
