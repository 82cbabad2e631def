// SPDX-License-Identifier: MIT
#pragma once

#include <string>

class JsonBagData;

// Serializes a bag and everything nested in it. Compact output has no blanks at
// all; with whitespace every item sits on its own line, indented four blanks per
// level, lines ending in CR LF and no line break after the last bracket.
// Values JSON cannot hold raise error 51; nesting deeper than 1,000 levels (or a
// bag that contains itself) raises error 28.
class JsonWriter
{
public:
    static std::u16string toUtf16(const JsonBagData &bag, bool whitespace);
    static std::string toUtf8(const JsonBagData &bag, bool whitespace);
};
