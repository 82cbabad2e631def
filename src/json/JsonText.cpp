// SPDX-License-Identifier: MIT
#include "JsonText.h"

#include <cstring>
#include <new>

namespace {

// FNV-1a over 16-bit code units, identical for narrow and wide storage so a
// name hashes the same whichever way it is held.
constexpr std::uint32_t kOffset = 2166136261U;
constexpr std::uint32_t kPrime = 16777619U;

std::uint32_t finish(std::uint32_t h)
{
    // The name index takes the low bits; fold the high ones in.
    h ^= h >> 16;
    h *= 0x7FEB352DU;
    h ^= h >> 15;
    return h;
}

} // namespace

void *JsonText::allocate(std::size_t bytes)
{
    return ::operator new(sizeof(JsonText) + bytes);
}

std::uint32_t JsonText::hash() const noexcept
{
    if ((m_sizeAndFlags & kHashed) == 0) {
        m_hash = isWide() ? hashOf(std::u16string_view(wide(), size())) : hashOf(units(), size());
        m_sizeAndFlags |= kHashed;
    }
    return m_hash;
}

JsonText *JsonText::create(const char16_t *units, std::size_t size)
{
    char16_t maxUnit = 0;
    for (std::size_t i = 0; i < size; ++i) {
        maxUnit |= units[i];
    }
    if (maxUnit < 0x100) {
        auto *text = new (allocate(size)) JsonText;
        for (std::size_t i = 0; i < size; ++i) {
            text->units()[i] = static_cast<unsigned char>(units[i]);
        }
        text->m_sizeAndFlags = static_cast<std::uint32_t>(size);
        return text;
    }
    auto *text = new (allocate(size * 2)) JsonText;
    std::memcpy(text->units(), units, size * 2);
    text->m_sizeAndFlags = static_cast<std::uint32_t>(size) | kWide;
    return text;
}

JsonText *JsonText::createNarrow(const unsigned char *units, std::size_t size)
{
    auto *text = new (allocate(size)) JsonText;
    std::memcpy(text->units(), units, size);
    text->m_sizeAndFlags = static_cast<std::uint32_t>(size);
    return text;
}

void JsonText::release(JsonText *text) noexcept
{
    if (text != nullptr && --text->m_refs == 0) {
        text->~JsonText();
        ::operator delete(text);
    }
}

const char16_t *JsonText::wide() const noexcept
{
    return reinterpret_cast<const char16_t *>(units());
}

char16_t JsonText::at(std::size_t i) const noexcept
{
    return isWide() ? wide()[i] : units()[i];
}

bool JsonText::equals(std::u16string_view other) const noexcept
{
    if (other.size() != size()) {
        return false;
    }
    if (isWide()) {
        return std::memcmp(wide(), other.data(), other.size() * 2) == 0;
    }
    for (std::size_t i = 0; i < other.size(); ++i) {
        if (other[i] != units()[i]) {
            return false;
        }
    }
    return true;
}

std::u16string JsonText::toU16() const
{
    if (isWide()) {
        return std::u16string(wide(), size());
    }
    return std::u16string(units(), units() + size());
}

std::uint32_t JsonText::hashOf(std::u16string_view units) noexcept
{
    std::uint32_t h = kOffset;
    for (const char16_t u : units) {
        h = (h ^ u) * kPrime;
    }
    return finish(h);
}

std::uint32_t JsonText::hashOf(const unsigned char *units, std::size_t size) noexcept
{
    std::uint32_t h = kOffset;
    for (std::size_t i = 0; i < size; ++i) {
        h = (h ^ units[i]) * kPrime;
    }
    return finish(h);
}
