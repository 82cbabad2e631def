// SPDX-License-Identifier: MIT
#pragma once

#include "Autostart.h"

// Logon start on freedesktop systems: one desktop entry file per value name in the
// user's autostart folder, $XDG_CONFIG_HOME/autostart (~/.config/autostart when the
// variable is unset or not absolute), looked up at every call.
class XdgAutostart final : public Autostart
{
public:
    bool SetAutostart(const QString &valueName, const QString &command) override;
    bool RemoveAutostart(const QString &valueName) override;
};
