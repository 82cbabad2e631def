// SPDX-License-Identifier: MIT
#include "frmMain.h"

#include "BuildInfo.h"
#include "KonfigKeys.h"
#include "ProgramFolder.h"
#include "SongTracker.h"
#include "TaskbarLocator.h"
#include "TextDisplay.h"
#include "TrayView.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QtDebug>

using namespace Qt::StringLiterals;

frmMain::frmMain(Services services, QObject *parent)
    : QObject(parent), m_services(services), m_history(services.clock),
      m_downloader(services.downloadTimeoutMs),
      m_poll({m_konfig, m_stations, m_history, services.display, services.tray, services.songs,
              m_downloader})
{
    m_timer1.setInterval(1000);
    m_timerChangesOnly.setInterval(1000);
    connect(&m_timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
    connect(&m_timerChangesOnly, &QTimer::timeout, this, &frmMain::Timer_changes_only_Timer);
    connect(&m_poll, &ListenerPoll::changeShown, this, &frmMain::showChange);
    connect(&m_poll, &ListenerPoll::finished, this, &frmMain::onPollFinished);
}

frmMain::~frmMain() = default;

void frmMain::Form_Load()
{
    m_konfig = KonfigSettings{};
    m_konfig.ini_path = ProgramFolder::iniPath(m_services.programDir);
    startUpdater();
    m_history.init_history();
    measureTaskbar();
    Load_Konfig();
    m_services.tray.add();
    m_services.display.show();
    m_timer1.start();
}

void frmMain::Load_Konfig()
{
    KonfigKeys::readFile(m_konfig);
    // The running poll's results belong to the list that is about to be replaced.
    m_poll.cancel();
    split_stations(m_konfig.stations, m_stations);
    check_stations();
}

void frmMain::check_stations()
{
    m_poll.request(ListenerPoll::Mode::AsConfigured);
}

void frmMain::refresh_now()
{
    m_poll.request(ListenerPoll::Mode::ShowAll);
}

void frmMain::onPollFinished(ListenerPoll::Mode mode)
{
    // After a full refresh the only-changes display blanks again as after a change.
    if (mode == ListenerPoll::Mode::ShowAll && m_konfig.only_changes) {
        showChange();
    }
}

void frmMain::showChange()
{
    m_changeSeconds = 0;
    if (!m_timerChangesOnly.isActive()) {
        m_timerChangesOnly.start();
    }
}

void frmMain::Timer1_Timer()
{
    ++m_pollSeconds;
    const qint32 period = qint32(m_konfig.UpdateInterval) * 60;
    // While a poll runs the tip says so; the countdown takes over again after it.
    if (!m_poll.isRunning()) {
        m_services.tray.setToolTip(DisplayText::countdownText(period - m_pollSeconds));
    }
    if (m_pollSeconds >= period) {
        m_pollSeconds = 0;
        check_stations();
    }
}

void frmMain::Timer_changes_only_Timer()
{
    ++m_changeSeconds;
    if (m_changeSeconds >= m_konfig.changes_visible_in_seconds) {
        m_services.display.set_Print_Text(QString());
        m_timerChangesOnly.stop();
    }
}

void frmMain::measureTaskbar()
{
    m_taskLeisteHeight = taskbar_metric(u"HEIGHT", m_services.taskbar);
}

void frmMain::mnExit_Click()
{
    QCoreApplication::exit(0);
}

QString frmMain::updaterFileName()
{
    return u"AutoUpdate"_s + QLatin1StringView(MIRKAN_EXECUTABLE_SUFFIX);
}

void frmMain::startUpdater()
{
    const QString path = QDir(m_services.executableDir).filePath(updaterFileName());
    if (!file_exists(path)) {
        return;
    }
    if (!QProcess::startDetached(path, {}, m_services.executableDir)) {
        qWarning("Cannot start the updater %s", qPrintable(QDir::toNativeSeparators(path)));
    }
}

bool frmMain::file_exists(const QString &path)
{
    const QFileInfo info(QDir::fromNativeSeparators(path));
    const QString name = info.fileName();
    if (!name.contains(u'*') && !name.contains(u'?')) {
        return info.exists();
    }
    const QDir dir = info.dir();
    const auto filter = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    return !dir.entryList({name}, filter).isEmpty();
}
