// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

// Where the program keeps everything it writes: the INI file, the title files, the
// instance lock.
namespace ProgramFolder {

// Environment variable that names the folder outright (tests, portable set-ups).
inline constexpr char kEnvironmentVariable[] = "MIRKAN_DESKTOPTOOL_DIR";

// overrideDir, the variable's bytes as qgetenv gives them, when not empty: decoded as
// the system decodes file names and created when missing. A name that does not decode
// back to the same bytes names a folder Qt cannot reach; it is reported and ignored.
// Otherwise the executable's folder when it is writable, the classic portable
// behaviour; otherwise the per-user configuration folder of the application, created
// when missing. A folder whose files cannot be opened is reported, as the program
// would otherwise run silently without its settings.
QString resolve(const QString &executableDir, const QByteArray &overrideDir);

// folder, the native separator and the INI file name.
QString iniPath(const QString &folder);

} // namespace ProgramFolder
