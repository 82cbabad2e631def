// SPDX-License-Identifier: MIT
#include "DesktopProgram.h"

#include "ProgramIcons.h"
#include "frmAbout.h"
#include "frmGraph.h"
#include "frmKonfig.h"

#include <QCoreApplication>
#include <QGuiApplication>

using namespace Qt::StringLiterals;

DesktopProgram::DesktopProgram(const Options &options)
    : m_console(m_clock), m_display(m_console, options.console ? &m_console : nullptr),
      m_tray(ProgramIcons::program(), ProgramIcons::busy()), m_taskbar(createTaskbarLocator()),
      m_songs(options.programDir, m_clock),
      m_form({options.programDir, options.executableDir, m_clock, m_display, m_tray, *m_taskbar,
              m_songs}),
      m_overlay({m_form.konfig(), m_form.task_leiste_height(), {}}), m_autostart(createAutostart())
{
    QGuiApplication::setWindowIcon(ProgramIcons::program());
    // Lets the desktop match the program's windows to its installed entry and icon.
    QGuiApplication::setDesktopFileName(u"example.mirkan_desktoptool.DesktopTool"_s);
    // The overlay reads what frmMain owns; it takes the display's place before start.
    m_display.setPrimary(m_overlay);
    wireMenu();
}

void DesktopProgram::start()
{
    m_form.Form_Load();
}

void DesktopProgram::wireMenu()
{
    QObject::connect(&m_tray, &TrayIcon::refreshRequested, &m_form, &frmMain::refresh_now);
    QObject::connect(&m_tray, &TrayIcon::exitRequested, &m_form, &frmMain::mnExit_Click);
    QObject::connect(&m_termination, &TerminationSignals::terminationRequested, &m_form,
                     &frmMain::mnExit_Click);
    QObject::connect(&m_tray, &TrayIcon::aboutRequested, &m_form, [this] {
        m_dialogs.show(u"about"_s, [this] { return new frmAbout(m_opener); });
    });
    QObject::connect(&m_tray, &TrayIcon::settingsRequested, &m_form,
                     [this] { m_dialogs.show(u"settings"_s, [this] { return newSettings(); }); });
    QObject::connect(&m_tray, &TrayIcon::statisticsRequested, &m_form, [this] {
        m_dialogs.show(u"statistics"_s, [this] { return newStatistics(); });
    });
    // A new resolution or a panel that came or went: the overlay goes above the taskbar
    // as it is now.
    QObject::connect(&m_overlay, &frmText::screenChanged, &m_form, &frmMain::measureTaskbar);
    // Without a notification area the overlay is the handle.
    QObject::connect(&m_overlay, &frmText::rightClicked, &m_tray, &TrayIcon::overlayContextMenu);
    QObject::connect(&m_overlay, &frmText::doubleClicked, &m_tray, &TrayIcon::overlayDoubleClicked);
}

QWidget *DesktopProgram::newSettings()
{
    return new frmKonfig({m_form.konfig(), m_overlay, *m_autostart, m_messenger, m_colours,
                          QCoreApplication::applicationFilePath(),
                          [this] { m_form.check_stations(); }, [this] { m_form.Load_Konfig(); }});
}

QWidget *DesktopProgram::newStatistics()
{
    const StationList &stations = m_form.stations();
    return new frmGraph({m_form.history(),
                         [&stations] {
                             QStringList names;
                             for (const station_entry &station : stations) {
                                 names.append(station.name);
                             }
                             return names;
                         },
                         [&stations](const QString &name) { return station_max(stations, name); },
                         [&stations](const QString &name) { return station_min(stations, name); }});
}
