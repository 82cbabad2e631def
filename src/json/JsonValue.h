// SPDX-License-Identifier: MIT
#pragma once

#include "JsonDecimal.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

class JsonBag;
class JsonBagData;
class JsonText;

// One item value of a JsonBag: a 16-byte variant. Strings of up to 14 code
// units below U+0100 live inside the value; longer ones and nested bags are
// shared by reference count, so copying a value never copies text or a bag.
// Reading a value as the wrong kind raises error 13 "Type mismatch".
class alignas(8) JsonValue
{
public:
    enum class Kind : std::uint8_t
    {
        Empty,
        Null,
        Boolean,
        UInt8,
        Int16,
        Int32,
        Single,
        Double,
        Currency,
        Decimal,
        String,
        Bag,
        Date,
        ErrorValue,
        Other,
    };

    JsonValue() noexcept : m_kind(Kind::Empty), m_bytes{} {}
    JsonValue(std::nullptr_t) noexcept : m_kind(Kind::Null), m_bytes{} {}
    JsonValue(bool value);
    // A narrow literal would otherwise turn into the boolean true; text is UTF-16.
    JsonValue(const char *) = delete;
    JsonValue(std::uint8_t value);
    JsonValue(std::int16_t value);
    JsonValue(std::int32_t value);
    JsonValue(float value);
    JsonValue(double value);
    JsonValue(std::u16string_view text);
    JsonValue(const char16_t *text) : JsonValue(std::u16string_view(text)) {}
    JsonValue(const std::u16string &text) : JsonValue(std::u16string_view(text)) {}
    JsonValue(const JsonDecimal &value);
    JsonValue(const JsonBag &bag);

    // Currency: a 64-bit integer counting ten-thousandths.
    static JsonValue currency(std::int64_t tenThousandths);
    // Kinds a caller may store but that cannot be written as JSON.
    static JsonValue date(double serial);
    static JsonValue errorValue(std::int32_t code);
    static JsonValue other(std::uint16_t typeCode);

    JsonValue(const JsonValue &other) noexcept;
    JsonValue(JsonValue &&other) noexcept;
    JsonValue &operator=(const JsonValue &other) noexcept;
    JsonValue &operator=(JsonValue &&other) noexcept;
    ~JsonValue();

    Kind kind() const noexcept { return m_kind; }
    bool isNull() const noexcept { return m_kind == Kind::Null; }
    bool isString() const noexcept { return m_kind == Kind::String; }
    bool isBag() const noexcept { return m_kind == Kind::Bag; }
    bool isNumber() const noexcept;

    bool toBool() const;
    std::uint8_t toUInt8() const;
    std::int16_t toInt16() const;
    std::int32_t toInt32() const;
    float toSingle() const;
    // Any numeric kind, converted to double.
    double toDouble() const { return m_kind == Kind::Double ? load<double>(8) : convertToDouble(); }
    std::int64_t currencyTenThousandths() const;
    JsonDecimal toDecimal() const;
    std::u16string toString() const;
    JsonBag toBag() const;
    double dateSerial() const;
    std::int32_t errorCode() const;

    // The classic variant type number of the kind: 5 double, 7 date, 8 string,
    // 9 object, 10 error value, 14 decimal; values stored with other() keep theirs.
    std::uint16_t typeCode() const noexcept;

    // Same kind and same content; bags compare by identity.
    friend bool operator==(const JsonValue &a, const JsonValue &b);

    // The string's code units without copying: wide or one byte per unit.
    struct TextView
    {
        const void *data;
        std::size_t size;
        bool wide;
    };
    TextView textView() const;

    // Used by the parser and the bag storage, not meant for callers.
    static JsonValue fromUnits(const char16_t *units, std::size_t size, char16_t maxUnit);
    static JsonValue adoptBag(JsonBagData *bag) noexcept;
    JsonBagData *bagData() const noexcept
    {
        return m_kind == Kind::Bag ? load<JsonBagData *>(8) : nullptr;
    }
    JsonBagData *takeBag() noexcept;

private:
    static constexpr std::uint8_t kHeapText = 0xFF;
    static constexpr std::size_t kInlineText = 14;

    explicit JsonValue(Kind kind) noexcept : m_kind(kind), m_bytes{} {}

    template <class T> T load(std::size_t offset) const noexcept
    {
        T value;
        std::memcpy(&value, m_bytes + offset - 1, sizeof(T));
        return value;
    }
    template <class T> void store(std::size_t offset, T value) noexcept
    {
        std::memcpy(m_bytes + offset - 1, &value, sizeof(T));
    }

    double convertToDouble() const;
    JsonText *heapText() const noexcept;
    void addRef() const noexcept;
    void releaseRef() noexcept;
    [[noreturn]] static void typeMismatch();

    // Byte 1: inline text length or decimal sign; byte 2: decimal scale;
    // bytes 4..7 and 8..15: numbers, pointers or inline text from byte 2 on.
    Kind m_kind;
    unsigned char m_bytes[15];
};

static_assert(sizeof(JsonValue) == 16);
