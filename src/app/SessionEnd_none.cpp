// SPDX-License-Identifier: MIT
#include "SessionEnd.h"

bool SessionEnd::windowSystemLost()
{
    // Windows and macOS end a program with its session through ordinary messages.
    return false;
}
