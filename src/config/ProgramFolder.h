// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// Where the program keeps everything it writes: the INI file, the title files, the
// instance lock.
namespace ProgramFolder {

// Environment variable that names the folder outright (tests, portable set-ups).
inline constexpr char kEnvironmentVariable[] = "MIRKAN_DESKTOPTOOL_DIR";

// overrideDir when not empty (created when missing); otherwise the executable's folder
// when it is writable, the classic portable behaviour; otherwise the per-user
// configuration folder of the application, created when missing.
QString resolve(const QString &executableDir, const QString &overrideDir);

// folder, the native separator and the INI file name.
QString iniPath(const QString &folder);

} // namespace ProgramFolder
