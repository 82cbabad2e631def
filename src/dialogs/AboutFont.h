// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>

// The about box's typeface: the classic dialog face "MS Sans Serif" at 8 points, taken
// from the system or from the wine font package, else the default user-interface font.
// Never fails. Needs a QGuiApplication.
namespace AboutFont {

QFont font();

// The program title above the version: half as large again and bold. A face that has
// only bitmaps can be neither, so the title then takes the default face.
QFont titleFont();

} // namespace AboutFont
