// SPDX-License-Identifier: MIT
#include "LinkLabel.h"

#include <QEnterEvent>
#include <QMouseEvent>

LinkLabel::LinkLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    // Moves without a button pressed must arrive too: they bring the underline back
    // after a click.
    setMouseTracking(true);
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::NoTextInteraction);
    QPalette linkPalette = palette();
    linkPalette.setColor(QPalette::WindowText, linkPalette.color(QPalette::Link));
    setPalette(linkPalette);
}

void LinkLabel::setHoverCursor(const QCursor &cursor)
{
    m_hoverCursor = cursor;
}

void LinkLabel::enterEvent(QEnterEvent *event)
{
    setUnderlined(true);
    setCursor(m_hoverCursor);
    QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent *event)
{
    setUnderlined(false);
    unsetCursor();
    m_pressed = false;
    QLabel::leaveEvent(event);
}

void LinkLabel::mouseMoveEvent(QMouseEvent *event)
{
    if (rect().contains(event->position().toPoint())) {
        setUnderlined(true);
    }
    QLabel::mouseMoveEvent(event);
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    // A click is press and release of the left button, both on the label; letting go
    // elsewhere cancels it, as with a button.
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click) {
        setUnderlined(false);
        emit activated();
    }
}

void LinkLabel::setUnderlined(bool on)
{
    if (font().underline() == on) {
        return;
    }
    QFont changed = font();
    changed.setUnderline(on);
    setFont(changed);
}
