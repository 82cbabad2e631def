// SPDX-License-Identifier: MIT
#include "JsonNumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// The plain form covers 1e-5 <= |x| < 1e15; below 1e15 every whole double is
// exact in 64 bits and prints fastest as an integer.
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
    std::to_chars_result result;
    if (magnitude < kPlainTo && value == std::trunc(value)) {
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
