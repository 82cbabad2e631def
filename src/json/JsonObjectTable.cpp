// SPDX-License-Identifier: MIT
#include "JsonObjectTable.h"

#include "JsonText.h"

#include <algorithm>
#include <new>
#include <utility>

namespace {

// Up to this many slots a scan over the stored hashes beats an index.
constexpr std::size_t kScanLimit = 8;

std::uint32_t indexSizeFor(std::size_t capacity)
{
    if (capacity <= kScanLimit) {
        return 0;
    }
    // Keeps the index at most two-thirds full so probe runs stay short.
    std::uint32_t size = 16;
    while (size < capacity + capacity / 2) {
        size *= 2;
    }
    return size;
}

bool sameText(const JsonText &a, const JsonText &b)
{
    if (&a == &b) {
        return true;
    }
    if (a.size() != b.size() || a.hash() != b.hash()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a.at(i) != b.at(i)) {
            return false;
        }
    }
    return true;
}

} // namespace

JsonObjectTable::~JsonObjectTable()
{
    destroyAll();
}

JsonObjectTable::Entry *JsonObjectTable::entries() const noexcept
{
    return reinterpret_cast<Entry *>(m_block + 1);
}

std::uint32_t *JsonObjectTable::index() const noexcept
{
    return reinterpret_cast<std::uint32_t *>(entries() + m_capacity);
}

std::uint32_t JsonObjectTable::headCount() const noexcept
{
    return m_block != nullptr ? m_block->head : 0;
}

std::size_t JsonObjectTable::size() const noexcept
{
    return m_block != nullptr ? m_used - m_block->dead : 0;
}

void JsonObjectTable::destroyAll() noexcept
{
    if (m_block == nullptr) {
        return;
    }
    for (std::uint32_t i = 0; i < m_used; ++i) {
        JsonText::release(entries()[i].name);
        entries()[i].~Entry();
    }
    ::operator delete(m_block);
    m_block = nullptr;
    m_used = 0;
    m_capacity = 0;
}

void JsonObjectTable::clear() noexcept
{
    destroyAll();
}

void JsonObjectTable::reserve(std::size_t capacity)
{
    if (capacity > m_capacity) {
        reallocate(capacity);
    }
}

void JsonObjectTable::reallocate(std::size_t capacity)
{
    const std::uint32_t indexSize = indexSizeFor(capacity);
    void *memory = ::operator new(sizeof(Header) + capacity * sizeof(Entry) +
                                  std::size_t{indexSize} * sizeof(std::uint32_t));
    auto *block = new (memory) Header{0, 0, indexSize, 0};
    auto *target = reinterpret_cast<Entry *>(block + 1);
    std::uint32_t used = 0;
    for (std::uint32_t i = headCount(); i < m_used; ++i) {
        Entry &e = entries()[i];
        if (e.name != nullptr) {
            new (target + used++) Entry{std::exchange(e.name, nullptr), std::move(e.value)};
        }
    }
    destroyAll();
    m_block = block;
    m_used = used;
    m_capacity = static_cast<std::uint32_t>(capacity);
    rebuildIndex();
}

void JsonObjectTable::compact() noexcept
{
    std::uint32_t used = 0;
    for (std::uint32_t i = 0; i < m_used; ++i) {
        Entry &e = entries()[i];
        if (e.name == nullptr) {
            continue;
        }
        if (i != used) {
            // The target is a removed entry: its name is null and its value empty.
            entries()[used].name = std::exchange(e.name, nullptr);
            entries()[used].value = std::move(e.value);
        }
        ++used;
    }
    for (std::uint32_t i = used; i < m_used; ++i) {
        entries()[i].~Entry();
    }
    m_used = used;
    m_block->dead = 0;
    m_block->head = 0;
    rebuildIndex();
}

void JsonObjectTable::rebuildIndex() noexcept
{
    if (m_block->indexSize == 0) {
        return;
    }
    std::fill_n(index(), m_block->indexSize, 0U);
    for (std::uint32_t i = 0; i < m_used; ++i) {
        if (entries()[i].name != nullptr) {
            indexInsert(i);
        }
    }
}

// Index slots hold entry number + 1; 0 is a free slot.
void JsonObjectTable::indexInsert(std::uint32_t entry) noexcept
{
    const std::uint32_t mask = m_block->indexSize - 1;
    std::uint32_t slot = entries()[entry].name->hash() & mask;
    while (index()[slot] != 0) {
        slot = (slot + 1) & mask;
    }
    index()[slot] = entry + 1;
}

