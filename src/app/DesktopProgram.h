// SPDX-License-Identifier: MIT
#pragma once

#include "Autostart.h"
#include "Clock.h"
#include "ColourPicker.h"
#include "ConsoleTextDisplay.h"
#include "CurrentSongTracker.h"
#include "DialogHost.h"
#include "Messenger.h"
#include "QtGermanTexts.h"
#include "TaskbarLocator.h"
#include "TeeTextDisplay.h"
#include "TerminationSignals.h"
#include "TrayIcon.h"
#include "UrlOpener.h"
#include "frmMain.h"
#include "frmText.h"

#include <memory>

// The running program on a desktop: frmMain with the real overlay, tray icon and
// menu, the dialogs the menu opens, and the system's requests to end. Everything the
// program holds lives here and ends with it; main only decides whether to run.
class DesktopProgram
{
public:
    struct Options
    {
        QString programDir;
        QString executableDir;
        bool console = false; // every display text to standard output as well
    };

    explicit DesktopProgram(const Options &options);

    // The start-up sequence of frmMain.
    void start();

private:
    void wireMenu();
    QWidget *newSettings();
    QWidget *newStatistics();

    // First in, last out: every window the program makes shows Qt's texts in German.
    QtGermanTexts m_qtTexts;
    SystemClock m_clock;
    ConsoleTextDisplay m_console;
    TeeTextDisplay m_display;
    TrayIcon m_tray;
    std::unique_ptr<TaskbarLocator> m_taskbar;
    CurrentSongTracker m_songs;
    frmMain m_form;
    frmText m_overlay;
    DesktopUrlOpener m_opener;
    DesktopMessenger m_messenger;
    DesktopColourPicker m_colours;
    std::unique_ptr<Autostart> m_autostart;
    TerminationSignals m_termination;
    // Last, so the windows still open at the end go before anything they refer to.
    DialogHost m_dialogs;
};
