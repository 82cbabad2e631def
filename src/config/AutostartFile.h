// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QLatin1StringView>
#include <QString>
#include <QStringView>

// The one file an autostart entry consists of on systems that start programs from
// files in a per-user folder. Our files carry a mark line, so that removing an entry
// never deletes a file the user made under the same name.
namespace AutostartFile {

// valueName as a file name without extension that stays inside its folder: characters
// other than letters, digits, '-', '_' and '.' become '_', and so does a leading '.',
// which rules out hidden files and "..". "" for an empty name.
QString fileStem(QStringView valueName);

// Replaces the file at path with bytes in one step, creating its folder when missing. On
// failure the old file stays as it was, no temporary is left, and one warning says why.
bool write(const QString &path, const QByteArray &bytes);

// Deletes the plain file at path when one of its lines, blanks around it ignored, is
// mark. False when there is no such file, it is not ours, or it cannot be deleted.
bool removeOwn(const QString &path, QLatin1StringView mark);

} // namespace AutostartFile
