// SPDX-License-Identifier: MIT
#pragma once

#include <unistd.h>

// Owns a POSIX file descriptor and closes it at the end of the scope; -1 owns nothing.
// For the POSIX halves of the file code only.
class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};
