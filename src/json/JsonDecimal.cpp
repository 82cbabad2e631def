// SPDX-License-Identifier: MIT
#include "JsonDecimal.h"

#include <algorithm>
#include <charconv>

namespace {

__extension__ typedef unsigned __int128 U128;

constexpr U128 kMax96 = (U128(1) << 96) - 1;
// 38 digits always fit in 128 bits; more cannot matter once rounded to 96 bits.
constexpr int kMaxKeptDigits = 38;
// A written exponent saturates here. The digits of any text that fits in memory
// shift the value by far less, so adding them stays exact in 64 bits and still
// lands on the right side of every limit.
constexpr std::int64_t kExponentSaturation = 100'000'000'000'000'000;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The mantissa with the digits that did not fit, for rounding at the end.
struct Accumulator
{
    U128 mantissa = 0;
    int kept = 0;
    std::int64_t exponent = 0;
    int roundDigit = 0;
    bool sticky = false;
    bool anyDigit = false;

    void push(int digit, bool fraction)
    {
        anyDigit = true;
        if (mantissa == 0 && digit == 0) {
            exponent -= fraction ? 1 : 0;
        } else if (kept < kMaxKeptDigits) {
            mantissa = mantissa * 10 + static_cast<unsigned>(digit);
            ++kept;
            exponent -= fraction ? 1 : 0;
        } else {
            if (kept == kMaxKeptDigits) {
                roundDigit = digit;
                ++kept;
            } else {
                sticky = sticky || digit != 0;
            }
            exponent += fraction ? 0 : 1;
        }
    }

    void dropDigit()
    {
        sticky = sticky || roundDigit != 0;
        roundDigit = static_cast<int>(mantissa % 10);
        mantissa /= 10;
    }
};

std::optional<std::int64_t> parseExponent(std::string_view text)
{
    bool negative = false;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (!isDigit(text[i])) {
            return std::nullopt;
        }
        value = std::min(value * 10 + (text[i] - '0'), kExponentSaturation);
    }
    return negative ? -value : value;
}

} // namespace

JsonDecimal::JsonDecimal(std::uint64_t low, std::uint32_t high, int scale, bool negative)
    : m_low(low), m_high(high), m_scale(static_cast<std::uint8_t>(scale)), m_negative(negative)
{
}

std::optional<JsonDecimal> JsonDecimal::parse(std::string_view text)
{
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    i += negative ? 1 : 0;
    Accumulator acc;
    bool fraction = false;
    for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
        if (text[i] == '.' && !fraction) {
            fraction = true;
        } else if (isDigit(text[i])) {
            acc.push(text[i] - '0', fraction);
        } else {
            return std::nullopt;
        }
    }
    if (!acc.anyDigit) {
        return std::nullopt;
    }
    if (i < text.size()) {
        const auto exponent = parseExponent(text.substr(i + 1));
        if (!exponent) {
            return std::nullopt;
        }
        acc.exponent += *exponent;
    }
    if (acc.mantissa == 0) {
        acc.exponent = std::clamp(acc.exponent, -std::int64_t{kMaxScale}, std::int64_t{0});
    }
    for (; acc.exponent > 0; --acc.exponent) {
        if (acc.mantissa > kMax96) {
            return std::nullopt;
        }
        acc.mantissa *= 10;
    }
    std::int64_t scale = -acc.exponent;
    if (scale > kMaxScale + kMaxKeptDigits + 2) {
        // Every kept digit would be divided away; skip the long loop.
        acc.sticky = acc.sticky || acc.mantissa != 0 || acc.roundDigit != 0;
        acc.mantissa = 0;
        acc.roundDigit = 0;
        scale = kMaxScale;
    }
    while (acc.mantissa > kMax96 || scale > kMaxScale) {
        if (scale == 0) {
            return std::nullopt;
        }
        acc.dropDigit();
        --scale;
    }
    // Round half to even, the usual rule for decimal arithmetic.
    if (acc.roundDigit > 5 || (acc.roundDigit == 5 && (acc.sticky || (acc.mantissa & 1)))) {
        ++acc.mantissa;
        if (acc.mantissa > kMax96) {
            if (scale == 0) {
                return std::nullopt;
            }
            acc.mantissa = (acc.mantissa + 5) / 10;
            --scale;
        }
    }
    const bool isZero = acc.mantissa == 0;
    return JsonDecimal(static_cast<std::uint64_t>(acc.mantissa),
                       static_cast<std::uint32_t>(acc.mantissa >> 64), static_cast<int>(scale),
                       negative && !isZero);
}

std::string JsonDecimal::toText() const
{
    U128 m = (U128(m_high) << 64) | m_low;
    std::string digits;
    do {
        digits.push_back(static_cast<char>('0' + static_cast<int>(m % 10)));
        m /= 10;
    } while (m != 0);
    while (digits.size() <= m_scale) {
        digits.push_back('0');
    }
    std::reverse(digits.begin(), digits.end());
    std::string integer = digits.substr(0, digits.size() - m_scale);
    std::string fractionDigits = digits.substr(digits.size() - m_scale);
    while (!fractionDigits.empty() && fractionDigits.back() == '0') {
        fractionDigits.pop_back();
    }
    std::string text = m_negative && (m_low != 0 || m_high != 0) ? "-" : "";
    text += integer;
    if (!fractionDigits.empty()) {
        text += '.';
        text += fractionDigits;
    }
    return text;
}

double JsonDecimal::toDouble() const
{
    const std::string text = toText();
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}
