// SPDX-License-Identifier: MIT
#include "DialogHost.h"

DialogHost::~DialogHost()
{
    // A window may refer to what its opener holds; it must not outlive the host.
    for (const QPointer<QWidget> &window : std::as_const(m_open)) {
        delete window.data();
    }
}

QWidget *DialogHost::show(const QString &key, const Factory &factory)
{
    if (QWidget *open = m_open.value(key)) {
        bringBack(open);
        return open;
    }
    QWidget *window = factory();
    // Each opening starts afresh: the closed window is gone with everything it held.
    window->setAttribute(Qt::WA_DeleteOnClose);
    // Whatever the window asked for itself: an application-modal window would block the
    // tray, and with it the only way back to a window the user minimised.
    window->setWindowModality(Qt::NonModal);
    m_open.insert(key, window);
    bringBack(window);
    return window;
}

void DialogHost::bringBack(QWidget *window)
{
    // A tool window minimised by the window manager has no taskbar entry to come back
    // from: this is the way back. Only the minimised state goes; a maximised window
    // stays maximised.
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}
