// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// Letter case changed one character at a time, each to a single character, as the
// Windows text functions do: "ß" stays "ß" instead of becoming "SS", so a name keeps
// its length and its look.
QString upper_case(QStringView text);
QString lower_case(QStringView text);

// Only the blank is cut off the ends; a tab or a line break stays part of the text.
QString trim_blanks(QStringView text);
