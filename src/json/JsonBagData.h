// SPDX-License-Identifier: MIT
#pragma once

#include "JsonArrayItems.h"
#include "JsonObjectTable.h"

#include <cstdint>

// The shared state behind JsonBag handles: mode flags and either the array
// values or the object members, with an intrusive reference count so that a
// bag held by a parent costs one pointer there. 24 bytes in all.
class JsonBagData
{
public:
    JsonBagData() noexcept : m_object() {}
    JsonBagData(const JsonBagData &) = delete;
    JsonBagData &operator=(const JsonBagData &) = delete;
    ~JsonBagData();

    void addRef() noexcept { ++m_refs; }
    // Frees the bag when the last reference goes, and with it every nested bag
    // no one else holds, iteratively: a tree of any depth cannot exhaust the stack.
    static void release(JsonBagData *bag) noexcept;

    bool isArray() const noexcept { return m_isArray; }
    // Empties the bag and switches its mode.
    void reset(bool isArray) noexcept;

    std::size_t count() const noexcept { return m_isArray ? m_array.size() : m_object.size(); }
    JsonArrayItems &array() noexcept { return m_array; }
    const JsonArrayItems &array() const noexcept { return m_array; }
    JsonObjectTable &object() noexcept { return m_object; }
    const JsonObjectTable &object() const noexcept { return m_object; }

    bool decimalMode() const noexcept { return m_decimalMode; }
    void setDecimalMode(bool on) noexcept { m_decimalMode = on; }
    bool whitespace() const noexcept { return m_whitespace; }
    void setWhitespace(bool on) noexcept { m_whitespace = on; }

private:
    template <class F> void takeBags(F &&f) noexcept;

    std::uint32_t m_refs = 1;
    bool m_isArray = false;
    bool m_decimalMode = false;
    bool m_whitespace = false;
    union {
        JsonArrayItems m_array;
        JsonObjectTable m_object;
    };
};

static_assert(sizeof(JsonBagData) == 24);
