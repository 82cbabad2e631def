// SPDX-License-Identifier: MIT
#pragma once

#include "TrayView.h"

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>

#include <functional>

// The notification-area icon and its menu: the normal picture, or the busy one with
// "Daten werden geladen" while a poll runs; the countdown tip; a double-click asks for
// a refresh, and the right button opens the menu mnBar (Einstellungen, Statistik,
// Über, Beenden). Single clicks do nothing, except where the notification area reports
// no double-clicks at all (a panel speaking D-Bus): there the click refreshes.
//
// Where the desktop has no notification area the icon waits for one to appear, and
// the overlay stands in: its right-click opens the same menu and its double-click
// refreshes (overlayContextMenu, overlayDoubleClicked act only while no icon shows).
class TrayIcon final : public QObject, public TrayView
{
    Q_OBJECT

public:
    // The tip field holds 64 characters with the terminating NUL.
    static constexpr int kMaxTipLength = 63;
    static constexpr int kTrayPollMs = 5000;

    // reportsDoubleClicks: the desktop's answer (TrayHost) unless a test says otherwise.
    TrayIcon(const QIcon &normal, const QIcon &busy, std::function<bool()> reportsDoubleClicks = {},
             QObject *parent = nullptr);
    ~TrayIcon() override;

    void add() override;
    void setToolTip(const QString &tip) override;
    void set_tray_busy(bool busy) override;

    // The icon's reaction to the desktop's report of a click.
    void onActivated(QSystemTrayIcon::ActivationReason reason);
    void overlayContextMenu(const QPoint &globalPos);
    void overlayDoubleClicked();

    QMenu &menu() { return m_menu; }
    QString toolTip() const { return m_icon.toolTip(); }
    bool isBusy() const { return m_busy; }
    bool isShown() const { return m_icon.isVisible(); }

    static QString cutTip(const QString &tip) { return tip.left(kMaxTipLength); }

signals:
    void refreshRequested();    // refresh_now
    void settingsRequested();   // mnuCong
    void statisticsRequested(); // mnStat
    void aboutRequested();      // mnOver
    void exitRequested();       // mnExit

private:
    void showWhenAvailable();

    std::function<bool()> m_reportsDoubleClicks;
    QSystemTrayIcon m_icon;
    QMenu m_menu;
    QIcon m_normal;
    QIcon m_busyIcon;
    QTimer m_waitForTray;
    bool m_busy = false;
};
