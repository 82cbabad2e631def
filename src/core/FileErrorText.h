// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// What a failed file operation means, in German for the user's message boxes. The
// common causes get a text of their own; anything else keeps the system's words.
namespace FileErrorText {

// errorNumber is an errno value; systemText the system's description of it.
QString german(int errorNumber, const QString &systemText);

} // namespace FileErrorText
