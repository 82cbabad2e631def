// SPDX-License-Identifier: MIT
#include "FileReplacer.h"

#include <QSaveFile>

// For systems without POSIX files. QSaveFile knows how to replace a file there in one
// step; its temporaries carry its own names, so none of ours are ever left to clean.
namespace FileReplacer {
namespace {

Result failure(const QString &why)
{
    return {why, why};
}

} // namespace

Result replace(const QString &path, const QByteArray &bytes, const StepHook &hook)
{
    const auto hooked = [&hook](Step step) { return hook ? hook(step) : 0; };
    QSaveFile file(path);
    if (const int e = hooked(Step::Create); e != 0) {
        return failure(qt_error_string(e));
    }
    if (!file.open(QIODevice::WriteOnly)) {
        return failure(file.errorString());
    }
    for (const Step step : {Step::Write, Step::Sync, Step::Close, Step::Rename}) {
        if (const int e = hooked(step); e != 0) {
            file.cancelWriting();
            return failure(qt_error_string(e));
        }
    }
    // Written and flushed before the commit, so that an error of either is seen here;
    // the commit syncs, closes and renames, and removes the temporary when one fails.
    if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit()) {
        return failure(file.errorString());
    }
    return {};
}

} // namespace FileReplacer
