// SPDX-License-Identifier: MIT
#include "InstanceLock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

namespace {

InstanceLock::Result lockAt(std::unique_ptr<QLockFile> &lock, const QString &path)
{
    lock = std::make_unique<QLockFile>(path);
    // Never stale by age: the program runs for weeks. A dead owner is still detected.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        return InstanceLock::Result::Acquired;
    }
    return lock->error() == QLockFile::LockFailedError ? InstanceLock::Result::HeldByOther
                                                       : InstanceLock::Result::Unavailable;
}

} // namespace

InstanceLock::InstanceLock(const QString &programDir) : m_programDir(programDir) {}

InstanceLock::~InstanceLock() = default;

QString InstanceLock::fallbackPath(const QString &programDir)
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) {
        dir = QDir::tempPath();
    }
    const QByteArray key = QCryptographicHash::hash(QDir(programDir).absolutePath().toUtf8(),
                                                    QCryptographicHash::Sha256);
    return QDir(dir).filePath(QLatin1StringView("Mirkan_DesktopTool-") +
                              QString::fromLatin1(key.toHex().left(16)) +
                              QLatin1StringView(".lock"));
}

InstanceLock::Result InstanceLock::tryLock()
{
    const Result inFolder =
        lockAt(m_lock, QDir(m_programDir).filePath(QLatin1StringView(kFileName)));
    if (inFolder != Result::Unavailable) {
        return inFolder;
    }
    return lockAt(m_lock, fallbackPath(m_programDir));
}

void InstanceLock::unlock()
{
    if (m_lock) {
        m_lock->unlock();
    }
}
