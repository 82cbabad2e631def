// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Appending JSON pieces to a document under construction. Members and array
// elements each end in a comma; closeContainer() turns the last one into the
// closing bracket.
namespace DocumentText {

void appendInt(std::string &out, std::int64_t value);
// A number of units of 10^-decimals written in plain form, trailing zeros of
// the fraction dropped: appendFixed(out, -65613616999999977, 15) writes
// -65.613616999999977.
void appendFixed(std::string &out, std::int64_t units, int decimals);
void appendUtf8(std::string &out, char32_t c);
// "\u" escapes in lower-case hex, a surrogate pair above the BMP.
void appendEscaped(std::string &out, char32_t c);
// "key": and the member forms "key":"value", and "key":number,
void appendKey(std::string &out, std::string_view key);
void appendString(std::string &out, std::string_view key, std::string_view value);
void appendNumber(std::string &out, std::string_view key, std::int64_t value);
void closeContainer(std::string &out, char bracket);

} // namespace DocumentText
