// SPDX-License-Identifier: MIT
#include "AutostartEntry.h"

#include "BuildInfo.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

AutostartEntry AutostartEntry::forExecutable(const QString &executablePath)
{
    return forExecutable(executablePath, QStringView(u"" MIRKAN_EXECUTABLE_SUFFIX));
}

AutostartEntry AutostartEntry::forExecutable(const QString &executablePath,
                                             QStringView executableSuffix)
{
    const QFileInfo exe(executablePath);
    QString name = exe.fileName();
    // Windows matches file names without case, so "TOOL.EXE" is an executable too.
    if (!executableSuffix.isEmpty() && name.endsWith(executableSuffix, Qt::CaseInsensitive)) {
        name.chop(executableSuffix.size());
    }
    const QString program = u"Mirkan_DesktopTool"_s + executableSuffix;
    return {name, QDir::toNativeSeparators(QDir(exe.absolutePath()).filePath(program))};
}
