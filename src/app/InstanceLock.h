// SPDX-License-Identifier: MIT
#pragma once

#include <QLockFile>
#include <QString>

// Keeps a second process from polling and writing into the same program folder.
// The lock file names the owning process, so the lock of a crashed process is
// recognised as stale and taken over.
class InstanceLock
{
public:
    explicit InstanceLock(const QString &programDir);

    enum class Result
    {
        Acquired,    // this process now owns the folder
        HeldByOther, // another running process owns it
        Unavailable, // no lock can be made (read-only folder): nothing can be written anyway
    };

    Result tryLock();

    static constexpr char kFileName[] = "Mirkan_DesktopTool.lock";

private:
    QLockFile m_lock;
};
