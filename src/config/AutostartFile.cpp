// SPDX-License-Identifier: MIT
#include "AutostartFile.h"

#include "FileReplacer.h"
#include "RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtDebug>

#include <algorithm>

namespace AutostartFile {

QString fileStem(QStringView valueName)
{
    QString stem;
    stem.reserve(valueName.size());
    for (const QChar c : valueName) {
        const bool fits = c.isLetterOrNumber() || c == u'-' || c == u'_' || c == u'.';
        stem += fits ? c : u'_';
    }
    if (stem.startsWith(u'.')) {
        stem[0] = u'_';
    }
    return stem;
}

bool write(const QString &path, const QByteArray &bytes)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        return false;
    }
    // The desktop may read the folder at any moment; it must never see half a file.
    const FileReplacer::Result result = FileReplacer::replace(path, bytes);
    if (!result.ok()) {
        qWarning("Cannot write %s: %s", qPrintable(path), qPrintable(result.systemError));
    }
    return result.ok();
}

bool removeOwn(const QString &path, QLatin1StringView mark)
{
    // Entries of ours are a few hundred bytes; anything far larger is not one.
    const RegularFile::Contents file = RegularFile::read(path, 64 * 1024);
    if (file.status != RegularFile::Status::Read) {
        return false;
    }
    const QList<QByteArray> lines = file.bytes.split('\n');
    const bool ours = std::any_of(lines.cbegin(), lines.cend(), [mark](const QByteArray &line) {
        return QLatin1StringView(line.trimmed()) == mark;
    });
    return ours && QFile::remove(path);
}

} // namespace AutostartFile
