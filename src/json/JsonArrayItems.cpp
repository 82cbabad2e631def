// SPDX-License-Identifier: MIT
#include "JsonArrayItems.h"

#include <algorithm>
#include <new>
#include <utility>

void JsonArrayItems::reserve(std::size_t capacity)
{
    if (capacity <= m_capacity) {
        return;
    }
    auto *data = static_cast<JsonValue *>(::operator new(capacity * sizeof(JsonValue)));
    for (std::uint32_t i = 0; i < m_size; ++i) {
        new (data + i) JsonValue(std::move(m_data[i]));
        m_data[i].~JsonValue();
    }
    ::operator delete(m_data);
    m_data = data;
    m_capacity = static_cast<std::uint32_t>(capacity);
}

void JsonArrayItems::append(JsonValue &&value)
{
    if (m_size == m_capacity) {
        reserve(std::max<std::size_t>(4, std::size_t{m_capacity} * 2));
    }
    new (m_data + m_size) JsonValue(std::move(value));
    ++m_size;
}

void JsonArrayItems::removeAt(std::size_t i) noexcept
{
    std::move(m_data + i + 1, m_data + m_size, m_data + i);
    m_data[--m_size].~JsonValue();
}

void JsonArrayItems::clear() noexcept
{
    for (std::uint32_t i = 0; i < m_size; ++i) {
        m_data[i].~JsonValue();
    }
    ::operator delete(m_data);
    m_data = nullptr;
    m_size = 0;
    m_capacity = 0;
}
