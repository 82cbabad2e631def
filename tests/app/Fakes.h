// SPDX-License-Identifier: MIT
#pragma once

#include "Clock.h"
#include "CurrentSongTracker.h"
#include "TaskbarLocator.h"
#include "TestFiles.h"
#include "TextDisplay.h"
#include "TrayView.h"
#include "frmMain.h"

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

// A tray that remembers whether it was added, its busy state and every tip.
class RecordingTray final : public TrayView
{
public:
    void add() override { added = true; }
    void setToolTip(const QString &tip) override { tips.append(tip); }
    void set_tray_busy(bool state) override { busy = state; }

    bool added = false;
    bool busy = false;
    QStringList tips;
};

class FixedClock final : public Clock
{
public:
    QDateTime now() const override { return time; }
    QDateTime time{QDate(2026, 12, 5), QTime(14, 30, 15)};
};

class FixedTaskbar final : public TaskbarLocator
{
public:
    std::optional<QRect> taskbarRect() const override { return rect; }
    std::optional<QRect> rect;
};

// A fresh world around one frmMain, with its own folders.
struct AppWorld
{
    explicit AppWorld(int timeoutMs = WebDownloader::kDefaultTimeoutMs)
        : form({programDir.path(), executableDir.path(), clock, display, tray, taskbar, songs,
                timeoutMs})
    {
    }

    QTemporaryDir programDir;
    QTemporaryDir executableDir;
    FixedClock clock;
    RecordingDisplay display;
    RecordingTray tray;
    FixedTaskbar taskbar;
    CurrentSongTracker songs{programDir.path(), clock, QLocale(QLocale::German, QLocale::Germany)};
    frmMain form;

    QString iniPath() const
    {
        return programDir.filePath(QStringLiteral("Mirkan_DesktopTool.ini"));
    }
    bool writeIniFile(const QByteArray &bytes) const { return writeBytes(iniPath(), bytes); }
};
