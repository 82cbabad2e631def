// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>

// The program's pictures for windows and the tray. Both come from the library's own
// resources and never fail to load.
namespace ProgramIcons {

// The radio mast on orange: 16, 32 and 48 px drawings, plus the scalable drawing where
// Qt can read SVG.
QIcon program();

// The tray's picture while a poll runs: an hourglass on blue, 16 and 32 px.
QIcon busy();

} // namespace ProgramIcons
