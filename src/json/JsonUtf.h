// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// UTF-8 <-> UTF-16 conversion. Malformed UTF-8 bytes and unpaired surrogates
// become U+FFFD, one per offending byte or code unit, so that the parser's UTF-8
// path and an explicit conversion followed by the UTF-16 path agree exactly.
class JsonUtf
{
public:
    struct Decoded
    {
        char32_t codePoint;
        std::size_t length; // bytes consumed, at least 1
    };

    // Decodes the sequence at text[pos]; the caller guarantees pos < text.size().
    static Decoded decode(std::string_view text, std::size_t pos);

    static std::u16string toUtf16(std::string_view utf8);
    static std::string toUtf8(std::u16string_view utf16);

    // Number of UTF-16 code units the first `bytes` bytes of the text decode to.
    static std::size_t utf16Length(std::string_view utf8, std::size_t bytes);

    static void appendUtf8(std::string &out, char32_t codePoint);
};
