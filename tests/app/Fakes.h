// SPDX-License-Identifier: MIT
#pragma once

#include "Clock.h"
#include "CurrentSongTracker.h"
#include "KonfigKeys.h"
#include "TaskbarLocator.h"
#include "TextDisplay.h"
#include "TrayView.h"
#include "frmMain.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

// A display that remembers every text it was given.
class RecordingDisplay final : public TextDisplay
{
public:
    void set_Print_Text(const QString &text) override
    {
        texts.append(text);
        if (whileShowing) {
            whileShowing();
        }
    }
    QString get_text() const override { return texts.isEmpty() ? QString() : texts.back(); }
    void show() override { shown = true; }

    QStringList texts;
    bool shown = false;
    // Runs inside every set_Print_Text, e.g. to pump events as a real window may.
    std::function<void()> whileShowing;
};

// A tray that remembers its state and every countdown tip it was given.
class RecordingTray final : public TrayView
{
public:
    void add() override { m_added = true; }
    void setToolTip(const QString &tip) override
    {
        m_tip = tip;
        countdownTips.append(tip);
    }
    void set_tray_busy(bool busy) override
    {
        m_busy = busy;
        m_tip = QString::fromUtf16(busy ? kBusyTip : kNormalTip);
    }

    bool isAdded() const { return m_added; }
    bool isBusy() const { return m_busy; }
    const QString &toolTip() const { return m_tip; }

    QStringList countdownTips;

private:
    QString m_tip = QString::fromUtf16(kNormalTip);
    bool m_added = false;
    bool m_busy = false;
};

class FixedClock final : public Clock
{
public:
    QDateTime now() const override { return time; }
    QDateTime time{QDate(2026, 12, 5), QTime(14, 30, 15)};
};

// The program's own title files, with a record of the stations in the order asked.
class RecordingSongTracker final : public SongTracker
{
public:
    RecordingSongTracker(const QString &programDir, const Clock &clock)
        : m_real(programDir, clock, QLocale(QLocale::German, QLocale::Germany))
    {
    }
    qint32 get_current_song(const QString &station, qint32 lastSongId, const QString &answer,
                            const QByteArray &document) override
    {
        stations.append(station);
        return m_real.get_current_song(station, lastSongId, answer, document);
    }

    QStringList stations;

private:
    CurrentSongTracker m_real;
};

class FixedTaskbar final : public TaskbarLocator
{
public:
    std::optional<QRect> taskbarRect() const override { return rect; }
    std::optional<QRect> rect;
};

// A fresh world around one frmMain: its own program and executable folders, display,
// tray, clock and taskbar.
struct AppWorld
{
    explicit AppWorld(int timeoutMs = WebDownloader::kDefaultTimeoutMs)
        : downloadTimeoutMs(timeoutMs)
    {
    }

    int downloadTimeoutMs;
    QTemporaryDir programDir;
    QTemporaryDir executableDir;
    FixedClock clock;
    RecordingDisplay display;
    RecordingTray tray;
    FixedTaskbar taskbar;
    RecordingSongTracker songs{programDir.path(), clock};
    frmMain form{{programDir.path(), executableDir.path(), clock, display, tray, taskbar, songs,
                  downloadTimeoutMs}};

    QString iniPath() const { return QDir(programDir.path()).filePath(KonfigKeys::kFileName); }

    void writeIniFile(const QByteArray &bytes) const
    {
        QFile f(iniPath());
        if (f.open(QIODevice::WriteOnly)) {
            f.write(bytes);
        }
    }
};
