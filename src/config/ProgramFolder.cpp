// SPDX-License-Identifier: MIT
#include "ProgramFolder.h"

#include "KonfigKeys.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtDebug>

namespace ProgramFolder {
namespace {

// The folder the variable names, or "" when its bytes are no file name this system
// can decode: decoding would replace them and lead to a different, new folder.
QString decodedOverride(const QByteArray &raw)
{
    const QString name = QFile::decodeName(raw);
    if (QFile::encodeName(name) != raw) {
        qWarning("%s is not a file name in this system's encoding (%s); ignored",
                 kEnvironmentVariable, raw.toPercentEncoding("/").constData());
        return {};
    }
    return name;
}

QString usualFolder(const QString &executableDir)
{
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

} // namespace

QString resolve(const QString &executableDir, const QByteArray &overrideDir)
{
    QString folder = overrideDir.isEmpty() ? QString() : decodedOverride(overrideDir);
    if (!folder.isEmpty()) {
        if (!QDir().mkpath(folder)) {
            qWarning("Cannot create the program folder %s", qPrintable(folder));
        }
        folder = QDir(folder).absolutePath();
    } else {
        folder = usualFolder(executableDir);
    }
    // Without search permission not even the INI file can be opened, and the program
    // would run with the defaults as if none had ever been saved.
    const QFileInfo info(folder);
    if (info.isDir() && !(info.isReadable() && info.isExecutable())) {
        qWarning("No read access to the program folder %s", qPrintable(folder));
    }
    return folder;
}

QString iniPath(const QString &folder)
{
    return QDir::toNativeSeparators(folder + QLatin1Char('/') + KonfigKeys::kFileName);
}

} // namespace ProgramFolder
