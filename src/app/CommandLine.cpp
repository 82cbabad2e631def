// SPDX-License-Identifier: MIT
#include "CommandLine.h"

#include "BuildInfo.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// helpText() names the executable only once an application object exists; the
// usage line is made here so the help reads the same before and after.
QString usage(const QCommandLineParser &parser, const QString &program)
{
    const QString help = parser.helpText();
    return u"Usage: "_s + program + u" [options]"_s + help.mid(help.indexOf(u'\n'));
}

} // namespace

CommandLine CommandLine::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        displayName() + u": shows the listener counts of radio stations above all windows."_s);
    const QCommandLineOption help({u"h"_s, u"help"_s}, u"Displays this help."_s);
    const QCommandLineOption version({u"v"_s, u"version"_s}, u"Displays the version."_s);
    const QCommandLineOption console(
        u"console"_s, u"Also writes every display text, with the time, to standard output."_s);
    parser.addOptions({help, version, console});

    const QString program =
        arguments.isEmpty() ? QString() : QFileInfo(arguments.front()).fileName();
    CommandLine result;
    QString error;
    if (!parser.parse(arguments)) {
        error = parser.errorText();
    } else if (!parser.positionalArguments().isEmpty()) {
        error = u"Unexpected argument '"_s + parser.positionalArguments().front() + u"'."_s;
    }

    if (!error.isEmpty()) {
        result.m_action = Action::Fail;
        result.m_message = program + u": "_s + error + u"\n\n"_s + usage(parser, program);
    } else if (parser.isSet(help)) {
        result.m_action = Action::ShowHelp;
        result.m_message = usage(parser, program);
    } else if (parser.isSet(version)) {
        result.m_action = Action::ShowVersion;
        result.m_message = displayName() + u' ' + CommandLine::version() + u'\n';
    }
    result.m_console = result.m_action == Action::Run && parser.isSet(console);
    return result;
}

QStringList CommandLine::argumentsOf(int argc, const char *const *argv)
{
    QStringList list;
    for (int i = 0; i < argc; ++i) {
        list.append(QString::fromLocal8Bit(argv[i]));
    }
    return list;
}

QString CommandLine::displayName()
{
    return u"Mirkan DesktopTool"_s;
}

QString CommandLine::version()
{
    return QStringLiteral(MIRKAN_VERSION);
}

int CommandLine::report() const
{
    std::FILE *out = m_action == Action::Fail ? stderr : stdout;
    std::fputs(m_message.toLocal8Bit().constData(), out);
    std::fflush(out);
    return exitCode();
}
