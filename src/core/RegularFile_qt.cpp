// SPDX-License-Identifier: MIT
#include "RegularFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

// For systems without POSIX files. Their special files (devices, named pipes) are
// reported as not being files before they are opened, and as sequential after.
namespace RegularFile {

Contents read(const QString &path, qint64 maxBytes)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        return {};
    }
    if (!info.isFile()) {
        return {Status::NotRegular, {}, {}};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {Status::Failed, {}, file.errorString()};
    }
    if (file.isSequential()) {
        return {Status::NotRegular, {}, {}};
    }
    QByteArray bytes;
    while (bytes.size() <= maxBytes) {
        const QByteArray chunk =
            file.read(std::min<qint64>(64 * 1024, maxBytes + 1 - bytes.size()));
        if (chunk.isEmpty()) {
            break;
        }
        bytes += chunk;
    }
    if (file.error() != QFileDevice::NoError) {
        return {Status::Failed, {}, file.errorString()};
    }
    if (bytes.size() > maxBytes) {
        return {Status::TooLarge, {}, {}};
    }
    return {Status::Read, bytes, {}};
}

} // namespace RegularFile
