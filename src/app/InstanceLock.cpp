// SPDX-License-Identifier: MIT
#include "InstanceLock.h"

#include <QDir>

InstanceLock::InstanceLock(const QString &programDir)
    : m_lock(QDir(programDir).filePath(QLatin1StringView(kFileName)))
{
    // Never stale by age: the program runs for weeks. A dead owner is still detected.
    m_lock.setStaleLockTime(0);
}

InstanceLock::Result InstanceLock::tryLock()
{
    if (m_lock.tryLock(0)) {
        return Result::Acquired;
    }
    return m_lock.error() == QLockFile::LockFailedError ? Result::HeldByOther : Result::Unavailable;
}
