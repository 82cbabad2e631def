// SPDX-License-Identifier: MIT
#include "CommandLine.h"
#include "DesktopProgram.h"
#include "InstanceLock.h"
#include "ProgramFolder.h"
#include "SessionEnd.h"
#include "WaylandFallback.h"

#include <QApplication>
#include <QtDebug>

int main(int argc, char *argv[])
{
    // Help and version need no window system, so they answer before there is one.
    if (const CommandLine early = CommandLine::parse(CommandLine::argumentsOf(argc, argv));
        early.answersAlone()) {
        return early.report();
    }
    WaylandFallback::apply();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mirkan_DesktopTool"));
    QApplication::setApplicationVersion(CommandLine::version());
    QApplication::setOrganizationName(QStringLiteral("Mirkan"));
    QApplication::setQuitOnLastWindowClosed(false);
    // Parsed again now that Qt has taken its own options (-platform, -style) out.
    const CommandLine options = CommandLine::parse(QCoreApplication::arguments());
    if (options.action() != CommandLine::Action::Run) {
        return options.report();
    }

    const QString exeDir = QCoreApplication::applicationDirPath();
    const QString folder =
        ProgramFolder::resolve(exeDir, qgetenv(ProgramFolder::kEnvironmentVariable));
    InstanceLock lock(folder);
    switch (lock.tryLock()) {
    case InstanceLock::Result::Acquired:
        break;
    case InstanceLock::Result::HeldByOther:
        qInfo("Mirkan DesktopTool already runs for %s", qPrintable(folder));
        return 0;
    case InstanceLock::Result::Unavailable:
        qWarning("Cannot lock %s; running without a lock", qPrintable(folder));
        break;
    }

    // After the lock, so that a normal return disarms it before the lock goes.
    const SessionEnd sessionEnd([&lock] { lock.unlock(); });
    DesktopProgram program({folder, exeDir, options.console()});
    program.start();
    return QApplication::exec();
}
