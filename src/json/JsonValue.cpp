// SPDX-License-Identifier: MIT
#include "JsonValue.h"

#include "JsonBag.h"
#include "JsonBagData.h"
#include "JsonError.h"
#include "JsonText.h"

#include <utility>

namespace {

constexpr std::size_t kAux = 1;
constexpr std::size_t kScale = 2;
constexpr std::size_t kLow = 4;
constexpr std::size_t kHigh = 8;

} // namespace

JsonValue::JsonValue(bool value) : JsonValue(Kind::Boolean)
{
    store<std::uint8_t>(kAux, value ? 1 : 0);
}

JsonValue::JsonValue(std::uint8_t value) : JsonValue(Kind::UInt8)
{
    store<std::uint8_t>(kAux, value);
}

JsonValue::JsonValue(std::int16_t value) : JsonValue(Kind::Int16)
{
    store<std::int32_t>(kLow, value);
}

JsonValue::JsonValue(std::int32_t value) : JsonValue(Kind::Int32)
{
    store<std::int32_t>(kLow, value);
}

JsonValue::JsonValue(float value) : JsonValue(Kind::Single)
{
    store<float>(kLow, value);
}

JsonValue::JsonValue(double value) : JsonValue(Kind::Double)
{
    store<double>(kHigh, value);
}

JsonValue::JsonValue(std::u16string_view text) : JsonValue(Kind::Empty)
{
    char16_t maxUnit = 0;
    for (const char16_t u : text) {
        maxUnit |= u;
    }
    *this = fromUnits(text.data(), text.size(), maxUnit);
}

JsonValue::JsonValue(const JsonDecimal &value) : JsonValue(Kind::Decimal)
{
    store<std::uint8_t>(kAux, value.isNegative() ? 1 : 0);
    store<std::uint8_t>(kScale, static_cast<std::uint8_t>(value.scale()));
    store<std::uint32_t>(kLow, value.high());
    store<std::uint64_t>(kHigh, value.low());
}

JsonValue::JsonValue(const JsonBag &bag) : JsonValue(Kind::Bag)
{
    bag.data()->addRef();
    store<JsonBagData *>(kHigh, bag.data());
}

JsonValue JsonValue::currency(std::int64_t tenThousandths)
{
    JsonValue v(Kind::Currency);
    v.store<std::int64_t>(kHigh, tenThousandths);
    return v;
}

JsonValue JsonValue::date(double serial)
{
    JsonValue v(Kind::Date);
    v.store<double>(kHigh, serial);
    return v;
}

JsonValue JsonValue::errorValue(std::int32_t code)
{
    JsonValue v(Kind::ErrorValue);
    v.store<std::int32_t>(kLow, code);
    return v;
}

JsonValue JsonValue::other(std::uint16_t typeCode)
{
    JsonValue v(Kind::Other);
    v.store<std::uint16_t>(kLow, typeCode);
    return v;
}

JsonValue JsonValue::fromUnits(const char16_t *units, std::size_t size, char16_t maxUnit)
{
    JsonValue v(Kind::String);
    if (maxUnit < 0x100 && size <= kInlineText) {
        v.m_bytes[0] = static_cast<unsigned char>(size);
        for (std::size_t i = 0; i < size; ++i) {
            v.m_bytes[1 + i] = static_cast<unsigned char>(units[i]);
        }
    } else {
        v.m_bytes[0] = kHeapText;
        v.store<JsonText *>(kHigh, JsonText::create(units, size));
    }
    return v;
}

JsonValue JsonValue::adoptBag(JsonBagData *bag) noexcept
{
    JsonValue v(Kind::Bag);
    v.store<JsonBagData *>(kHigh, bag);
    return v;
}

JsonBagData *JsonValue::takeBag() noexcept
{
    JsonBagData *bag = bagData();
    if (bag != nullptr) {
        m_kind = Kind::Empty;
    }
    return bag;
}

JsonText *JsonValue::heapText() const noexcept
{
    return m_kind == Kind::String && m_bytes[0] == kHeapText ? load<JsonText *>(kHigh) : nullptr;
}

void JsonValue::addRef() const noexcept
{
    if (JsonText *text = heapText()) {
        text->addRef();
    } else if (JsonBagData *bag = bagData()) {
        bag->addRef();
    }
}

void JsonValue::releaseRef() noexcept
{
    if (JsonText *text = heapText()) {
        JsonText::release(text);
    } else if (JsonBagData *bag = bagData()) {
        JsonBagData::release(bag);
    }
}

JsonValue::JsonValue(const JsonValue &other) noexcept : m_kind(other.m_kind)
{
    std::memcpy(m_bytes, other.m_bytes, sizeof(m_bytes));
    addRef();
}

JsonValue::JsonValue(JsonValue &&other) noexcept : m_kind(other.m_kind)
{
    std::memcpy(m_bytes, other.m_bytes, sizeof(m_bytes));
    other.m_kind = Kind::Empty;
}

