// SPDX-License-Identifier: MIT
#include "JsonNumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Whether a well-formed number text lies below one in magnitude: the decimal
// exponent of its first non-zero digit, written exponent included, is negative.
// from_chars reports overflow and underflow alike; this tells them apart.
bool isBelowOne(std::string_view text)
{
    std::size_t i = !text.empty() && text[0] == '-' ? 1 : 0;
    std::int64_t leadExponent = -1;
    bool fraction = false;
    bool nonZeroSeen = false;
    for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
        if (text[i] == '.') {
            fraction = true;
        } else if (!fraction) {
            nonZeroSeen = nonZeroSeen || text[i] != '0';
            leadExponent += nonZeroSeen ? 1 : 0;
        } else if (!nonZeroSeen) {
            nonZeroSeen = text[i] != '0';
            leadExponent -= nonZeroSeen ? 0 : 1;
        }
    }
    // Saturating: no text in memory has enough digits to outweigh this.
    constexpr std::int64_t kSaturation = 100'000'000'000'000'000;
    std::int64_t written = 0;
    bool negative = false;
    for (++i; i < text.size(); ++i) {
        if (text[i] == '-') {
            negative = true;
        } else if (isDigit(text[i])) {
            written = std::min(written * 10 + (text[i] - '0'), kSaturation);
        }
    }
    return leadExponent + (negative ? -written : written) < 0;
}

// The plain form covers 1e-5 <= |x| < 1e15.
constexpr double kPlainFrom = 1e-5;
constexpr double kPlainTo = 1e15;

// Rewrites to_chars' scientific text "-d.ddde-XX" in plain form. Cheaper than
// asking to_chars for the fixed form, which shifts its digits in memory.
char *toPlain(const char *first, const char *last, char *out)
{
    const char *e = last - 4; // the exponent has two digits in the plain range
    const int exponent = (e[2] - '0') * 10 + (e[3] - '0');
    const bool negativeExponent = e[1] == '-';
    if (*first == '-') {
        *out++ = *first++;
    }
    const char lead = *first;
    const char *fraction = first + 1 < e ? first + 2 : e; // digits after the point
    const auto fractionCount = static_cast<int>(e - fraction);
    if (negativeExponent) {
        *out++ = '0';
        *out++ = '.';
        out = std::fill_n(out, exponent - 1, '0');
        *out++ = lead;
        return std::copy(fraction, e, out);
    }
    *out++ = lead;
    if (fractionCount <= exponent) {
        out = std::copy(fraction, e, out);
        return std::fill_n(out, exponent - fractionCount, '0');
    }
    out = std::copy(fraction, fraction + exponent, out);
    *out++ = '.';
    return std::copy(fraction + exponent, e, out);
}

template <class Float> std::string_view formatFloat(Float value, char *buffer)
{
    if (!std::isfinite(value)) {
        return {};
    }
    char *const end = buffer + JsonNumberText::kBufferSize;
    const double magnitude = std::fabs(static_cast<double>(value));
    // A whole number prints fastest as an integer, but only while every integer
    // is exact in the type: above 2^24 a single's integer digits are not its
    // shortest (1e14f would print as 100000000376832).
    constexpr double kExactIntegers = std::min(
        kPlainTo, static_cast<double>(std::uint64_t{1} << std::numeric_limits<Float>::digits));
    std::to_chars_result result;
    if (magnitude < kExactIntegers && value == std::trunc(value)) {
        result = std::to_chars(buffer, end, static_cast<std::int64_t>(value));
    } else if (magnitude >= kPlainFrom && magnitude < kPlainTo) {
        char scientific[JsonNumberText::kBufferSize];
        const auto digits = std::to_chars(scientific, scientific + JsonNumberText::kBufferSize,
                                          value, std::chars_format::scientific);
        return {buffer, static_cast<std::size_t>(toPlain(scientific, digits.ptr, buffer) - buffer)};
    } else {
        // to_chars already writes "1e+20" and "1.5e-07": lower-case e, a sign
        // and at least two exponent digits.
        result = std::to_chars(buffer, end, value, std::chars_format::scientific);
    }
    return {buffer, static_cast<std::size_t>(result.ptr - buffer)};
}

} // namespace

std::optional<double> JsonNumberText::parseDouble(std::string_view text)
{
    double value = 0;
    const char *const end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (result.ptr != end) {
        return std::nullopt;
    }
    if (result.ec == std::errc::result_out_of_range && isBelowOne(text)) {
        return text[0] == '-' ? -0.0 : 0.0;
    }
    if (result.ec != std::errc()) {
        return std::nullopt;
    }
    return value;
}

std::string_view JsonNumberText::format(double value, char *buffer)
{
    return formatFloat(value, buffer);
}

std::string_view JsonNumberText::format(float value, char *buffer)
{
    return formatFloat(value, buffer);
}

std::string_view JsonNumberText::formatInteger(std::int64_t value, char *buffer)
{
    const auto result = std::to_chars(buffer, buffer + kBufferSize, value);
    return {buffer, static_cast<std::size_t>(result.ptr - buffer)};
}

std::string_view JsonNumberText::formatCurrency(std::int64_t tenThousandths, char *buffer)
{
    char *out = buffer;
    // Unsigned arithmetic keeps the most negative value intact.
    auto magnitude = static_cast<std::uint64_t>(tenThousandths);
    if (tenThousandths < 0) {
        *out++ = '-';
        magnitude = 0 - magnitude;
    }
    out = std::to_chars(out, buffer + kBufferSize, magnitude / 10000).ptr;
    auto fraction = static_cast<unsigned>(magnitude % 10000);
    if (fraction != 0) {
        *out++ = '.';
        for (unsigned unit = 1000; fraction != 0; unit /= 10) {
            *out++ = static_cast<char>('0' + fraction / unit);
            fraction %= unit;
        }
    }
    return {buffer, static_cast<std::size_t>(out - buffer)};
}
