// SPDX-License-Identifier: MIT
#include "JsonParser.h"

#include "JsonBagData.h"
#include "JsonError.h"
#include "JsonLimits.h"
#include "JsonNameCache.h"
#include "JsonScanner.h"
#include "JsonText.h"

#include <utility>
#include <vector>

namespace {

// Unit is char16_t for UTF-16 text and char for UTF-8 text. Items of open
// containers wait on two stacks and move into their bag, sized exactly, when
// the container closes.
template <class Unit> class Parser : JsonScanner<Unit>
{
public:
    Parser(std::basic_string_view<Unit> text, bool decimalMode)
        : JsonScanner<Unit>(text, decimalMode)
    {
    }

    Parser(const Parser &) = delete;
    Parser &operator=(const Parser &) = delete;

    ~Parser()
    {
        for (JsonText *name : m_names) {
            JsonText::release(name);
        }
    }

    void parseDocument(JsonBagData &root);

private:
    using Scanner = JsonScanner<Unit>;
    using Scanner::expected;
    using Scanner::fail;
    using Scanner::m_cur;
    using Scanner::m_decimalMode;
    using Scanner::m_len;
    using Scanner::skipWhitespace;
    using Scanner::unit;

    void enter()
    {
        if (++m_depth > JsonLimits::kMaxDepth) {
            throw JsonError(28, "Out of stack space");
        }
    }

    void completed() { m_topItems += m_depth == 1 ? 1 : 0; }

    void parseObject();
    void parseArray();
    void parseName();
    JsonValue parseValue();
    JsonValue parseChild(bool isArray);
    void fill(JsonBagData &bag, bool isArray, std::size_t valueBase, std::size_t nameBase);

    int m_depth = 0;
    std::size_t m_topItems = 0;
    std::vector<JsonValue> m_values;
    std::vector<JsonText *> m_names;
    JsonNameCache m_nameCache;
};

template <class Unit> void Parser<Unit>::parseDocument(JsonBagData &root)
{
    skipWhitespace();
    const unsigned c = m_cur < m_len ? unit(m_cur) : 0;
    if (c != '{' && c != '[') {
        expected("either { or [", m_cur);
    }
    ++m_cur;
    enter();
    try {
        c == '{' ? parseObject() : parseArray();
    } catch (...) {
        // The document stays as far as its top-level items were complete.
        m_values.resize(m_topItems);
        for (std::size_t i = c == '{' ? m_topItems : 0; i < m_names.size(); ++i) {
            JsonText::release(m_names[i]);
        }
        m_names.resize(c == '{' ? m_topItems : 0);
        fill(root, c == '[', 0, 0);
        throw;
    }
    fill(root, c == '[', 0, 0);
}

template <class Unit>
void Parser<Unit>::fill(JsonBagData &bag, bool isArray, std::size_t valueBase, std::size_t nameBase)
{
    const std::size_t count = m_values.size() - valueBase;
    if (isArray) {
        bag.reset(true);
        bag.array().reserve(count);
        for (std::size_t i = valueBase; i < m_values.size(); ++i) {
            bag.array().append(std::move(m_values[i]));
        }
    } else {
        bag.object().reserve(count);
        for (std::size_t i = 0; i < count; ++i) {
            JsonText *name = std::exchange(m_names[nameBase + i], nullptr);
            bag.object().assign(name, std::move(m_values[valueBase + i]));
        }
        m_names.resize(nameBase);
    }
    m_values.resize(valueBase);
}

template <class Unit> void Parser<Unit>::parseObject()
{
    bool itemSeen = false;
    for (;;) {
        skipWhitespace();
        if (m_cur >= m_len) {
            expected(", or }", m_cur);
        }
        const unsigned c = unit(m_cur++);
        if (c == '"') {
            parseName();
            m_values.push_back(parseValue());
            itemSeen = true;
            completed();
        } else if (c == ',') {
            if (!itemSeen) {
                fail(13, "Found \",\" before first item at character ", m_cur - 1);
            }
        } else if (c == '}') {
            return;
        } else {
            expected(", or }", m_cur - 1);
        }
    }
}

template <class Unit> void Parser<Unit>::parseArray()
{
    for (;;) {
        skipWhitespace();
        if (m_cur < m_len) {
            const unsigned c = unit(m_cur);
            if (c == ',') {
                ++m_cur;
                continue;
            }
            if (c == ']') {
                ++m_cur;
                return;
            }
        }
        m_values.push_back(parseValue());
        completed();
    }
}

template <class Unit> void Parser<Unit>::parseName()
{
    this->scanString();
    m_names.push_back(m_nameCache.get(this->scanned()));
    skipWhitespace();
    if (m_cur >= m_len || unit(m_cur) != ':') {
        expected(":", m_cur);
    }
    ++m_cur;
}

template <class Unit> JsonValue Parser<Unit>::parseValue()
{
    skipWhitespace();
    const unsigned c = m_cur < m_len ? unit(m_cur) : 0;
    if (c == '"') {
        ++m_cur;
        this->scanString();
        return this->scannedValue();
    }
    if (c == '{' || c == '[') {
        ++m_cur;
        return parseChild(c == '[');
    }
    if (c == '-' || (c >= '0' && c <= '9')) {
        return this->scanNumber();
    }
    JsonValue value;
    if (m_cur >= m_len || !this->scanLiteral(value)) {
        fail(13, "Bad value at character ", m_cur);
    }
    return value;
}

template <class Unit> JsonValue Parser<Unit>::parseChild(bool isArray)
{
    enter();
    const std::size_t valueBase = m_values.size();
    const std::size_t nameBase = m_names.size();
    isArray ? parseArray() : parseObject();
    auto *bag = new JsonBagData;
    JsonValue value = JsonValue::adoptBag(bag);
    bag->setDecimalMode(m_decimalMode);
    fill(*bag, isArray, valueBase, nameBase);
    --m_depth;
    return value;
}

} // namespace

void JsonParser::parse(JsonBagData &bag, std::u16string_view text)
{
    Parser<char16_t>(text, bag.decimalMode()).parseDocument(bag);
}

void JsonParser::parse(JsonBagData &bag, std::string_view utf8)
{
    Parser<char>(utf8, bag.decimalMode()).parseDocument(bag);
}
