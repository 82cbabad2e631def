// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string_view>

// Locale-independent number text for the serializer: "." as decimal point, no
// digit grouping, lower-case "e" with a sign and at least two exponent digits.
// Doubles and singles use the shortest digits that read back to the same value;
// the plain form is used from 1e-5 up to below 1e15, the exponent form outside,
// and negative zero prints as 0.
class JsonNumberText
{
public:
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
