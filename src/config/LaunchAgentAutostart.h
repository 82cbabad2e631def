// SPDX-License-Identifier: MIT
#pragma once

#include "Autostart.h"

// Logon start on macOS: one launch agent property list per value name in
// ~/Library/LaunchAgents, labelled with the value name, that runs the command once
// when the user's session loads it.
class LaunchAgentAutostart final : public Autostart
{
public:
    bool SetAutostart(const QString &valueName, const QString &command) override;
    bool RemoveAutostart(const QString &valueName) override;
};
