// SPDX-License-Identifier: MIT
#include "Clock.h"
#include "CommandLine.h"
#include "ConsoleTextDisplay.h"
#include "HeadlessTray.h"
#include "InstanceLock.h"
#include "ProgramFolder.h"
#include "SongTracker.h"
#include "Taskbar.h"
#include "TeeTextDisplay.h"
#include "WaylandFallback.h"
#include "frmMain.h"
#include "frmText.h"

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

    SystemClock clock;
    ConsoleTextDisplay console(clock);
    TeeTextDisplay display(console, options.console() ? &console : nullptr);
    HeadlessTray tray;
    const auto taskbar = createTaskbarLocator();
    NoSongTracker songs;
    frmMain form({folder, exeDir, clock, display, tray, *taskbar, songs});
    frmText overlay({form.konfig(), form.task_leiste_height(), {}});
    display.setPrimary(overlay);
    form.Form_Load();
    return QApplication::exec();
}
