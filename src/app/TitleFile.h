// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

// The per-station text files other programs (stream overlays, loggers) read: one
// line per song change, appended to "titel_<station>.txt" in the program folder.
// The file is opened, written and closed again for every line, so a reader may
// rotate or delete it at any time.
namespace TitleFile {

// "titel_" + station + ".txt", with "%", "/", "\", ":", control characters and every
// dot of a ".." run percent-encoded, so the name stays one file inside the folder and
// no two stations share a file.
QString fileName(const QString &station);

// Appends line with one write. A short write is cut off again, so the file never
// keeps half a line. Refuses anything but a plain file (a folder, pipe or device
// at the path). Returns "" on success, otherwise why it failed.
QString append(const QString &path, const QByteArray &line);

} // namespace TitleFile
