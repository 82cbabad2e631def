// SPDX-License-Identifier: MIT
#include "XdgAutostart.h"

#include "AutostartFile.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {

constexpr QLatin1StringView kMark{"X-Mirkan-DesktopTool-Autostart=true"};

QString entryPath(const QString &valueName)
{
    const QString stem = AutostartFile::fileStem(valueName);
    if (stem.isEmpty()) {
        return {};
    }
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    // A relative path is invalid there and must be ignored.
    if (config.isEmpty() || QDir::isRelativePath(config)) {
        config = QDir::homePath() + u"/.config"_s;
    }
    return config + u"/autostart/"_s + stem + u".desktop"_s;
}

// A string value of the file: backslash escapes for what would end or bend the line,
// and for a leading blank, which readers would otherwise trim.
QString escapeValue(QStringView text)
{
    QString out;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\':
            out += u"\\\\"_s;
            break;
        case u'\n':
            out += u"\\n"_s;
            break;
        case u'\t':
            out += u"\\t"_s;
            break;
        case u'\r':
            out += u"\\r"_s;
            break;
        default:
            out += c;
        }
    }
    if (out.startsWith(u' ')) {
        out.replace(0, 1, u"\\s"_s);
    }
    return out;
}

// The program path as the one argument of an Exec line, before the value escaping:
// quoted when it holds a character the launcher would read as syntax, with '"', '`',
// '$' and '\' escaped inside the quotes; '%' doubled, as it starts a field code.
QString execArgument(QStringView program)
{
    constexpr QStringView kReserved = u" \t\n\"'\\><~|&;$*?#()`";
    const bool quote =
        program.isEmpty() ||
        std::any_of(program.begin(), program.end(), [&](QChar c) { return kReserved.contains(c); });
    QString out;
    for (const QChar c : program) {
        if (quote && (c == u'"' || c == u'`' || c == u'$' || c == u'\\')) {
            out += u'\\';
        }
        out += c;
        if (c == u'%') {
            out += u'%';
        }
    }
    return quote ? u'"' + out + u'"' : out;
}

} // namespace

bool XdgAutostart::SetAutostart(const QString &valueName, const QString &command)
{
    const QString path = entryPath(valueName);
    if (path.isEmpty()) {
        return false;
    }
    const QString text = u"[Desktop Entry]\nType=Application\nName="_s + escapeValue(valueName) +
                         u"\nExec="_s + escapeValue(execArgument(command)) +
                         u"\nIcon=mirkan-desktoptool\nTerminal=false\n"_s + kMark + u'\n';
    return AutostartFile::write(path, text.toUtf8());
}

bool XdgAutostart::RemoveAutostart(const QString &valueName)
{
    const QString path = entryPath(valueName);
    return !path.isEmpty() && AutostartFile::removeOwn(path, kMark);
}
