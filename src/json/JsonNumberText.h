// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Locale-independent number text. Written: "." as decimal point, no digit
// grouping, lower-case "e" with a sign and at least two exponent digits.
// Doubles and singles use the shortest digits that read back to the same value
// of their own precision; the plain form is used from 1e-5 up to below 1e15,
// the exponent form outside, and negative zero prints as 0.
class JsonNumberText
{
public:
    // Reads [-]digits[.[digits]][e|E[+|-]digits] as the nearest double. A value
    // too small for a double reads as zero of its sign, as a value rounded to
    // nearest must; only a magnitude past the largest double fails (nullopt),
    // as does malformed text.
    static std::optional<double> parseDouble(std::string_view text);

    // Room for any text produced here.
    static constexpr int kBufferSize = 48;

    // Each writes into buffer and returns the text; false/empty for NaN and
    // infinities, which JSON cannot express.
    static std::string_view format(double value, char *buffer);
    static std::string_view format(float value, char *buffer);
    static std::string_view formatInteger(std::int64_t value, char *buffer);
    // A 64-bit integer counting ten-thousandths.
    static std::string_view formatCurrency(std::int64_t tenThousandths, char *buffer);
};
