// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

// Opens the program's windows from the menu, one per kind: asking for a window that is
// already open brings that one back to the front (also out of the minimised state)
// instead of stacking another, so the overlay is never edited from two windows. None
// of them is modal and none runs a nested event loop, so the tray (menu and
// double-click), the timers and the polls go on while they are open. Windows still
// open when the host ends are closed and deleted with it.
class DialogHost
{
public:
    using Factory = std::function<QWidget *()>;

    DialogHost() = default;
    DialogHost(const DialogHost &) = delete;
    DialogHost &operator=(const DialogHost &) = delete;
    ~DialogHost();

    // Shows the window known as key, made by factory unless it is open already.
    // Returns the window that is showing.
    QWidget *show(const QString &key, const Factory &factory);

private:
    static void bringBack(QWidget *window);

    QHash<QString, QPointer<QWidget>> m_open;
};
