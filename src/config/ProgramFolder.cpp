// SPDX-License-Identifier: MIT
#include "ProgramFolder.h"

#include "KonfigKeys.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtDebug>

namespace ProgramFolder {

QString resolve(const QString &executableDir, const QString &overrideDir)
{
    if (!overrideDir.isEmpty()) {
        if (!QDir().mkpath(overrideDir)) {
            qWarning("Cannot create the program folder %s", qPrintable(overrideDir));
        }
        return QDir(overrideDir).absolutePath();
    }
    const QFileInfo exe(executableDir);
    if (exe.isDir() && exe.isWritable()) {
        return exe.absoluteFilePath();
    }
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (!QDir().mkpath(config)) {
        qWarning("Cannot create the configuration folder %s", qPrintable(config));
    }
    return config;
}

QString iniPath(const QString &folder)
{
    return QDir::toNativeSeparators(folder + QLatin1Char('/') + KonfigKeys::kFileName);
}

} // namespace ProgramFolder
