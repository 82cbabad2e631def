// SPDX-License-Identifier: MIT
#pragma once

#include "JsonValue.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

class JsonBagData;
class JsonText;

// The members of an object bag in item order, found by exact name in O(1) on
// average. Small tables are scanned; from nine slots on, an open-addressing
// index of entry numbers sits in the same allocation as the entries.
//
// Removing a member leaves a hole that is dropped lazily: holes at the front
// and the back cost nothing, other holes are squeezed out by the next access by
// position or once they outnumber the members, so bulk removal stays linear.
class JsonObjectTable
{
public:
    struct Entry
    {
        JsonText *name; // nullptr marks a removed member
        JsonValue value;
    };

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    JsonObjectTable() noexcept = default;
    JsonObjectTable(const JsonObjectTable &) = delete;
    JsonObjectTable &operator=(const JsonObjectTable &) = delete;
    ~JsonObjectTable();

    std::size_t size() const noexcept;
    void reserve(std::size_t capacity);
    void clear() noexcept;

    // Takes over the reference to name. An existing member of that name is
    // removed first, so the member always ends up last.
    void assign(JsonText *name, JsonValue &&value);

    JsonValue *find(std::u16string_view name) const noexcept;
    void remove(std::u16string_view name) noexcept;

    // 0-based position among the members.
    Entry &at(std::size_t position) noexcept;
    void removeAt(std::size_t position) noexcept;

    // Calls f(const Entry &) for every member in order.
    template <class F> void forEach(F &&f) const
    {
        for (std::uint32_t i = headCount(); i < m_used; ++i) {
            if (entries()[i].name != nullptr) {
                f(entries()[i]);
            }
        }
    }

    // Hands every nested bag over to f(JsonBagData *) and leaves the value
    // empty; used to tear down deep trees without recursion.
    template <class F> void takeBags(F &&f) noexcept
    {
        for (std::uint32_t i = 0; i < m_used; ++i) {
            if (JsonBagData *bag = entries()[i].value.takeBag()) {
                f(bag);
            }
        }
    }

private:
    struct Header
    {
        std::uint32_t dead;
        std::uint32_t head;      // leading removed entries
        std::uint32_t indexSize; // 0 or a power of two
        std::uint32_t reserved;
    };

    Entry *entries() const noexcept;
    std::uint32_t *index() const noexcept;
    std::uint32_t headCount() const noexcept;

    template <class Eq> std::size_t lookup(std::uint32_t hash, Eq &&equal) const noexcept;
    std::size_t findText(const JsonText *name) const noexcept;
    void reallocate(std::size_t capacity);
    void compact() noexcept;
    void rebuildIndex() noexcept;
    void indexInsert(std::uint32_t entry) noexcept;
    void indexErase(std::uint32_t entry) noexcept;
    void kill(std::uint32_t entry) noexcept;
    void destroyAll() noexcept;

    Header *m_block = nullptr;
    std::uint32_t m_used = 0; // entries in use, removed ones included
    std::uint32_t m_capacity = 0;
};
