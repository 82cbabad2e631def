// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// An exact decimal number: a 96-bit unsigned integer, a sign and a power-of-ten
// scale 0..28, so 0.1 is held as 1 with scale 1 and never rounds. Numbers read
// in decimal mode keep every digit that fits; digits beyond 96 bits of precision
// are rounded half to even.
class JsonDecimal
{
public:
    static constexpr int kMaxScale = 28;

    JsonDecimal() = default;
    JsonDecimal(std::uint64_t low, std::uint32_t high, int scale, bool negative);

    // Reads [-]digits[.digits][e[+|-]digits]; nullopt when the text is malformed
    // or its integer part needs more than 96 bits. A value too small for scale
    // 28 rounds to zero, like any other digits past it.
    static std::optional<JsonDecimal> parse(std::string_view text);

    std::uint64_t low() const noexcept { return m_low; }
    std::uint32_t high() const noexcept { return m_high; }
    int scale() const noexcept { return m_scale; }
    bool isNegative() const noexcept { return m_negative; }

    // Plain digits with "." and no trailing fractional zeros: 1.50 gives "1.5".
    std::string toText() const;
    double toDouble() const;

    bool operator==(const JsonDecimal &other) const = default;

private:
    std::uint64_t m_low = 0;
    std::uint32_t m_high = 0;
    std::uint8_t m_scale = 0;
    bool m_negative = false;
};
