// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringView>

// The autostart entry of the running program: named after the executable file it runs
// from, and starting the program under its fixed file name in the same folder. An
// executable renamed to "Other.exe" thus registers "Other", which still starts
// Mirkan_DesktopTool.exe.
struct AutostartEntry
{
    QString valueName; // the executable's file name without folder and executable suffix
    QString command;   // its folder, a native separator and the fixed program file name

    // For the executable at executablePath, as built for this platform.
    static AutostartEntry forExecutable(const QString &executablePath);
    // The same for a platform whose executables end in executableSuffix ("" for none).
    static AutostartEntry forExecutable(const QString &executablePath,
                                        QStringView executableSuffix);
};
