// SPDX-License-Identifier: MIT
#include "LaunchAgentAutostart.h"

#include "AutostartFile.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {

// A comment, which the property list reader skips.
constexpr QLatin1StringView kMark{"<!-- X-Mirkan-DesktopTool-Autostart -->"};

QString agentPath(const QString &label)
{
    return QDir::homePath() + u"/Library/LaunchAgents/"_s + label + u".plist"_s;
}

} // namespace

bool LaunchAgentAutostart::SetAutostart(const QString &valueName, const QString &command)
{
    const QString label = AutostartFile::fileStem(valueName);
    if (label.isEmpty()) {
        return false;
    }
    const QString text = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"_s + kMark +
                         u"\n<plist version=\"1.0\">\n<dict>\n"
                         u"\t<key>Label</key>\n\t<string>"_s +
                         label +
                         u"</string>\n"
                         u"\t<key>ProgramArguments</key>\n\t<array>\n\t\t<string>"_s +
                         command.toHtmlEscaped() +
                         u"</string>\n\t</array>\n"
                         u"\t<key>RunAtLoad</key>\n\t<true/>\n"
                         u"</dict>\n</plist>\n"_s;
    return AutostartFile::write(agentPath(label), text.toUtf8());
}

bool LaunchAgentAutostart::RemoveAutostart(const QString &valueName)
{
    const QString label = AutostartFile::fileStem(valueName);
    return !label.isEmpty() && AutostartFile::removeOwn(agentPath(label), kMark);
}
