// SPDX-License-Identifier: MIT
#include "JsonBag.h"

#include "JsonBagData.h"
#include "JsonParser.h"
#include "JsonText.h"
#include "JsonWriter.h"

namespace {

[[noreturn]] void fail(int number, const char *description)
{
    throw JsonError(number, description);
}

[[noreturn]] void outOfRange()
{
    fail(9, "Subscript out of range");
}

} // namespace

JsonBag::JsonBag() : m_data(new JsonBagData) {}

JsonBag::JsonBag(JsonBagData *data) noexcept : m_data(data)
{
    m_data->addRef();
}

JsonBag::JsonBag(const JsonBag &other) noexcept : m_data(other.m_data)
{
    m_data->addRef();
}

JsonBag &JsonBag::operator=(const JsonBag &other) noexcept
{
    other.m_data->addRef();
    JsonBagData::release(m_data);
    m_data = other.m_data;
    return *this;
}

JsonBag::~JsonBag()
{
    JsonBagData::release(m_data);
}

int JsonBag::Count() const noexcept
{
    return static_cast<int>(m_data->count());
}

bool JsonBag::IsArray() const noexcept
{
    return m_data->isArray();
}

void JsonBag::setIsArray(bool isArray)
{
    if (m_data->count() > 0) {
        fail(5, "Cannot change IsArray setting after items have been added");
    }
    m_data->reset(isArray);
}

bool JsonBag::DecimalMode() const noexcept
{
    return m_data->decimalMode();
}

void JsonBag::setDecimalMode(bool on) noexcept
{
    m_data->setDecimalMode(on);
}

bool JsonBag::Whitespace() const noexcept
{
    return m_data->whitespace();
}

void JsonBag::setWhitespace(bool on) noexcept
{
    m_data->setWhitespace(on);
}

JsonValue &JsonBag::valueAt(const JsonKey &key) const
{
    const std::int64_t position = key.position();
    if (position < 1 || position > Count()) {
        outOfRange();
    }
    const auto i = static_cast<std::size_t>(position - 1);
    return m_data->isArray() ? m_data->array()[i] : m_data->object().at(i).value;
}

JsonValue JsonBag::Item(const JsonKey &key) const
{
    if (key.isNull()) {
        fail(94, "Key must be String or an index)");
    }
    if (!key.isName()) {
        return valueAt(key);
    }
    if (m_data->isArray()) {
        fail(5, "Array values can only be acessed by index");
    }
    const JsonValue *value = m_data->object().find(key.name());
    if (value == nullptr) {
        fail(5, "Invalid procedure call or argument");
    }
    return *value;
}

void JsonBag::setArrayItem(const JsonKey &key, JsonValue &&value)
{
    if (key.isName()) {
        fail(5, "Array values can only be changed by index or added via Null");
    }
    if (key.isNull() || key.position() > Count()) {
        m_data->array().append(std::move(value));
        return;
    }
    valueAt(key) = std::move(value);
}

void JsonBag::setItem(const JsonKey &key, JsonValue value)
{
    if (m_data->isArray()) {
        setArrayItem(key, std::move(value));
        return;
    }
    if (!key.isName()) {
        fail(5, "Object values can only be changed or added by key not by index");
    }
    const std::u16string_view name = key.name();
    m_data->object().assign(JsonText::create(name.data(), name.size()), std::move(value));
}

std::u16string JsonBag::Name(int index) const
{
    if (m_data->isArray()) {
        fail(5, "Array items do not have names");
    }
    if (index < 1 || index > Count()) {
        outOfRange();
    }
    return m_data->object().at(static_cast<std::size_t>(index - 1)).name->toU16();
}

bool JsonBag::Exists(const JsonKey &key) const noexcept
{
    switch (key.type()) {
    case JsonKey::Type::Name:
        return !m_data->isArray() && m_data->object().find(key.name()) != nullptr;
    case JsonKey::Type::Position:
        return key.position() >= 1 && key.position() <= Count();
    default:
        return false;
    }
}

void JsonBag::Remove(const JsonKey &key)
{
    if (key.isName()) {
        if (m_data->isArray()) {
            fail(5, "Must remove by index for arrays");
        }
        m_data->object().remove(key.name());
        return;
    }
    if (key.position() > Count()) {
        return;
    }
    if (key.position() < 1) {
        outOfRange();
    }
    const auto i = static_cast<std::size_t>(key.position() - 1);
    if (m_data->isArray()) {
        m_data->array().removeAt(i);
    } else {
        m_data->object().removeAt(i);
    }
}

void JsonBag::Clear() noexcept
{
    m_data->reset(false);
}

JsonBag JsonBag::AddNewArray(const JsonKey &key)
{
    JsonBag child;
    child.m_data->reset(true);
    setItem(key, JsonValue(child));
    return child;
}

JsonBag JsonBag::AddNewObject(const JsonKey &key)
{
    JsonBag child;
    setItem(key, JsonValue(child));
    return child;
}

std::vector<std::u16string> JsonBag::NewEnum() const
{
    if (m_data->isArray()) {
        fail(5, "Arrays must be iterated using index values");
    }
    std::vector<std::u16string> names;
    names.reserve(m_data->count());
    m_data->object().forEach(
        [&names](const JsonObjectTable::Entry &e) { names.push_back(e.name->toU16()); });
    return names;
}

std::vector<std::u16string> JsonBag::Version()
{
    return {u"1.6"};
}

std::u16string JsonBag::JSON() const
{
    return JsonWriter::toUtf16(*m_data, m_data->whitespace());
}

std::string JsonBag::JSONUtf8() const
{
    return JsonWriter::toUtf8(*m_data, m_data->whitespace());
}

void JsonBag::setJSON(std::u16string_view text)
{
    Clear();
    JsonParser::parse(*m_data, text);
}

void JsonBag::setJSONUtf8(std::string_view text)
{
    Clear();
    JsonParser::parse(*m_data, text);
}
