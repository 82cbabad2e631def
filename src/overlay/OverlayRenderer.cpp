// SPDX-License-Identifier: MIT
#include "OverlayRenderer.h"

#include "OverlayGeometry.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

constexpr qreal kPenWidth = 2.0;
constexpr qreal kShadowOffset = 2.0;

// Centred on the glyph edges; mitred corners keep the letters' shapes sharp.
QPen outlinePen(const QColor &colour)
{
    return QPen(colour, kPenWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

} // namespace

QFont OverlayRenderer::measuringFont(int textSize) const
{
    QFont font(m_family);
    font.setBold(true);
    font.setPointSizeF(textSize);
    return font;
}

QSizeF OverlayRenderer::measure(const QString &text, int textSize) const
{
    const QFontMetricsF metrics(measuringFont(textSize));
    const QStringList lines = OverlayGeometry::drawnLines(text);
    qreal width = 0;
    for (const QString &line : lines) {
        width = std::max(width, metrics.horizontalAdvance(line));
    }
    return {std::ceil(width), std::ceil(metrics.lineSpacing() * lines.size())};
}

QImage OverlayRenderer::render(const QString &text, const OverlayStyle &style, qreal drawingWidth,
                               int width, int height, qreal devicePixelRatio) const
{
    const QSize device(int(std::ceil(width * devicePixelRatio)),
                       int(std::ceil(height * devicePixelRatio)));
    QImage image(device.expandedTo({0, 0}), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    if (image.isNull() || text.isEmpty()) {
        return image;
    }

    // The em size is in pixels, not points: the drawn glyphs are smaller than the
    // measured ones, which leaves room for the outline and the shadow.
    QFont font(m_family);
    font.setBold(true);
    font.setPixelSize(style.textSize);
    const QFontMetricsF metrics(font);
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    qreal baseline = metrics.ascent();
    for (const QString &line : OverlayGeometry::drawnLines(text)) {
        path.addText(drawingWidth - metrics.horizontalAdvance(line), baseline, font, line);
        baseline += metrics.lineSpacing();
    }

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor shadow = QColor::fromRgba(OverlayStyle::kShadowArgb);
    if (style.shadowOn) {
        const QPainterPath shadowPath = path.translated(kShadowOffset, kShadowOffset);
        if (style.outlineOn) {
            painter.strokePath(shadowPath, outlinePen(shadow));
        }
        painter.fillPath(shadowPath, shadow);
    }
    if (style.outlineOn) {
        painter.strokePath(path, outlinePen(QColor::fromRgba(style.outline)));
    }
    painter.fillPath(path, QColor::fromRgba(style.fill));
    return image;
}
