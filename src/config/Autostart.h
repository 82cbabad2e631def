// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <memory>

// Makes the system start a program when the user logs on. One implementation per
// platform, chosen by the build; each keeps one entry per value name, so setting the
// same name again replaces the entry and leaves no second one.
class Autostart
{
public:
    virtual ~Autostart() = default;
    // Registers command, the program's full path without arguments, under valueName.
    // True when the entry is in place.
    virtual bool SetAutostart(const QString &valueName, const QString &command) = 0;
    // True when an entry of ours named valueName existed and is gone; false when there
    // was none (the usual case when autostart was never on) or it could not be removed.
    virtual bool RemoveAutostart(const QString &valueName) = 0;
};

// The implementation of the platform the program was built for.
std::unique_ptr<Autostart> createAutostart();
