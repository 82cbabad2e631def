// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>

// The dialogs' typeface: the classic dialog face "MS Sans Serif", taken from the system or
// from the wine font package, else the default user-interface font. Never fails. Needs a
// QGuiApplication.
namespace DialogFont {

// The face at pointSize points (8 in the about box, 9.75 in the settings).
QFont font(qreal pointSize = 8);

// The about box's title above the version: half as large again as font() and bold. A
// face that has only bitmaps can be neither, so the title then takes the default face.
QFont titleFont();

} // namespace DialogFont
