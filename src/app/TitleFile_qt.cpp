// SPDX-License-Identifier: MIT
#include "TitleFile.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

// For systems without POSIX files. Their special files are reported as not being
// files before they are opened, and as sequential after.
namespace TitleFile {

QString append(const QString &path, const QByteArray &line)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        return u"not a plain file"_s;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        return file.errorString();
    }
    if (file.isSequential()) {
        return u"not a plain file"_s;
    }
    const qint64 before = file.size();
    // Unbuffered: the line goes to the system in one write.
    if (file.write(line) == line.size()) {
        return {};
    }
    const QString error = file.errorString();
    file.resize(before);
    return error;
}

} // namespace TitleFile
