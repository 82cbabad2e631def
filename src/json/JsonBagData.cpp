// SPDX-License-Identifier: MIT
#include "JsonBagData.h"

#include <memory>
#include <vector>

JsonBagData::~JsonBagData()
{
    if (m_isArray) {
        m_array.~JsonArrayItems();
    } else {
        m_object.~JsonObjectTable();
    }
}

void JsonBagData::reset(bool isArray) noexcept
{
    if (m_isArray) {
        m_array.~JsonArrayItems();
    } else {
        m_object.~JsonObjectTable();
    }
    m_isArray = isArray;
    if (isArray) {
        std::construct_at(&m_array);
    } else {
        std::construct_at(&m_object);
    }
}

template <class F> void JsonBagData::takeBags(F &&f) noexcept
{
    if (m_isArray) {
        m_array.takeBags(f);
    } else {
        m_object.takeBags(f);
    }
}

void JsonBagData::release(JsonBagData *bag) noexcept
{
    if (bag == nullptr || --bag->m_refs != 0) {
        return;
    }
    std::vector<JsonBagData *> dying;
    const auto collect = [&dying](JsonBagData *child) {
        if (--child->m_refs == 0) {
            // Without memory for the work list, fall back to plain recursion.
            try {
                dying.push_back(child);
            } catch (...) {
                child->m_refs = 1;
                release(child);
            }
        }
    };
    bag->takeBags(collect);
    delete bag;
    while (!dying.empty()) {
        JsonBagData *next = dying.back();
        dying.pop_back();
        next->takeBags(collect);
        delete next;
    }
}
