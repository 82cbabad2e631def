// SPDX-License-Identifier: MIT
#include "JsonWriter.h"

#include "JsonBagData.h"
#include "JsonError.h"
#include "JsonLimits.h"
#include "JsonNumberText.h"
#include "JsonText.h"
#include "JsonUtf.h"

#include <algorithm>
#include <cmath>

namespace {

// Characters written as "\u" escapes although JSON would allow them raw:
// controls, invisible formatting characters, byte order mark, replacement
// character and every lone surrogate half.
bool needsUnicodeEscape(char16_t u)
{
    return u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x34F || (u >= 0x200B && u <= 0x200F) ||
           (u >= 0x2028 && u <= 0x202E) || u == 0x2060 || (u >= 0xFE01 && u <= 0xFE0F) ||
           u == 0xFEFF || u == 0xFFFD || (u >= 0xD800 && u <= 0xDFFF);
}

char shortEscape(char16_t u)
{
    switch (u) {
    case u'"':
        return '"';
    case u'\\':
        return '\\';
    case 0x08:
        return 'b';
    case 0x0C:
        return 'f';
    case 0x0A:
        return 'n';
    case 0x0D:
        return 'r';
    case 0x09:
        return 't';
    default:
        return 0;
    }
}

template <class Out> class Writer
{
public:
    explicit Writer(bool whitespace) : m_whitespace(whitespace) {}

    std::basic_string<Out> run(const JsonBagData &bag)
    {
        writeBag(bag, 0);
        m_out.resize(m_pos);
        return std::move(m_out);
    }

private:
    Out *room(std::size_t n)
    {
        if (m_pos + n > m_out.size()) [[unlikely]] {
            grow(n);
        }
        return m_out.data() + m_pos;
    }

    [[gnu::noinline]] void grow(std::size_t n)
    {
        m_out.resize(std::max(m_out.size() * 2, m_pos + n + 4096));
    }

    void put(char c) { *room(1) = static_cast<Out>(c), ++m_pos; }

    void put(std::string_view text)
    {
        Out *out = room(text.size());
        for (const char c : text) {
            *out++ = static_cast<Out>(c);
        }
        m_pos += text.size();
    }

    void indent(int level)
    {
        Out *out = room(static_cast<std::size_t>(level) * 4);
        std::fill_n(out, level * 4, Out(' '));
        m_pos += static_cast<std::size_t>(level) * 4;
    }

    void newLine() { put("\r\n"); }

    Out *escape(Out *out, char16_t u)
    {
        static constexpr char kHex[] = "0123456789ABCDEF";
        *out++ = Out('\\');
        if (const char letter = shortEscape(u)) {
            *out++ = static_cast<Out>(letter);
            return out;
        }
        *out++ = Out('u');
        for (int shift = 12; shift >= 0; shift -= 4) {
            *out++ = static_cast<Out>(kHex[(u >> shift) & 0xF]);
        }
        return out;
    }

    Out *plain(Out *out, char16_t u)
    {
        if constexpr (sizeof(Out) == 1) {
            // Surrogates are always escaped, so one unit is one code point here.
            if (u >= 0x800) {
                *out++ = static_cast<char>(0xE0 | (u >> 12));
                *out++ = static_cast<char>(0x80 | ((u >> 6) & 0x3F));
                *out++ = static_cast<char>(0x80 | (u & 0x3F));
                return out;
            }
            if (u >= 0x80) {
                *out++ = static_cast<char>(0xC0 | (u >> 6));
                *out++ = static_cast<char>(0x80 | (u & 0x3F));
                return out;
            }
        }
        *out++ = static_cast<Out>(u);
        return out;
    }

    template <class Unit> void writeUnits(const Unit *units, std::size_t size)
    {
        Out *out = room(size * 6 + 2);
        *out++ = Out('"');
        for (std::size_t i = 0; i < size; ++i) {
            const char16_t u = units[i];
            if (u >= 0x20 && u < 0x7F && u != u'"' && u != u'\\') {
                *out++ = static_cast<Out>(u);
            } else if (shortEscape(u) != 0 || needsUnicodeEscape(u)) {
                out = escape(out, u);
            } else {
                out = plain(out, u);
            }
        }
        *out++ = Out('"');
        m_pos = static_cast<std::size_t>(out - m_out.data());
    }

    void writeString(const JsonValue::TextView &text)
    {
        if (text.wide) {
            writeUnits(static_cast<const char16_t *>(text.data), text.size);
        } else {
            writeUnits(static_cast<const unsigned char *>(text.data), text.size);
        }
    }

    void writeName(const JsonText &name)
    {
        if (name.isWide()) {
            writeUnits(name.wide(), name.size());
        } else {
            writeUnits(name.narrow(), name.size());
        }
    }

    [[noreturn]] static void unsupported(const JsonText *name, const std::string &detail)
    {
        const std::string prefix = name != nullptr ? JsonUtf::toUtf8(name->toU16()) : "";
        throw JsonError(51, prefix + detail);
    }

    template <class Float> void writeFloat(const JsonText *name, Float value)
    {
        char buffer[JsonNumberText::kBufferSize];
        const std::string_view text = JsonNumberText::format(value, buffer);
        if (text.empty()) {
            const char *shown = std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
            unsupported(name, std::string(", value ") + shown + " failed to serialize");
        }
        put(text);
    }

    void writeItem(const JsonText *name, const JsonValue &value, int level);
    void writeScalar(const JsonText *name, const JsonValue &value);
    void writeBag(const JsonBagData &bag, int level);

    bool m_whitespace;
    std::basic_string<Out> m_out;
    std::size_t m_pos = 0;
};

template <class Out>
void Writer<Out>::writeItem(const JsonText *name, const JsonValue &value, int level)
{
    if (name != nullptr) {
        if (m_whitespace) {
            indent(level);
        }
        writeName(*name);
        put(':');
    } else if (m_whitespace) {
        // Array elements and the top level start their own line; a member's
        // value follows its colon.
        indent(level);
    }
    if (const JsonBagData *bag = value.bagData()) {
        writeBag(*bag, level);
    } else {
        writeScalar(name, value);
    }
}

template <class Out> void Writer<Out>::writeScalar(const JsonText *name, const JsonValue &value)
{
    char buffer[JsonNumberText::kBufferSize];
    switch (value.kind()) {
    case JsonValue::Kind::Empty:
    case JsonValue::Kind::Null:
        return put("null");
    case JsonValue::Kind::Boolean:
        return put(value.toBool() ? "true" : "false");
    case JsonValue::Kind::UInt8:
    case JsonValue::Kind::Int16:
    case JsonValue::Kind::Int32:
        return put(
            JsonNumberText::formatInteger(static_cast<std::int64_t>(value.toDouble()), buffer));
    case JsonValue::Kind::Single:
        return writeFloat(name, value.toSingle());
    case JsonValue::Kind::Double:
        return writeFloat(name, value.toDouble());
    case JsonValue::Kind::Currency:
        return put(JsonNumberText::formatCurrency(value.currencyTenThousandths(), buffer));
    case JsonValue::Kind::Decimal:
        return put(value.toDecimal().toText());
    case JsonValue::Kind::String:
        return writeString(value.textView());
    default:
        unsupported(name, ", unknown/unsupported type = " + std::to_string(value.typeCode()));
    }
}

template <class Out> void Writer<Out>::writeBag(const JsonBagData &bag, int level)
{
    if (level >= JsonLimits::kMaxDepth) {
        throw JsonError(28, "Out of stack space");
    }
    const bool isArray = bag.isArray();
    put(isArray ? '[' : '{');
    if (bag.count() == 0) {
        return put(isArray ? ']' : '}');
    }
    bool first = true;
    const auto separate = [&] {
        if (!first) {
            put(',');
        }
        if (m_whitespace) {
            newLine();
        }
        first = false;
    };
    if (isArray) {
        for (std::size_t i = 0; i < bag.array().size(); ++i) {
            separate();
            writeItem(nullptr, bag.array()[i], level + 1);
        }
    } else {
        bag.object().forEach([&](const JsonObjectTable::Entry &e) {
            separate();
            writeItem(e.name, e.value, level + 1);
        });
    }
    if (m_whitespace) {
        newLine();
        indent(level);
    }
    put(isArray ? ']' : '}');
}

} // namespace

std::u16string JsonWriter::toUtf16(const JsonBagData &bag, bool whitespace)
{
    return Writer<char16_t>(whitespace).run(bag);
}

std::string JsonWriter::toUtf8(const JsonBagData &bag, bool whitespace)
{
    return Writer<char>(whitespace).run(bag);
}
