// SPDX-License-Identifier: MIT
#pragma once

#include "FileReplacer.h"
#include "IniDocument.h"

#include <QString>

#include <optional>
#include <utility>
#include <vector>

// Reads and writes single values of an INI file. Neither operation ever fails
// towards its caller: a file that cannot be read gives the default, a value that
// cannot be written is reported with qWarning and otherwise dropped.
//
// Only a plain file is an INI file. A folder, device or pipe at the path is neither
// read nor replaced. A link is followed: the file it names is read and rewritten,
// and the link stays a link.

// The value of key in section of the file at path, or def when the file, section
// or key does not exist or the file cannot be read.
QString GetIniString(const QString &section, const QString &key, const QString &def,
                     const QString &path);

// Sets key in section to value, creating file, section and key as needed. The file
// is replaced atomically, so a crash or a full disk never leaves half a file.
void PutIniString(const QString &section, const QString &key, const QString &value,
                  const QString &path);

namespace IniFile {

// Files larger than this are not an INI file of ours; they are neither parsed nor rewritten.
constexpr qint64 kMaxFileSize = 32 * 1024 * 1024;

struct Contents
{
    std::optional<IniDocument> document; // nullopt when there is no usable file
    QString problem;       // why the path holds something unusable; empty for a missing file
    QString germanProblem; // the same for the user
};

// The parsed file, or why there is none; silent.
Contents read(const QString &path);

// The parsed file; nullopt when it is missing or unusable (after one warning, except for
// a missing file, which is the normal case).
std::optional<IniDocument> load(const QString &path);

// Key and value pairs, written in this order.
using Writes = std::vector<std::pair<QString, QString>>;

// Makes every write in section of the file at path, each exactly as PutIniString would
// on the file the previous one left, and then replaces the file once. A path holding
// something unusable is left alone, and so is the old file when the replacement fails;
// the result says why. Silent.
FileReplacer::Result save(const QString &section, const Writes &writes, const QString &path,
                          const FileReplacer::StepHook &hook = {});

} // namespace IniFile
