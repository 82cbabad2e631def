// SPDX-License-Identifier: MIT
#include "Messenger.h"

#include "ProgramIcons.h"
#include "ProgramInfo.h"

#include <QMessageBox>

void DesktopMessenger::inform(QWidget *parent, const QString &text, std::function<void()> then)
{
    auto *box = new QMessageBox(QMessageBox::NoIcon, QString::fromUtf16(ProgramInfo::kTitle), text,
                                QMessageBox::Ok, parent);
    box->setWindowIcon(ProgramIcons::program());
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Modal to the window it speaks for, never to the program: the tray stays usable.
    box->setWindowModality(parent ? Qt::WindowModal : Qt::NonModal);
    if (then) {
        QObject::connect(box, &QMessageBox::finished, box, [then = std::move(then)] { then(); });
    }
    box->show();
}
