// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

// Opens the program's dialogs from the menu: modal for the user, but without a nested
// event loop, so the timers and polls go on while one is open. Asking for a dialog
// that is already open brings that one to the front instead of stacking another.
class DialogHost
{
public:
    using Factory = std::function<QWidget *()>;

    // Shows the dialog known as key, made by factory unless it is open already.
    // Returns the dialog that is showing.
    QWidget *show(const QString &key, const Factory &factory);

private:
    QHash<QString, QPointer<QWidget>> m_open;
};
