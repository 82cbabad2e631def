// SPDX-License-Identifier: MIT
#include "DialogHost.h"

QWidget *DialogHost::show(const QString &key, const Factory &factory)
{
    if (QWidget *open = m_open.value(key)) {
        open->raise();
        open->activateWindow();
        return open;
    }
    QWidget *dialog = factory();
    // Each opening starts afresh: the closed dialog is gone with everything it held.
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::ApplicationModal);
    m_open.insert(key, dialog);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}
