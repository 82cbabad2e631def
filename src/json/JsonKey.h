// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The key of Item, Exists and Remove: a name (object member), a 1-based
// position (either kind of bag), or null. A name key only views its text, so
// build it in the call that uses it.
class JsonKey
{
public:
    enum class Type
    {
        Null,
        Name,
        Position
    };

    JsonKey() noexcept = default;
    JsonKey(std::nullptr_t) noexcept {}
    JsonKey(std::u16string_view name) noexcept : m_type(Type::Name), m_name(name) {}
    JsonKey(const char16_t *name) noexcept : JsonKey(std::u16string_view(name)) {}
    JsonKey(const std::u16string &name) noexcept : JsonKey(std::u16string_view(name)) {}
    JsonKey(int position) noexcept : m_type(Type::Position), m_position(position) {}
    JsonKey(std::int64_t position) noexcept : m_type(Type::Position), m_position(position) {}
    // A fractional position rounds half to even; NaN and infinities are no position.
    JsonKey(double position) noexcept;

    Type type() const noexcept { return m_type; }
    bool isNull() const noexcept { return m_type == Type::Null; }
    bool isName() const noexcept { return m_type == Type::Name; }
    std::u16string_view name() const noexcept { return m_name; }
    std::int64_t position() const noexcept { return m_position; }

private:
    Type m_type = Type::Null;
    std::u16string_view m_name;
    std::int64_t m_position = 0;
};
