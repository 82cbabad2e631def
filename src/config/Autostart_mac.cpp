// SPDX-License-Identifier: MIT
// macOS: a per-user launch agent.
#include "LaunchAgentAutostart.h"

std::unique_ptr<Autostart> createAutostart()
{
    return std::make_unique<LaunchAgentAutostart>();
}
