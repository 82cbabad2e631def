// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

// Reads a file only when it is a plain file on disk, links followed. A device such as
// /dev/zero never ends, and opening a pipe waits for a writer that may never come, so
// neither is opened for reading; a plain file is read up to a limit and no further.
namespace RegularFile {

enum class Status
{
    Read,
    Missing,    // nothing at the path (a link to nothing included)
    NotRegular, // a folder, device, pipe or socket
    TooLarge,   // more than the caller's limit
    Failed,     // exists but cannot be read; error says why
};

struct Contents
{
    Status status = Status::Missing;
    QByteArray bytes;    // the whole file when status is Read
    QString error;       // the system's words when status is Failed
    int errorNumber = 0; // its errno, where the system gives one
};

// The file at path, reading at most maxBytes + 1 bytes to tell a full file from a larger one.
Contents read(const QString &path, qint64 maxBytes);

} // namespace RegularFile
