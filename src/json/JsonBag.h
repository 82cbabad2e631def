// SPDX-License-Identifier: MIT
#pragma once

#include "JsonError.h"
#include "JsonKey.h"
#include "JsonValue.h"

#include <string>
#include <string_view>
#include <vector>

class JsonBagData;

// A JSON object (members with exact, case-sensitive names in insertion order)
// or a JSON array (values at positions 1..Count). A JsonBag is a handle: copies
// refer to the same bag, and a bag read from an item is the very bag stored in
// the parent, so changes made through it show in the parent.
//
//     JsonBag song;
//     song.setJSONUtf8(R"({"title":"Intro","artist":{"name":"X"}})");
//     std::u16string title = song.Item(u"title").toString();
//     JsonBag artist = song.Item(u"artist").toBag();
//
// Every failure raises JsonError with a number, the source "JsonBag" and a
// description. Text is UTF-16; the Utf8 variants convert at the edge.
class JsonBag
{
public:
    JsonBag();
    // Takes a further reference to existing bag state (used by JsonValue).
    explicit JsonBag(JsonBagData *data) noexcept;
    JsonBag(const JsonBag &other) noexcept;
    JsonBag &operator=(const JsonBag &other) noexcept;
    ~JsonBag();

    int Count() const noexcept;
    bool IsArray() const noexcept;
    void setIsArray(bool isArray);
    bool DecimalMode() const noexcept;
    void setDecimalMode(bool on) noexcept;
    bool Whitespace() const noexcept;
    void setWhitespace(bool on) noexcept;

    JsonValue Item(const JsonKey &key) const;
    void setItem(const JsonKey &key, JsonValue value);
    std::u16string Name(int index) const;
    bool Exists(const JsonKey &key) const noexcept;
    void Remove(const JsonKey &key);
    void Clear() noexcept;
    JsonBag AddNewArray(const JsonKey &key = JsonKey());
    JsonBag AddNewObject(const JsonKey &key = JsonKey());
    // The member names in item order.
    std::vector<std::u16string> NewEnum() const;
    static std::vector<std::u16string> Version();

    // Serializes the bag: compact, or one item per line when Whitespace is set.
    std::u16string JSON() const;
    std::string JSONUtf8() const;
    // Replaces the content with the parsed document. Error positions count
    // UTF-16 code units from 1, also for UTF-8 input.
    void setJSON(std::u16string_view text);
    void setJSONUtf8(std::string_view text);

    bool isSameBag(const JsonBag &other) const noexcept { return m_data == other.m_data; }
    JsonBagData *data() const noexcept { return m_data; }

private:
    JsonValue &valueAt(const JsonKey &key) const;
    void setArrayItem(const JsonKey &key, JsonValue &&value);

    JsonBagData *m_data;
};
