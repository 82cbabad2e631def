// SPDX-License-Identifier: MIT
#include "ColourPicker.h"

#include <QColorDialog>
#include <QProcess>
#include <QSettings>

DesktopColourPicker::DesktopColourPicker()
{
    // Qt's colour dialog stores its custom colours in the user's settings of the Qt
    // project (QtProject.conf in the configuration folder) whenever one of its dialogs
    // ends; the program keeps them for as long as a window lives and writes nothing
    // outside its own folder. Below the null device no folder can be made, so that
    // store neither reads nor writes anything. The program itself keeps no settings
    // there.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QProcess::nullDevice());
}

void DesktopColourPicker::choose(QWidget *parent, const QColor &initial, Palette &custom, Done done)
{
    // Qt keeps one set of custom colours for every colour dialog of the process; each
    // caller's own set is put in before and taken back after.
    for (int i = 0; i < int(custom.size()); ++i) {
        QColorDialog::setCustomColor(i, QColor::fromRgb(custom[std::size_t(i)]));
    }
    auto *dialog = new QColorDialog(initial, parent);
    // Qt's own dialog everywhere: only it shows the custom colours it is given.
    dialog->setOption(QColorDialog::DontUseNativeDialog);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // Modal to the window it chooses for (a second one there would mix the custom
    // colours up), never to the program: the tray stays usable.
    dialog->setWindowModality(parent ? Qt::WindowModal : Qt::NonModal);
    // The dialog is the parent's child, so the palette (held by the parent) outlives it.
    QObject::connect(dialog, &QColorDialog::finished, dialog,
                     [dialog, &custom, done = std::move(done)](int result) {
                         for (int i = 0; i < int(custom.size()); ++i) {
                             custom[std::size_t(i)] = QColorDialog::customColor(i).rgb();
                         }
                         done(result == QDialog::Accepted
                                  ? std::optional<QColor>(dialog->selectedColor())
                                  : std::nullopt);
                     });
    dialog->show();
}
