// SPDX-License-Identifier: MIT
#include "PositionIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace PositionIcons {

namespace {

// Draws in a 16 x 16 box at each scale, so the picture stays sharp on dense screens.
QIcon drawn(const std::function<void(QPainter &)> &draw)
{
    QIcon icon;
    for (const int scale : {1, 2}) {
        QPixmap pixmap(16 * scale, 16 * scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QPen stroke(const QColor &colour, qreal width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

} // namespace

QIcon accept()
{
    return drawn([](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(236, 248, 228));
        p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
        p.setPen(stroke(QColor(24, 128, 40), 2.4));
        p.drawPolyline(QPolygonF({{3.8, 8.4}, {6.8, 11.4}, {12.2, 4.6}}));
    });
}

QIcon reset()
{
    return drawn([](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 236, 214));
        p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
        const QColor orange(204, 96, 16);
        p.setPen(stroke(orange, 1.8));
        p.setBrush(Qt::NoBrush);
        // Three quarters of a circle, then the head at its upper end.
        p.drawArc(QRectF(3.5, 3.5, 9, 9), 90 * 16, -270 * 16);
        QPainterPath head;
        head.moveTo(8, 1.6);
        head.lineTo(10.6, 4);
        head.lineTo(8, 6.4);
        head.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(orange);
        p.drawPath(head);
    });
}

} // namespace PositionIcons
