// SPDX-License-Identifier: MIT
#include "IniFile.h"

#include "RegularFile.h"

#include <QSaveFile>
#include <QtDebug>

namespace IniFile {

Contents read(const QString &path)
{
    const RegularFile::Contents file = RegularFile::read(path, kMaxFileSize);
    switch (file.status) {
    case RegularFile::Status::Read:
        return {IniDocument::fromBytes(file.bytes), {}};
    case RegularFile::Status::Missing:
        return {};
    case RegularFile::Status::NotRegular:
        return {std::nullopt, QStringLiteral("it is not a plain file")};
    case RegularFile::Status::TooLarge:
        return {std::nullopt, QStringLiteral("it is larger than %1 bytes").arg(kMaxFileSize)};
    case RegularFile::Status::Failed:
        return {std::nullopt, file.error};
    }
    return {};
}

std::optional<IniDocument> load(const QString &path)
{
    Contents contents = read(path);
    if (!contents.problem.isEmpty()) {
        qWarning("Cannot read INI file %s: %s; using the defaults", qPrintable(path),
                 qPrintable(contents.problem));
    }
    return std::move(contents.document);
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
    IniFile::Contents existing = IniFile::read(path);
    // Whatever the path holds that we cannot read stays as it is, rather than being
    // replaced by a file holding a single key.
    if (!existing.problem.isEmpty()) {
        qWarning("Not writing %s to %s: %s", qPrintable(key), qPrintable(path),
                 qPrintable(existing.problem));
        return;
    }
    IniDocument doc = std::move(existing.document).value_or(IniDocument());
    doc.setValue(section, key, value);

    // QSaveFile writes the target of a link and leaves the link in place.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(doc.toBytes()) < 0 || !file.commit()) {
        qWarning("Cannot write %s to %s: %s", qPrintable(key), qPrintable(path),
                 qPrintable(file.errorString()));
    }
}
