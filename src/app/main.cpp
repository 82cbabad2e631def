// SPDX-License-Identifier: MIT
#include "Clock.h"
#include "ConsoleTextDisplay.h"
#include "HeadlessTray.h"
#include "InstanceLock.h"
#include "ProgramFolder.h"
#include "SongTracker.h"
#include "Taskbar.h"
#include "frmMain.h"

#include <QApplication>
#include <QtDebug>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mirkan_DesktopTool"));
    QApplication::setOrganizationName(QStringLiteral("Mirkan"));
    QApplication::setQuitOnLastWindowClosed(false);

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
    ConsoleTextDisplay display;
    HeadlessTray tray;
    const auto taskbar = createTaskbarLocator();
    NoSongTracker songs;
    frmMain form({folder, exeDir, clock, display, tray, *taskbar, songs});
    form.Form_Load();
    return QApplication::exec();
}
