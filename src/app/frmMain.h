// SPDX-License-Identifier: MIT
#pragma once

#include "KonfigSettings.h"
#include "ListenerHistory.h"
#include "ListenerPoll.h"
#include "StationList.h"
#include "WebDownloader.h"

#include <QObject>
#include <QString>
#include <QTimer>

class Clock;
class SongTracker;
class TaskbarLocator;
class TextDisplay;
class TrayView;

// The program's hidden centre. It owns the process-wide state - the settings
// record, the station list, the listener history, the taskbar height - and the two
// one-second timers that drive everything: Timer1 counts down to the next poll,
// Timer_changes_only blanks the only-changes display again. It never shows a window.
//
// Everything it talks to is passed in, so a test can build a fresh world around it.
class frmMain : public QObject
{
    Q_OBJECT

public:
    struct Services
    {
        QString programDir;    // where the INI file and everything written lives
        QString executableDir; // where the updater lies
        const Clock &clock;
        TextDisplay &display;
        TrayView &tray;
        const TaskbarLocator &taskbar;
        SongTracker &songs; // the current-song step of each poll: the title files
        int downloadTimeoutMs = WebDownloader::kDefaultTimeoutMs;
    };

    explicit frmMain(Services services, QObject *parent = nullptr);
    ~frmMain() override;

    // The start-up sequence; called once.
    void Form_Load();
    // Reads every setting, rebuilds the station list and polls at once.
    void Load_Konfig();
    // One poll (or, while one runs, exactly one more after it).
    void check_stations();
    // A poll that shows every station, also in the only-changes mode.
    void refresh_now();
    void Timer1_Timer();
    void Timer_changes_only_Timer();
    void mnExit_Click();
    // Measures the taskbar's height again (at start-up, and when the screen changed).
    void measureTaskbar();

    // True when path names an existing file or folder; "*" and "?" in its last
    // part match as wildcards.
    static bool file_exists(const QString &path);

    KonfigSettings &konfig() { return m_konfig; }
    const StationList &stations() const { return m_stations; }
    const ListenerHistory &history() const { return m_history; }
    // Pixels; measured by start-up and again when the screen changes, read by the
    // overlay's placement.
    const qint32 &task_leiste_height() const { return m_taskLeisteHeight; }

    // "AutoUpdate" plus the platform's executable suffix.
    static QString updaterFileName();

private:
    void startUpdater();
    void showChange();
    void onPollFinished(ListenerPoll::Mode mode);

    Services m_services;
    KonfigSettings m_konfig;
    StationList m_stations;
    ListenerHistory m_history;
    qint32 m_taskLeisteHeight = 0;
    qint32 m_pollSeconds = 0;
    qint32 m_changeSeconds = 0;
    WebDownloader m_downloader;
    ListenerPoll m_poll;
    QTimer m_timer1;
    QTimer m_timerChangesOnly;
};
