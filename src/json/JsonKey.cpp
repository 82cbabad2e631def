// SPDX-License-Identifier: MIT
#include "JsonKey.h"

#include <cmath>
#include <limits>

JsonKey::JsonKey(double position) noexcept : m_type(Type::Position)
{
    constexpr double kLimit = 9.0e18;
    if (std::isnan(position)) {
        m_position = 0; // never a valid position
    } else if (position >= kLimit) {
        m_position = std::numeric_limits<std::int64_t>::max();
    } else if (position <= -kLimit) {
        m_position = std::numeric_limits<std::int64_t>::min();
    } else {
        // nearbyint follows the default rounding mode: half to even.
        m_position = static_cast<std::int64_t>(std::nearbyint(position));
    }
}
