// SPDX-License-Identifier: MIT
#pragma once

#include "JsonDecimal.h"
#include "JsonError.h"
#include "JsonNumberText.h"
#include "JsonUtf.h"
#include "JsonValue.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>

namespace JsonScanning {

inline bool isDigit(unsigned c)
{
    return c >= '0' && c <= '9';
}

inline unsigned lower(unsigned c)
{
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

inline int hexValue(unsigned c)
{
    c = lower(c);
    if (isDigit(c)) {
        return static_cast<int>(c - '0');
    }
    return c >= 'a' && c <= 'f' ? static_cast<int>(c - 'a' + 10) : -1;
}

} // namespace JsonScanning

// The token level of the parser: a cursor over UTF-16 (Unit = char16_t) or
// UTF-8 (Unit = char) text, reading strings, numbers and literals, and raising
// errors with 1-based positions in UTF-16 code units. For UTF-8 text the
// position is counted only when an error is raised.
template <class Unit> class JsonScanner
{
public:
    JsonScanner(std::basic_string_view<Unit> text, bool decimalMode)
        : m_text(text.data()), m_len(text.size()), m_decimalMode(decimalMode)
    {
    }

protected:
    unsigned unit(std::size_t i) const
    {
        return static_cast<std::make_unsigned_t<Unit>>(m_text[i]);
    }

    std::size_t position(std::size_t offset) const
    {
        if constexpr (sizeof(Unit) == 1) {
            return JsonUtf::utf16Length(std::string_view(m_text, m_len), offset) + 1;
        } else {
            return offset + 1;
        }
    }

    [[noreturn]] void fail(int number, const char *text, std::size_t offset) const
    {
        throw JsonError(number, text + std::to_string(position(offset)));
    }

    [[noreturn]] void expected(const char *what, std::size_t offset) const
    {
        throw JsonError(13, std::string("Expected ") + what + " at character " +
                                std::to_string(position(offset)));
    }

    void skipWhitespace()
    {
        while (m_cur < m_len) {
            const unsigned c = unit(m_cur);
            if (c != ' ' && c != '\t' && c != '\n' && c != '\r') {
                return;
            }
            ++m_cur;
        }
    }

    // The last string read: its units and the OR of all of them.
    std::u16string_view scanned() const { return {m_scratch.data(), m_size}; }
    JsonValue scannedValue() const
    {
        return JsonValue::fromUnits(m_scratch.data(), m_size, m_maxUnit);
    }

    void scanString();
    JsonValue scanNumber();
    bool scanLiteral(JsonValue &value);

    const Unit *m_text;
    std::size_t m_len;
    std::size_t m_cur = 0;
    bool m_decimalMode;

private:
    void appendEscape();
    JsonValue convertNumber(std::size_t start);

    void push(char16_t u)
    {
        if (m_size == m_scratch.size()) {
            m_scratch.resize(m_scratch.size() * 2 + 64);
        }
        m_scratch[m_size++] = u;
        m_maxUnit |= u;
    }

    std::u16string m_scratch;
    std::size_t m_size = 0;
    char16_t m_maxUnit = 0;
    std::string m_number;
};

// Literals match in any letter case; what follows them is not looked at.
template <class Unit> bool JsonScanner<Unit>::scanLiteral(JsonValue &value)
{
    const auto matches = [this](const char *word, std::size_t length) {
        if (m_len - m_cur < length) {
            return false;
        }
        for (std::size_t i = 0; i < length; ++i) {
            if (JsonScanning::lower(unit(m_cur + i)) != static_cast<unsigned>(word[i])) {
                return false;
            }
        }
        return true;
    };
    if (matches("null", 4)) {
        value = JsonValue(nullptr);
    } else if (matches("true", 4)) {
        value = JsonValue(true);
    } else if (matches("false", 5)) {
        value = JsonValue(false);
        ++m_cur;
    } else {
        return false;
    }
    m_cur += 4;
    return true;
}

// Reads the string after its opening quote into the scratch buffer.
template <class Unit> void JsonScanner<Unit>::scanString()
{
    m_size = 0;
    m_maxUnit = 0;
    bool closed = false;
    while (m_cur < m_len) {
        const unsigned c = unit(m_cur);
        if (c == '"') {
            ++m_cur;
            closed = true;
            break;
        }
        if (c == '\\') {
            appendEscape();
        } else if (c < 0x20) {
            fail(13, "Invalid string character at ", m_cur);
        } else if (sizeof(Unit) == 2 || c < 0x80) {
            push(static_cast<char16_t>(c));
            ++m_cur;
        } else {
            const JsonUtf::Decoded d = JsonUtf::decode(
                std::string_view(reinterpret_cast<const char *>(m_text), m_len), m_cur);
            if (d.codePoint >= 0x10000) {
                push(static_cast<char16_t>(0xD800 + ((d.codePoint - 0x10000) >> 10)));
                push(static_cast<char16_t>(0xDC00 + ((d.codePoint - 0x10000) & 0x3FF)));
            } else {
                push(static_cast<char16_t>(d.codePoint));
            }
            m_cur += d.length;
        }
    }
    // Also raised when the closing quote is the very last character: a
    // well-formed document always ends in a bracket.
    if (!closed || m_cur >= m_len) {
        expected("\"", m_len);
    }
}

// Escape letters match in any letter case; "\u" takes exactly four hex digits.
template <class Unit> void JsonScanner<Unit>::appendEscape()
{
    ++m_cur;
    if (m_cur >= m_len) {
        fail(13, "Bad string character escape at character ", m_cur);
    }
    const unsigned e = JsonScanning::lower(unit(m_cur));
    char16_t c = 0;
    switch (e) {
    case '"':
    case '\\':
    case '/':
        c = static_cast<char16_t>(e);
        break;
    case 'b':
        c = 0x08;
        break;
    case 'f':
        c = 0x0C;
        break;
    case 'n':
        c = 0x0A;
        break;
    case 'r':
        c = 0x0D;
        break;
    case 't':
        c = 0x09;
        break;
    case 'u': {
        ++m_cur;
        if (m_len - m_cur < 4) {
            fail(13, "Bad string character escape at character ", m_cur);
        }
        unsigned value = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            const int digit = JsonScanning::hexValue(unit(m_cur + i));
            if (digit < 0) {
                fail(13, "Bad string character escape at character ", m_cur);
            }
            value = value * 16 + static_cast<unsigned>(digit);
        }
        c = static_cast<char16_t>(value);
        m_cur += 3;
        break;
    }
    default:
        fail(13, "Bad string character escape at character ", m_cur);
    }
    push(c);
    ++m_cur;
}

