// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// An immutable, reference-counted UTF-16 string on the heap, used for item names
// and for string values too long to sit inside a JsonValue. Text whose code units
// all lie below U+0100 is stored one byte per unit, which halves the memory of
// the usual ASCII names and values without changing what callers see.
class JsonText
{
public:
    static JsonText *create(const char16_t *units, std::size_t size);
    static JsonText *createNarrow(const unsigned char *units, std::size_t size);

    void addRef() noexcept { ++m_refs; }
    static void release(JsonText *text) noexcept;

    std::size_t size() const noexcept { return m_sizeAndFlags & kSizeMask; }
    bool isWide() const noexcept { return (m_sizeAndFlags & kWide) != 0; }
    const unsigned char *narrow() const noexcept { return units(); }
    const char16_t *wide() const noexcept;
    char16_t at(std::size_t i) const noexcept;

    // Computed on first use: string values never need it, names always do.
    std::uint32_t hash() const noexcept;
    bool equals(std::u16string_view other) const noexcept;
    std::u16string toU16() const;

    static std::uint32_t hashOf(std::u16string_view units) noexcept;
    static std::uint32_t hashOf(const unsigned char *units, std::size_t size) noexcept;

private:
    JsonText() = default;

    static void *allocate(std::size_t bytes);
    // The code units follow the header in the same allocation.
    unsigned char *units() noexcept { return reinterpret_cast<unsigned char *>(this + 1); }
    const unsigned char *units() const noexcept
    {
        return reinterpret_cast<const unsigned char *>(this + 1);
    }

    static constexpr std::uint32_t kWide = 0x80000000U;
    static constexpr std::uint32_t kHashed = 0x40000000U;
    static constexpr std::uint32_t kSizeMask = 0x3FFFFFFFU;

    std::uint32_t m_refs = 1;
    mutable std::uint32_t m_sizeAndFlags = 0;
    mutable std::uint32_t m_hash = 0;
};