JsonValue &JsonValue::operator=(const JsonValue &other) noexcept
{
    other.addRef();
    releaseRef();
    m_kind = other.m_kind;
    std::memcpy(m_bytes, other.m_bytes, sizeof(m_bytes));
    return *this;
}

JsonValue &JsonValue::operator=(JsonValue &&other) noexcept
{
    if (this != &other) {
        releaseRef();
        m_kind = std::exchange(other.m_kind, Kind::Empty);
        std::memcpy(m_bytes, other.m_bytes, sizeof(m_bytes));
    }
    return *this;
}

JsonValue::~JsonValue()
{
    releaseRef();
}

void JsonValue::typeMismatch()
{
    throw JsonError(13, "Type mismatch");
}

bool JsonValue::isNumber() const noexcept
{
    return m_kind >= Kind::UInt8 && m_kind <= Kind::Decimal;
}

bool JsonValue::toBool() const
{
    if (m_kind != Kind::Boolean) {
        typeMismatch();
    }
    return m_bytes[0] != 0;
}

std::uint8_t JsonValue::toUInt8() const
{
    if (m_kind != Kind::UInt8) {
        typeMismatch();
    }
    return m_bytes[0];
}

std::int16_t JsonValue::toInt16() const
{
    if (m_kind != Kind::Int16) {
        typeMismatch();
    }
    return static_cast<std::int16_t>(load<std::int32_t>(kLow));
}

std::int32_t JsonValue::toInt32() const
{
    if (m_kind != Kind::Int32) {
        typeMismatch();
    }
    return load<std::int32_t>(kLow);
}

float JsonValue::toSingle() const
{
    if (m_kind != Kind::Single) {
        typeMismatch();
    }
    return load<float>(kLow);
}

double JsonValue::convertToDouble() const
{
    switch (m_kind) {
    case Kind::UInt8:
        return m_bytes[0];
    case Kind::Int16:
    case Kind::Int32:
        return load<std::int32_t>(kLow);
    case Kind::Single:
        return load<float>(kLow);
    case Kind::Double:
        return load<double>(kHigh);
    case Kind::Currency:
        return static_cast<double>(load<std::int64_t>(kHigh)) / 10000.0;
    case Kind::Decimal:
        return toDecimal().toDouble();
    default:
        typeMismatch();
    }
}

std::int64_t JsonValue::currencyTenThousandths() const
{
    if (m_kind != Kind::Currency) {
        typeMismatch();
    }
    return load<std::int64_t>(kHigh);
}

JsonDecimal JsonValue::toDecimal() const
{
    if (m_kind != Kind::Decimal) {
        typeMismatch();
    }
    return JsonDecimal(load<std::uint64_t>(kHigh), load<std::uint32_t>(kLow),
                       load<std::uint8_t>(kScale), load<std::uint8_t>(kAux) != 0);
}

JsonValue::TextView JsonValue::textView() const
{
    if (m_kind != Kind::String) {
        typeMismatch();
    }
    if (const JsonText *text = heapText()) {
        return {text->isWide() ? static_cast<const void *>(text->wide()) : text->narrow(),
                text->size(), text->isWide()};
    }
    return {m_bytes + 1, m_bytes[0], false};
}

std::u16string JsonValue::toString() const
{
    const TextView view = textView();
    if (view.wide) {
        return std::u16string(static_cast<const char16_t *>(view.data), view.size);
    }
    const auto *bytes = static_cast<const unsigned char *>(view.data);
    return std::u16string(bytes, bytes + view.size);
}

JsonBag JsonValue::toBag() const
{
    if (m_kind != Kind::Bag) {
        typeMismatch();
    }
    return JsonBag(load<JsonBagData *>(kHigh));
}

double JsonValue::dateSerial() const
{
    if (m_kind != Kind::Date) {
        typeMismatch();
    }
    return load<double>(kHigh);
}

std::int32_t JsonValue::errorCode() const
{
    if (m_kind != Kind::ErrorValue) {
        typeMismatch();
    }
    return load<std::int32_t>(kLow);
}

std::uint16_t JsonValue::typeCode() const noexcept
{
    static constexpr std::uint16_t kCodes[] = {0, 1, 11, 17, 2, 3, 4, 5, 6, 14, 8, 9, 7, 10};
    if (m_kind == Kind::Other) {
        return load<std::uint16_t>(kLow);
    }
    return kCodes[static_cast<std::size_t>(m_kind)];
}

bool operator==(const JsonValue &a, const JsonValue &b)
{
    if (a.m_kind != b.m_kind) {
        return false;
    }
    switch (a.m_kind) {
    case JsonValue::Kind::String:
        return a.toString() == b.toString();
    case JsonValue::Kind::Bag:
        return a.bagData() == b.bagData();
    case JsonValue::Kind::Double:
    case JsonValue::Kind::Date:
        return a.load<double>(kHigh) == b.load<double>(kHigh);
    case JsonValue::Kind::Single:
        return a.toSingle() == b.toSingle();
    default:
        return std::memcmp(a.m_bytes, b.m_bytes, sizeof(a.m_bytes)) == 0;
    }
}