// Scans leniently (leading zeros, a bare trailing point, a sign anywhere in
// the exponent) and lets the conversion reject what it cannot read.
template <class Unit> JsonValue JsonScanner<Unit>::scanNumber()
{
    const std::size_t start = m_cur;
    bool dotSeen = false;
    bool exponent = false;
    for (++m_cur; m_cur < m_len; ++m_cur) {
        const unsigned c = JsonScanning::lower(unit(m_cur));
        if (c == '.') {
            if (dotSeen) {
                fail(13, "Second decimal point at character ", m_cur);
            }
            if (unit(m_cur - 1) == '-') {
                fail(13, "Digit expected at character ", m_cur);
            }
            dotSeen = true;
        } else if (!JsonScanning::isDigit(c)) {
            exponent = c == 'e';
            m_cur += exponent ? 1 : 0;
            break;
        }
    }
    if (exponent) {
        bool signSeen = false;
        for (; m_cur < m_len; ++m_cur) {
            const unsigned c = unit(m_cur);
            if (c == '+' || c == '-') {
                if (signSeen) {
                    fail(13, "Second exponent sign at character ", m_cur);
                }
                signSeen = true;
            } else if (!JsonScanning::isDigit(c)) {
                break;
            }
        }
    }
    if (m_cur >= m_len) {
        throw JsonError(13, "Ran off end of string while parsing a number");
    }
    return convertNumber(start);
}

template <class Unit> JsonValue JsonScanner<Unit>::convertNumber(std::size_t start)
{
    std::string_view text;
    if constexpr (sizeof(Unit) == 1) {
        text = std::string_view(m_text + start, m_cur - start);
    } else {
        m_number.resize(m_cur - start);
        for (std::size_t i = start; i < m_cur; ++i) {
            m_number[i - start] = static_cast<char>(m_text[i]);
        }
        text = m_number;
    }
    if (m_decimalMode) {
        if (const auto decimal = JsonDecimal::parse(text)) {
            return JsonValue(*decimal);
        }
    } else if (const auto value = JsonNumberText::parseDouble(text)) {
        return JsonValue(*value);
    }
    fail(6, "Number overflow or parse error at character ", start);
}
