// SPDX-License-Identifier: MIT
#include "frmKonfig_position.h"

#include "KonfigSettings.h"
#include "PositionIcons.h"
#include "ScreenTwips.h"
#include "frmText.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

const QColor kDarkGreen(0, 64, 0);
// Big enough for the two icons when the overlay shows nothing.
constexpr QSize kSmallest{48, 24};

QToolButton *iconButton(QWidget *form, const QString &name, const QIcon &icon, int leftTwips)
{
    auto *button = new QToolButton(form);
    button->setObjectName(name);
    button->setIcon(icon);
    button->setIconSize({16, 16});
    button->setAutoRaise(true);
    button->setGeometry(ScreenTwips::toPixels(leftTwips, 0, 240, 240));
    return button;
}

} // namespace

frmKonfig_position::frmKonfig_position(KonfigSettings &konfig, frmText &overlay, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_konfig(konfig), m_overlay(overlay)
{
    setObjectName(u"frmKonfig_position"_s);
    // Blocks the settings it belongs to, never the tray.
    setWindowModality(Qt::WindowModal);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kDarkGreen);
    palette.setColor(QPalette::Button, kDarkGreen);
    palette.setColor(QPalette::WindowText, Qt::white);
    setPalette(palette);
    setAutoFillBackground(true);

    auto *Picture1 = iconButton(this, u"Picture1"_s, PositionIcons::accept(), 0);
    Picture1->setToolTip(u"Einstellungen übernehmen"_s);
    auto *Picture2 = iconButton(this, u"Picture2"_s, PositionIcons::reset(), 360);
    m_label = new QLabel(this);
    m_label->setObjectName(u"Label1"_s);
    m_label->setGeometry(ScreenTwips::toPixels(120, 1800, 5655, 375));
    auto *Command1 = new QPushButton(u"Übernehmen"_s, this);
    Command1->setObjectName(u"Command1"_s);
    Command1->setGeometry(ScreenTwips::toPixels(3600, 2400, 1815, 375));
    auto *Command2 = new QPushButton(u"Abbrechen"_s, this);
    Command2->setObjectName(u"Command2"_s);
    Command2->setGeometry(ScreenTwips::toPixels(240, 2400, 1815, 375));
    for (QPushButton *button : {Command1, Command2}) {
        button->setAutoDefault(false);
    }

    connect(Picture1, &QToolButton::clicked, this, &frmKonfig_position::accept);
    connect(Command1, &QPushButton::clicked, this, &frmKonfig_position::accept);
    connect(Picture2, &QToolButton::clicked, this, &frmKonfig_position::resetPosition);
    connect(Command2, &QPushButton::clicked, this, &frmKonfig_position::resetPosition);
    connect(&m_overlay, &frmText::pictureChanged, this, &frmKonfig_position::followOverlay);
    Form_Load();
}

void frmKonfig_position::Form_Load()
{
    move(ScreenTwips::toPixelsX(m_konfig.window_pos_x),
         ScreenTwips::toPixelsY(m_konfig.window_pos_y));
    m_label->setText(u"Verschiebe das Fenster an die gewünschte Position."_s);
    // The overlay's own window is exactly its measured text.
    setFixedSize(m_overlay.size().expandedTo(kSmallest));
}

// A poll landed, or a setting changed: the window takes the overlay's new size and shows
// its new text, and the overlay stays where the window is, below it.
void frmKonfig_position::followOverlay()
{
    setFixedSize(m_overlay.size().expandedTo(kSmallest));
    m_overlay.move(pos());
    raise();
    update();
}

void frmKonfig_position::mousePressEvent(QMouseEvent *event)
{
    // A press on the instruction text reaches here too, as the label does not take it;
    // it must not start a drag.
    if (childAt(event->position().toPoint()) == m_label) {
        return;
    }
    m_pressPoint = event->position().toPoint();
    m_dragging = true;
}

void frmKonfig_position::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging) {
        return;
    }
    move(pos() + event->position().toPoint() - m_pressPoint);
    m_overlay.move(pos());
    // Above the overlay, which may raise itself with a new count: a window that takes
    // the clicks in its whole area (as a translucent one does) would end the drag. The
    // text shows on this window instead.
    raise();
}

void frmKonfig_position::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_overlay.picture());
}

void frmKonfig_position::mouseReleaseEvent(QMouseEvent *)
{
    m_dragging = false;
}

void frmKonfig_position::accept()
{
    const QPoint twips = ScreenTwips::toTwips(pos());
    m_konfig.window_pos_x = twips.x();
    m_konfig.window_pos_y = twips.y();
    stopFollowing();
    m_overlay.redraw_text();
    QDialog::accept();
}

void frmKonfig_position::resetPosition()
{
    m_konfig.window_pos_x = 0;
    m_konfig.window_pos_y = 0;
    stopFollowing();
    m_overlay.redraw_text();
    QDialog::reject();
}

void frmKonfig_position::done(int result)
{
    stopFollowing();
    QDialog::done(result);
}

// From here on the overlay goes where the record says.
void frmKonfig_position::stopFollowing()
{
    disconnect(&m_overlay, nullptr, this, nullptr);
}
