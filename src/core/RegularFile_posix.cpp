// SPDX-License-Identifier: MIT
#include "FileDescriptor.h"
#include "RegularFile.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace RegularFile {
namespace {

constexpr qint64 kChunk = 64 * 1024;

Contents failed(int error)
{
    return {Status::Failed, {}, qt_error_string(error), error};
}

} // namespace

Contents read(const QString &path, qint64 maxBytes)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info = {};
    // Looked at before opening: opening some devices already has an effect.
    if (::stat(name.constData(), &info) != 0) {
        return errno == ENOENT || errno == ENOTDIR ? Contents{} : failed(errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return {Status::NotRegular, {}, {}};
    }
    // O_NONBLOCK: should a pipe take the file's place after the stat, open returns at
    // once instead of waiting for a writer; the fstat below then refuses it.
    const FileDescriptor fd(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        return errno == ENOENT ? Contents{} : failed(errno);
    }
    if (::fstat(fd.get(), &info) != 0) {
        return failed(errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return {Status::NotRegular, {}, {}};
    }

    // The size is only a hint: files under /proc say 0 and still have content.
    QByteArray bytes;
    bytes.reserve(qsizetype(std::min<qint64>(info.st_size, maxBytes) + 1));
    while (bytes.size() <= maxBytes) {
        const qint64 want = std::min<qint64>(kChunk, maxBytes + 1 - bytes.size());
        const qsizetype old = bytes.size();
        bytes.resize(old + qsizetype(want));
        const ssize_t got = ::read(fd.get(), bytes.data() + old, size_t(want));
        if (got < 0 && errno == EINTR) {
            bytes.resize(old);
            continue;
        }
        if (got < 0) {
            return failed(errno);
        }
        bytes.resize(old + qsizetype(got));
        if (got == 0) {
            break;
        }
    }
    if (bytes.size() > maxBytes) {
        return {Status::TooLarge, {}, {}};
    }
    return {Status::Read, bytes, {}};
}

} // namespace RegularFile
