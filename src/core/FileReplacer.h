// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Replaces a file with new contents in one step: the bytes go into a temporary file in
// the same folder, which is flushed to the disk and then renamed over the old file.
// Every step's result is checked; when one fails, the temporary is removed and the old
// file stays exactly as it was. A link is followed: its target is replaced, the link stays.
//
// Temporaries are named "<file name>.save-XXXXXX"; one left behind by a process that
// died mid-save is removed by the next replacement of the same file.
namespace FileReplacer {

enum class Step
{
    Create, // the temporary file
    Write,
    Sync,
    Close,
    Rename,
};

// Called before each step. Returning an error number (errno) makes the step fail with
// it as if the system had; 0 lets it run. Lets tests fail or interrupt a replacement at
// a chosen point; the program passes none.
using StepHook = std::function<int(Step)>;

struct Result
{
    QString error;       // empty on success; otherwise why, in German, for the user
    QString systemError; // the system's own words, for the log

    bool ok() const { return error.isEmpty(); }
};

Result replace(const QString &path, const QByteArray &bytes, const StepHook &hook = {});

// Whether name (without folder) is a temporary of fileName's replacement.
bool isTemporaryOf(const QString &name, const QString &fileName);

} // namespace FileReplacer
