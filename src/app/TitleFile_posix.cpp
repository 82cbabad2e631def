// SPDX-License-Identifier: MIT
#include "FileDescriptor.h"
#include "TitleFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace TitleFile {
namespace {

QString failed(int error)
{
    return qt_error_string(error);
}

QString notPlain()
{
    return u"not a plain file"_s;
}

// Writes all of bytes, or as much as the file takes; the count written.
qint64 writeAll(int fd, const QByteArray &bytes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        done += n;
    }
    return done;
}

} // namespace

QString append(const QString &path, const QByteArray &line)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info = {};
    // Looked at before opening: opening a device can already have an effect.
    if (::stat(name.constData(), &info) == 0 && !S_ISREG(info.st_mode)) {
        return notPlain();
    }
    // O_NONBLOCK: a pipe put in the file's place after the stat fails at once instead
    // of waiting for a reader; the fstat below refuses whatever else it may be.
    const FileDescriptor fd(::open(
        name.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666));
    if (fd.get() < 0) {
        return failed(errno);
    }
    if (::fstat(fd.get(), &info) != 0) {
        return failed(errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return notPlain();
    }
    errno = 0;
    const qint64 written = writeAll(fd.get(), line);
    if (written == line.size()) {
        return {};
    }
    const int error = errno != 0 ? errno : EIO;
    // A full disk or a size limit took part of the line: take it back.
    while (::ftruncate(fd.get(), info.st_size) != 0 && errno == EINTR) {
    }
    return failed(error);
}

} // namespace TitleFile
