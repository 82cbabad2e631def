// SPDX-License-Identifier: MIT
#pragma once

#include <stdexcept>
#include <string>

// The one exception type of the JSON subsystem. It carries the error number, the
// source (always "JsonBag") and the description; what() returns the description.
class JsonError : public std::runtime_error
{
public:
    JsonError(int number, const std::string &description);

    int number() const noexcept { return m_number; }
    const std::string &source() const noexcept { return m_source; }
    std::string description() const { return what(); }

    static constexpr const char *kSource = "JsonBag";

private:
    int m_number;
    std::string m_source;
};
