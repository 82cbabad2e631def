// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

// The program's command line: what a start asks for. parse() only reads the
// arguments; report() prints the help, the version or the error and gives the exit
// status, so main can end with it.
//
//   const CommandLine options = CommandLine::parse(QCoreApplication::arguments());
//   if (options.action() != CommandLine::Action::Run) { return options.report(); }
class CommandLine
{
public:
    enum class Action
    {
        Run,         // start the program
        ShowHelp,    // print the usage, exit 0
        ShowVersion, // print name and version, exit 0
        Fail,        // print the error and the usage to standard error, exit 2
    };

    static constexpr int kUsageError = 2;

    // arguments[0] is the program as it was called, as in QCoreApplication::arguments().
    static CommandLine parse(const QStringList &arguments);
    // argv as a list, before an application object exists to do it.
    static QStringList argumentsOf(int argc, const char *const *argv);

    // The human name and the version the build was made from.
    static QString displayName();
    static QString version();

    Action action() const { return m_action; }
    // --console: every display text goes to standard output as well.
    bool console() const { return m_console; }
    // The help, the version line or the error with the usage; empty for Run.
    const QString &message() const { return m_message; }
    int exitCode() const { return m_action == Action::Fail ? kUsageError : 0; }
    // True for help and version: answers that need no window system.
    bool answersAlone() const
    {
        return m_action == Action::ShowHelp || m_action == Action::ShowVersion;
    }

    // Writes message() to standard output, or to standard error for Fail; returns
    // exitCode().
    int report() const;

private:
    Action m_action = Action::Run;
    bool m_console = false;
    QString m_message;
};