void JsonObjectTable::indexErase(std::uint32_t entry) noexcept
{
    const std::uint32_t mask = m_block->indexSize - 1;
    std::uint32_t *slots = index();
    std::uint32_t hole = entries()[entry].name->hash() & mask;
    while (slots[hole] != entry + 1) {
        hole = (hole + 1) & mask;
    }
    // Backward-shift deletion: pull later members of the probe run into the
    // hole when their home slot does not lie between the hole and themselves.
    for (std::uint32_t next = (hole + 1) & mask; slots[next] != 0; next = (next + 1) & mask) {
        const std::uint32_t home = entries()[slots[next] - 1].name->hash() & mask;
        const bool stays =
            hole <= next ? (hole < home && home <= next) : (hole < home || home <= next);
        if (!stays) {
            slots[hole] = slots[next];
            hole = next;
        }
    }
    slots[hole] = 0;
}

template <class Eq>
std::size_t JsonObjectTable::lookup(std::uint32_t hash, Eq &&equal) const noexcept
{
    if (m_block == nullptr) {
        return npos;
    }
    if (m_block->indexSize == 0) {
        for (std::uint32_t i = m_block->head; i < m_used; ++i) {
            const JsonText *name = entries()[i].name;
            if (name != nullptr && name->hash() == hash && equal(*name)) {
                return i;
            }
        }
        return npos;
    }
    const std::uint32_t mask = m_block->indexSize - 1;
    for (std::uint32_t slot = hash & mask; index()[slot] != 0; slot = (slot + 1) & mask) {
        const std::uint32_t i = index()[slot] - 1;
        const JsonText *name = entries()[i].name;
        if (name->hash() == hash && equal(*name)) {
            return i;
        }
    }
    return npos;
}

std::size_t JsonObjectTable::findText(const JsonText *name) const noexcept
{
    return lookup(name->hash(), [name](const JsonText &other) { return sameText(*name, other); });
}

JsonValue *JsonObjectTable::find(std::u16string_view name) const noexcept
{
    const std::size_t i = lookup(JsonText::hashOf(name),
                                 [name](const JsonText &other) { return other.equals(name); });
    return i == npos ? nullptr : &entries()[i].value;
}

void JsonObjectTable::assign(JsonText *name, JsonValue &&value)
{
    const std::size_t existing = findText(name);
    if (existing != npos) {
        kill(static_cast<std::uint32_t>(existing));
    }
    if (m_used == m_capacity) {
        try {
            reallocate(std::max<std::size_t>(4, size() * 2));
        } catch (...) {
            JsonText::release(name);
            throw;
        }
    }
    new (entries() + m_used) Entry{name, std::move(value)};
    ++m_used;
    if (m_block->indexSize != 0) {
        indexInsert(m_used - 1);
    }
}

void JsonObjectTable::kill(std::uint32_t i) noexcept
{
    Entry &e = entries()[i];
    if (m_block->indexSize != 0) {
        indexErase(i);
    }
    JsonText::release(std::exchange(e.name, nullptr));
    e.value = JsonValue();
    ++m_block->dead;
    if (i + 1 == m_used) {
        while (m_used > 0 && entries()[m_used - 1].name == nullptr) {
            entries()[--m_used].~Entry();
            --m_block->dead;
        }
        m_block->head = std::min(m_block->head, m_used);
    } else if (i == m_block->head) {
        while (m_block->head < m_used && entries()[m_block->head].name == nullptr) {
            ++m_block->head;
        }
    }
    if (m_block->dead > 16 && m_block->dead > size()) {
        compact();
    }
}

void JsonObjectTable::remove(std::u16string_view name) noexcept
{
    const std::size_t i = lookup(JsonText::hashOf(name),
                                 [name](const JsonText &other) { return other.equals(name); });
    if (i != npos) {
        kill(static_cast<std::uint32_t>(i));
    }
}

JsonObjectTable::Entry &JsonObjectTable::at(std::size_t position) noexcept
{
    if (m_block->dead != m_block->head) {
        compact();
    }
    return entries()[m_block->head + position];
}

void JsonObjectTable::removeAt(std::size_t position) noexcept
{
    if (m_block->dead != m_block->head) {
        compact();
    }
    kill(static_cast<std::uint32_t>(m_block->head + position));
}
