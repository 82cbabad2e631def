// SPDX-License-Identifier: MIT
#include "DocumentText.h"

namespace DocumentText {

void appendInt(std::string &out, std::int64_t value)
{
    out += std::to_string(value);
}

void appendFixed(std::string &out, std::int64_t units, int decimals)
{
    if (units < 0) {
        out += '-';
        units = -units;
    }
    std::int64_t scale = 1;
    for (int i = 0; i < decimals; ++i) {
        scale *= 10;
    }
    appendInt(out, units / scale);
    std::string fraction = std::to_string(units % scale);
    fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
    while (fraction.size() > 1 && fraction.back() == '0') {
        fraction.pop_back();
    }
    out += '.';
    out += fraction;
}

void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void appendEscaped(std::string &out, char32_t c)
{
    static constexpr char kHex[] = "0123456789abcdef";
    const auto unit = [&out](char32_t u) {
        out += "\\u";
        for (int shift = 12; shift >= 0; shift -= 4) {
            out += kHex[(u >> shift) & 0xF];
        }
    };
    if (c >= 0x10000) {
        unit(0xD800 + ((c - 0x10000) >> 10));
        unit(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
        unit(c);
    }
}

void appendKey(std::string &out, std::string_view key)
{
    out += '"';
    out += key;
    out += "\":";
}

void appendString(std::string &out, std::string_view key, std::string_view value)
{
    appendKey(out, key);
    out += '"';
    out += value;
    out += "\",";
}

void appendNumber(std::string &out, std::string_view key, std::int64_t value)
{
    appendKey(out, key);
    appendInt(out, value);
    out += ',';
}

void closeContainer(std::string &out, char bracket)
{
    if (out.back() == ',') {
        out.back() = bracket;
    } else {
        out += bracket;
    }
}

} // namespace DocumentText
