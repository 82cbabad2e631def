// SPDX-License-Identifier: MIT
#include "FileErrorText.h"
#include "FileReplacer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QtDebug>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace FileReplacer {
namespace {

// The file a chain of links ends at; the path itself when it is no link.
QString followLinks(const QString &path)
{
    QString current = path;
    // As many hops as the system itself follows before it gives up.
    for (int hop = 0; hop < 40; ++hop) {
        const QFileInfo info(current);
        if (!info.isSymLink()) {
            break;
        }
        current = info.symLinkTarget();
    }
    return current;
}

QString temporaryName(const QString &fileName)
{
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString name = fileName + u".save-"_s;
    for (int i = 0; i < 6; ++i) {
        name += QChar(kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)]);
    }
    return name;
}

// Temporaries of a save that was killed before its rename. Only plain files of our
// naming pattern go; nothing else in the folder is touched.
void removeStale(const QString &folder, const QString &fileName)
{
    const QDir dir(folder);
    const QStringList names =
        dir.entryList({fileName + u".save-*"_s}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        const QFileInfo info(dir.filePath(name));
        if (isTemporaryOf(name, fileName) && info.isFile() && !info.isSymLink()) {
            QFile::remove(info.filePath());
        }
    }
}

int writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return errno;
        }
        // A short write is retried; a full disk answers the retry with ENOSPC.
        done += n;
    }
    return 0;
}

int hooked(const StepHook &hook, Step step)
{
    return hook ? hook(step) : 0;
}

// Makes the rename itself durable. The file is already replaced when this runs, so a
// failure is only logged.
void syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    // Some file systems cannot sync a folder and say EINVAL; that is no fault of the save.
    if (::fsync(fd) != 0 && errno != EINVAL) {
        qWarning("Cannot flush folder %s: %s", qPrintable(folder), qPrintable(qt_error_string()));
    }
    ::close(fd);
}

Result failure(int error)
{
    const QString system = qt_error_string(error);
    return {FileErrorText::german(error, system), system};
}

} // namespace

Result replace(const QString &path, const QByteArray &bytes, const StepHook &hook)
{
    const QFileInfo target(followLinks(path));
    const QString folder = target.absolutePath();
    const QByteArray targetName = QFile::encodeName(target.absoluteFilePath());
    removeStale(folder, target.fileName());

    struct stat old = {};
    const bool replacing = ::stat(targetName.constData(), &old) == 0 && S_ISREG(old.st_mode);

    QByteArray temporary;
    int fd = -1;
    int error = hooked(hook, Step::Create);
    for (int attempt = 0; error == 0 && fd < 0 && attempt < 100; ++attempt) {
        temporary = QFile::encodeName(QDir(folder).filePath(temporaryName(target.fileName())));
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            error = errno;
        }
    }
    if (fd < 0) {
        return failure(error != 0 ? error : EEXIST);
    }
    if (replacing) {
        // The new file keeps the old one's permissions. A file system without them
        // refuses, which costs nothing.
        (void)::fchmod(fd, old.st_mode & 07777);
    }

    error = hooked(hook, Step::Write);
    if (error == 0) {
        error = writeAll(fd, bytes);
    }
    if (error == 0) {
        error = hooked(hook, Step::Sync);
    }
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    // Closed whatever happened before; its own error counts only when all else went well
    // (a network file system may report a failed write only here).
    const int closeHook = error == 0 ? hooked(hook, Step::Close) : 0;
    const int closeError = ::close(fd) == 0 ? 0 : errno;
    if (error == 0) {
        error = closeHook != 0 ? closeHook : closeError;
    }
    if (error == 0) {
        error = hooked(hook, Step::Rename);
    }
    if (error == 0 && ::rename(temporary.constData(), targetName.constData()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.constData());
        return failure(error);
    }
    syncFolder(folder);
    return {};
}

} // namespace FileReplacer
