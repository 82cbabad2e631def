// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

// The overlay's typeface. The display is designed for Tahoma; where the system does
// not know it, the Tahoma files of the wine font package are loaded when they are
// there, else a bold sans that is always present stands in. Never fails.
namespace OverlayFont {

inline constexpr char16_t kPreferred[] = u"Tahoma";

// Folders searched for tahoma.ttf and tahomabd.ttf.
QStringList fontFolders();

// The family to use; loads the files on the first call (needs a QGuiApplication).
QString family();

} // namespace OverlayFont
