// SPDX-License-Identifier: MIT
#include "JsonError.h"

JsonError::JsonError(int number, const std::string &description)
    : std::runtime_error(description), m_number(number), m_source(kSource)
{
}
