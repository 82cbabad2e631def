// SPDX-License-Identifier: MIT
#include "JsonUtf.h"

#include <cstring>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

// Length of the pure-ASCII run at pos, tested eight bytes at a time because
// most JSON text is ASCII.
std::size_t asciiRun(std::string_view text, std::size_t pos)
{
    std::size_t i = pos;
    while (i + 8 <= text.size()) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + i, 8);
        if (word & 0x8080808080808080ULL) {
            break;
        }
        i += 8;
    }
    while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80) {
        ++i;
    }
    return i - pos;
}

} // namespace

JsonUtf::Decoded JsonUtf::decode(std::string_view text, std::size_t pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        return {lead, 1};
    }
    std::size_t length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, cp = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, cp = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, cp = lead & 0x07, minimum = 0x10000;
    } else {
        return {kReplacement, 1};
    }
    if (pos + length > text.size()) {
        return {kReplacement, 1};
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto c = static_cast<unsigned char>(text[pos + i]);
        if (!isContinuation(c)) {
            return {kReplacement, 1};
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    // Overlong forms, encoded surrogates and values past U+10FFFF are malformed.
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return {kReplacement, 1};
    }
    return {cp, length};
}

std::u16string JsonUtf::toUtf16(std::string_view utf8)
{
    std::u16string out;
    out.resize(utf8.size());
    std::size_t n = 0;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t run = asciiRun(utf8, pos);
        for (std::size_t i = 0; i < run; ++i) {
            out[n++] = static_cast<char16_t>(utf8[pos + i]);
        }
        pos += run;
        if (pos >= utf8.size()) {
            break;
        }
        const Decoded d = decode(utf8, pos);
        pos += d.length;
        if (d.codePoint >= 0x10000) {
            out[n++] = static_cast<char16_t>(0xD800 + ((d.codePoint - 0x10000) >> 10));
            out[n++] = static_cast<char16_t>(0xDC00 + ((d.codePoint - 0x10000) & 0x3FF));
        } else {
            out[n++] = static_cast<char16_t>(d.codePoint);
        }
    }
    out.resize(n);
    return out;
}

std::size_t JsonUtf::utf16Length(std::string_view utf8, std::size_t bytes)
{
    const std::string_view head = utf8.substr(0, bytes);
    std::size_t units = 0;
    std::size_t pos = 0;
    while (pos < head.size()) {
        // A sequence cut by the end of the prefix still counts as one character.
        const Decoded d = decode(utf8, pos);
        units += d.codePoint >= 0x10000 ? 2 : 1;
        pos += d.length;
    }
    return units;
}

void JsonUtf::appendUtf8(std::string &out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::string JsonUtf::toUtf8(std::u16string_view utf16)
{
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t u = utf16[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            appendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (utf16[i + 1] - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            appendUtf8(out, kReplacement);
        } else {
            appendUtf8(out, u);
        }
    }
    return out;
}
