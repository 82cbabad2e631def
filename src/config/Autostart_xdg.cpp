// SPDX-License-Identifier: MIT
// Freedesktop systems: the autostart folder of the desktop entry conventions.
#include "XdgAutostart.h"

std::unique_ptr<Autostart> createAutostart()
{
    return std::make_unique<XdgAutostart>();
}
