// SPDX-License-Identifier: MIT
#include "ChartPicture.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// 24-bit colour: red + green * 256 + blue * 65536.
QColor toColor(qint32 colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

// Far beyond any screen, yet small enough for the rasteriser's fixed-point arithmetic;
// a count of minus two billion must not turn into a line it cannot handle.
constexpr float kReach = 1 << 20;

QPointF toPoint(PicturePoint p)
{
    return {std::clamp(p.x, -kReach, kReach), std::clamp(p.y, -kReach, kReach)};
}

void paintWith(QImage &canvas, qint32 colour, const auto &paint)
{
    if (canvas.isNull()) {
        return;
    }
    QPainter painter(&canvas);
    painter.setPen(QPen(toColor(colour), 1));
    painter.setBrush(Qt::NoBrush);
    paint(painter);
}

} // namespace

ChartPicture::ChartPicture(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartPicture::setPersistentDrawing(bool on)
{
    m_persistent = on;
    update();
}

void ChartPicture::clear()
{
    canvas().fill(toColor(m_background));
    update();
}

void ChartPicture::setBorderStyle(int style)
{
    m_borderStyle = style;
    update();
}

void ChartPicture::setBackground(qint32 colour)
{
    m_background = colour;
    clear();
}

void ChartPicture::line(PicturePoint from, PicturePoint to, qint32 colour)
{
    paintWith(canvas(), colour,
              [&](QPainter &painter) { painter.drawLine(QLineF(toPoint(from), toPoint(to))); });
    update();
}

void ChartPicture::rectangle(PicturePoint corner, PicturePoint opposite, qint32 colour)
{
    paintWith(canvas(), colour, [&](QPainter &painter) {
        painter.drawRect(QRectF(toPoint(corner), toPoint(opposite)).normalized());
    });
    update();
}

void ChartPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (frameWidth() > 0) {
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    const QRect inner(QPoint(frameWidth(), frameWidth()), innerSize());
    if (m_persistent && !canvas().isNull()) {
        painter.drawImage(inner.topLeft(), m_canvas);
    } else {
        painter.fillRect(inner, toColor(m_background));
    }
}

QSize ChartPicture::innerSize() const
{
    return size()
        .shrunkBy(QMargins(frameWidth(), frameWidth(), frameWidth(), frameWidth()))
        .expandedTo(QSize(0, 0));
}

QImage &ChartPicture::canvas()
{
    const qreal ratio = devicePixelRatioF();
    const QSize logical = innerSize();
    const QSize device(int(std::ceil(logical.width() * ratio)),
                       int(std::ceil(logical.height() * ratio)));
    if (m_canvas.size() == device && m_canvas.devicePixelRatio() == ratio) {
        return m_canvas;
    }
    // Resized or moved to another screen: keep what was drawn until the next clear.
    QImage resized;
    if (!device.isEmpty()) {
        resized = QImage(device, QImage::Format_RGB32);
        resized.setDevicePixelRatio(ratio);
        resized.fill(toColor(m_background));
        if (!m_canvas.isNull()) {
            QPainter(&resized).drawImage(QPoint(0, 0), m_canvas);
        }
    }
    m_canvas = resized;
    return m_canvas;
}
