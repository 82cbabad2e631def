// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

class JsonBagData;

// Parses a JSON document whose top level is an object or an array into a bag,
// in one pass. Lenient about commas, letter case of literals and text after the
// top-level container; strict about string characters, escapes and numbers.
// Errors carry 1-based positions in UTF-16 code units of the whole text.
class JsonParser
{
public:
    // The bag must be empty; its decimal mode decides how numbers are read.
    static void parse(JsonBagData &bag, std::u16string_view text);
    static void parse(JsonBagData &bag, std::string_view utf8);
};
