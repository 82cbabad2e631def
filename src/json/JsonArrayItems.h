// SPDX-License-Identifier: MIT
#pragma once

#include "JsonValue.h"

#include <cstddef>
#include <cstdint>

class JsonBagData;

// The values of an array bag: a plain growable array, 16 bytes of bookkeeping
// so that an array bag stays as small as a pointer, a count and a capacity.
class JsonArrayItems
{
public:
    JsonArrayItems() noexcept = default;
    JsonArrayItems(const JsonArrayItems &) = delete;
    JsonArrayItems &operator=(const JsonArrayItems &) = delete;
    ~JsonArrayItems() { clear(); }

    std::size_t size() const noexcept { return m_size; }
    JsonValue &operator[](std::size_t i) noexcept { return m_data[i]; }
    const JsonValue &operator[](std::size_t i) const noexcept { return m_data[i]; }

    void reserve(std::size_t capacity);
    void append(JsonValue &&value);
    void removeAt(std::size_t i) noexcept;
    void clear() noexcept;

    // Hands every nested bag over to f(JsonBagData *) and leaves the value empty.
    template <class F> void takeBags(F &&f) noexcept
    {
        for (std::uint32_t i = 0; i < m_size; ++i) {
            if (JsonBagData *bag = m_data[i].takeBag()) {
                f(bag);
            }
        }
    }

private:
    JsonValue *m_data = nullptr;
    std::uint32_t m_size = 0;
    std::uint32_t m_capacity = 0;
};
