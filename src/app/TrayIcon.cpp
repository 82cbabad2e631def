// SPDX-License-Identifier: MIT
#include "TrayIcon.h"

#include "TrayHost.h"

#include <QtDebug>

using namespace Qt::StringLiterals;

TrayIcon::TrayIcon(const QIcon &normal, const QIcon &busy,
                   std::function<bool()> reportsDoubleClicks, QObject *parent)
    : QObject(parent), m_reportsDoubleClicks(std::move(reportsDoubleClicks)), m_normal(normal),
      m_busyIcon(busy)
{
    if (!m_reportsDoubleClicks) {
        m_reportsDoubleClicks = &TrayHost::reportsDoubleClicks;
    }
    m_menu.setObjectName(u"mnBar"_s);
    m_menu.setTitle(u"Menü"_s);
    const auto entry = [this](const char *name, const QString &caption, auto signal) {
        QAction *action = m_menu.addAction(caption);
        action->setObjectName(QLatin1StringView(name));
        connect(action, &QAction::triggered, this, signal);
    };
    entry("mnuCong", u"Einstellungen"_s, &TrayIcon::settingsRequested);
    entry("mnStat", u"Statistik"_s, &TrayIcon::statisticsRequested);
    entry("mnOver", u"Über"_s, &TrayIcon::aboutRequested);
    entry("mnExit", u"Beenden"_s, &TrayIcon::exitRequested);

    m_icon.setIcon(m_normal);
    m_icon.setToolTip(QString::fromUtf16(kNormalTip));
    // The desktop shows the menu itself at the right button (some hosts draw it).
    m_icon.setContextMenu(&m_menu);
    connect(&m_icon, &QSystemTrayIcon::activated, this, &TrayIcon::onActivated);
    m_waitForTray.setInterval(kTrayPollMs);
    connect(&m_waitForTray, &QTimer::timeout, this, &TrayIcon::showWhenAvailable);
}

TrayIcon::~TrayIcon()
{
    // Gone from the notification area at once, not when the host notices.
    m_icon.hide();
}

void TrayIcon::add()
{
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        qWarning("No notification area on this desktop: right-click the display for the menu, "
                 "double-click it to refresh; the icon follows when a notification area "
                 "appears");
        m_waitForTray.start();
        return;
    }
    m_icon.show();
}

void TrayIcon::showWhenAvailable()
{
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        m_waitForTray.stop();
        m_icon.show();
    }
}

void TrayIcon::setToolTip(const QString &tip)
{
    m_icon.setToolTip(cutTip(tip));
}

void TrayIcon::set_tray_busy(bool busy)
{
    m_busy = busy;
    m_icon.setIcon(busy ? m_busyIcon : m_normal);
    m_icon.setToolTip(QString::fromUtf16(busy ? kBusyTip : kNormalTip));
}

void TrayIcon::onActivated(QSystemTrayIcon::ActivationReason reason)
{
    // The menu belongs to the right button (the context menu); single clicks and
    // middle clicks do nothing where a double-click can come. Asked at the click: the
    // host is the one there now.
    if (reason == QSystemTrayIcon::DoubleClick ||
        (reason == QSystemTrayIcon::Trigger && !m_reportsDoubleClicks())) {
        emit refreshRequested();
    }
}

void TrayIcon::overlayContextMenu(const QPoint &globalPos)
{
    if (!m_icon.isVisible()) {
        m_menu.popup(globalPos);
    }
}

void TrayIcon::overlayDoubleClicked()
{
    if (!m_icon.isVisible()) {
        emit refreshRequested();
    }
}
