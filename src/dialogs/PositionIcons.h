// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>

// The position window's two 16 x 16 icons, drawn for it at 1x and 2x: a light tick
// (take this position) and an arrow turning back (placed automatically again). Both read
// on the window's dark green.
namespace PositionIcons {

QIcon accept();
QIcon reset();

} // namespace PositionIcons
