// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

class JsonText;

// Hands out one shared JsonText per distinct member name during one parse.
// Real documents repeat the same few names thousands of times; sharing them
// saves an allocation per member and most of the memory names would take.
class JsonNameCache
{
public:
    JsonNameCache() = default;
    JsonNameCache(const JsonNameCache &) = delete;
    JsonNameCache &operator=(const JsonNameCache &) = delete;
    ~JsonNameCache();

    // Returns a new reference to the name's text.
    JsonText *get(std::u16string_view name);

private:
    void grow();

    std::vector<JsonText *> m_slots;
    std::size_t m_count = 0;
};
