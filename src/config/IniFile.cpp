// SPDX-License-Identifier: MIT
#include "IniFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtDebug>

namespace IniFile {

std::optional<IniDocument> load(const QString &path)
{
    QFile file(path);
    if (!file.exists()) {
        return std::nullopt;
    }
    if (file.size() > kMaxFileSize) {
        qWarning("INI file %s is larger than %lld bytes; ignored", qPrintable(path),
                 static_cast<long long>(kMaxFileSize));
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("Cannot read INI file %s: %s", qPrintable(path), qPrintable(file.errorString()));
        return std::nullopt;
    }
    return IniDocument::fromBytes(file.readAll());
}

} // namespace IniFile

QString GetIniString(const QString &section, const QString &key, const QString &def,
                     const QString &path)
{
    const auto doc = IniFile::load(path);
    if (!doc) {
        return def;
    }
    return doc->value(section, key).value_or(def);
}

void PutIniString(const QString &section, const QString &key, const QString &value,
                  const QString &path)
{
    IniDocument doc;
    if (QFileInfo::exists(path)) {
        // A file we cannot read is left alone rather than replaced by one holding a single key.
        auto existing = IniFile::load(path);
        if (!existing) {
            qWarning("Not writing %s to %s: the existing file cannot be read", qPrintable(key),
                     qPrintable(path));
            return;
        }
        doc = std::move(*existing);
    }
    doc.setValue(section, key, value);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(doc.toBytes()) < 0 || !file.commit()) {
        qWarning("Cannot write %s to %s: %s", qPrintable(key), qPrintable(path),
                 qPrintable(file.errorString()));
    }
}
