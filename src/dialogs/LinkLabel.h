// SPDX-License-Identifier: MIT
#pragma once

#include <QCursor>
#include <QLabel>

// A label that acts as a web link. While the mouse is over it, its text is underlined
// and it shows the hover cursor; a left click on it emits activated() and drops the
// underline until the mouse moves over it again.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit LinkLabel(const QString &text, QWidget *parent = nullptr);

    void setHoverCursor(const QCursor &cursor);

signals:
    void activated();

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void setUnderlined(bool on);

    QCursor m_hoverCursor = Qt::PointingHandCursor;
    bool m_pressed = false;
};
