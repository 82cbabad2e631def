// SPDX-License-Identifier: MIT
#pragma once

// What the desktop's notification area reports of a click on the icon. One
// implementation per platform, chosen by the build.
namespace TrayHost {

// False where the host reports only a primary activation and never a double-click:
// there the activation is the gesture that refreshes.
bool reportsDoubleClicks();

} // namespace TrayHost
