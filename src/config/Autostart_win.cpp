// SPDX-License-Identifier: MIT
// Windows: a value under the current user's Run key.
#include "Autostart.h"
#include "RunKey_win.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>

namespace {

// text in the ANSI code page, which is what Qt's local 8-bit encoding is on Windows;
// nullopt when the code page lacks one of its characters, as the registry would then
// hold a name or a path that leads somewhere else.
std::optional<std::string> ansi(const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    if (QString::fromLocal8Bit(bytes) != text) {
        return std::nullopt;
    }
    return bytes.toStdString();
}

class RunKeyAutostart final : public Autostart
{
public:
    bool SetAutostart(const QString &valueName, const QString &command) override
    {
        const std::optional<std::string> name = ansi(valueName);
        const std::optional<std::string> program = ansi(command);
        return name && program && RunKey::setValue(*name, *program);
    }

    bool RemoveAutostart(const QString &valueName) override
    {
        const std::optional<std::string> name = ansi(valueName);
        return name && RunKey::removeValue(*name);
    }
};

} // namespace

std::unique_ptr<Autostart> createAutostart()
{
    return std::make_unique<RunKeyAutostart>();
}
