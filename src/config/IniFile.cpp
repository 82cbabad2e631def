// SPDX-License-Identifier: MIT
#include "IniFile.h"

#include "FileErrorText.h"
#include "RegularFile.h"

#include <QtDebug>

using namespace Qt::StringLiterals;

namespace IniFile {

Contents read(const QString &path)
{
    const RegularFile::Contents file = RegularFile::read(path, kMaxFileSize);
    switch (file.status) {
    case RegularFile::Status::Read:
        return {IniDocument::fromBytes(file.bytes), {}, {}};
    case RegularFile::Status::Missing:
        return {};
    case RegularFile::Status::NotRegular:
        return {std::nullopt, u"it is not a plain file"_s,
                u"An ihrer Stelle liegt keine gewöhnliche Datei."_s};
    case RegularFile::Status::TooLarge:
        return {std::nullopt, u"it is larger than %1 bytes"_s.arg(kMaxFileSize),
                u"Sie ist größer als 32 MiB."_s};
    case RegularFile::Status::Failed:
        return {std::nullopt, file.error, FileErrorText::german(file.errorNumber, file.error)};
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

FileReplacer::Result save(const QString &section, const Writes &writes, const QString &path,
                          const FileReplacer::StepHook &hook)
{
    Contents existing = read(path);
    // Whatever the path holds that we cannot read stays as it is, rather than being
    // replaced by a file holding only our keys.
    if (!existing.problem.isEmpty()) {
        return {u"Die Datei konnte nicht gelesen werden. "_s + existing.germanProblem +
                    u" Sie wird nicht ersetzt."_s,
                existing.problem};
    }
    if (writes.empty()) {
        return {};
    }
    IniDocument doc = std::move(existing.document).value_or(IniDocument());
    QByteArray bytes;
    bool first = true;
    for (const auto &[key, value] : writes) {
        // Each write sees the file as the write before it left it, read back from its
        // bytes, so that the result is the one separate writes would give.
        if (!first) {
            doc = IniDocument::fromBytes(bytes);
        }
        first = false;
        doc.setValue(section, key, value);
        bytes = doc.toBytes();
    }
    return FileReplacer::replace(path, bytes, hook);
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
    const FileReplacer::Result result = IniFile::save(section, {{key, value}}, path);
    if (!result.ok()) {
        qWarning("Cannot write %s to %s: %s", qPrintable(key), qPrintable(path),
                 qPrintable(result.systemError));
    }
}
