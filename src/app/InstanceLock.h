// SPDX-License-Identifier: MIT
#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// Keeps a second process from polling and writing into the same program folder.
// The lock file names the owning process, so the lock of a crashed process is
// recognised as stale and taken over. A folder that cannot hold the lock file
// (read-only) is locked through a file in the user's runtime folder instead.
class InstanceLock
{
public:
    explicit InstanceLock(const QString &programDir);
    ~InstanceLock();

    enum class Result
    {
        Acquired,    // this process now owns the folder
        HeldByOther, // another running process owns it
        Unavailable, // no lock could be made anywhere
    };

    Result tryLock();
    // Gives the folder up; also where no destructor will run any more.
    void unlock();

    static constexpr char kFileName[] = "Mirkan_DesktopTool.lock";

    // Where the lock of a folder that cannot hold its own lock file lives.
    static QString fallbackPath(const QString &programDir);

private:
    QString m_programDir;
    std::unique_ptr<QLockFile> m_lock;
};
