// SPDX-License-Identifier: MIT
#pragma once

#include <string>

// The values of the current user's Run key, which Windows starts at logon, through
// plain Win32 so that this part builds and is tested without Qt. Names and commands
// are in the ANSI code page. The key is opened, never created.
namespace RunKey {

// Writes command as the REG_SZ value name, in double quotes when it holds a blank and
// is not quoted yet, since Windows would otherwise run the path up to the first blank.
// False for an empty name, which would be the key's default value.
bool setValue(const std::string &name, const std::string &command);

// Deletes the value name; false when there is none or it cannot be deleted.
bool removeValue(const std::string &name);

} // namespace RunKey
