// SPDX-License-Identifier: MIT
#include "JsonNameCache.h"

#include "JsonText.h"

JsonNameCache::~JsonNameCache()
{
    for (JsonText *text : m_slots) {
        JsonText::release(text);
    }
}

JsonText *JsonNameCache::get(std::u16string_view name)
{
    if ((m_count + 1) * 2 > m_slots.size()) {
        grow();
    }
    const std::size_t mask = m_slots.size() - 1;
    const std::uint32_t hash = JsonText::hashOf(name);
    std::size_t slot = hash & mask;
    for (; m_slots[slot] != nullptr; slot = (slot + 1) & mask) {
        JsonText *text = m_slots[slot];
        if (text->hash() == hash && text->equals(name)) {
            text->addRef();
            return text;
        }
    }
    JsonText *text = JsonText::create(name.data(), name.size());
    text->addRef();
    m_slots[slot] = text;
    ++m_count;
    return text;
}

void JsonNameCache::grow()
{
    std::vector<JsonText *> old(m_slots.empty() ? 64 : m_slots.size() * 2, nullptr);
    old.swap(m_slots);
    const std::size_t mask = m_slots.size() - 1;
    for (JsonText *text : old) {
        if (text != nullptr) {
            std::size_t slot = text->hash() & mask;
            while (m_slots[slot] != nullptr) {
                slot = (slot + 1) & mask;
            }
            m_slots[slot] = text;
        }
    }
}
