// SPDX-License-Identifier: MIT
#include "OverlayRenderer.h"

#include "OverlayGeometry.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QTextLayout>

#include <cmath>
#include <utility>

namespace {

using Cache = OverlayGlyphCache;

// Whole device pixel and quarter-pixel fraction of a coordinate, to the nearest quarter.
std::pair<int, int> split(qreal coordinate)
{
    const auto quarters = qint64(std::floor(coordinate * Cache::kSubpixels + 0.5));
    const auto whole = qint64(std::floor(qreal(quarters) / Cache::kSubpixels));
    return {int(whole), int(quarters - whole * Cache::kSubpixels)};
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
                               int width, int height, qreal devicePixelRatio, qreal top) const
{
    // Drawn in device pixels; the ratio is set once the glyphs are in.
    const QSize device(int(std::ceil(width * devicePixelRatio)),
                       int(std::ceil(height * devicePixelRatio)));
    QImage image(device.expandedTo({0, 0}), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (!image.isNull() && !text.isEmpty()) {
        m_glyphs.setLook(style, devicePixelRatio);
        const std::vector<Placed> placed =
            placeGlyphs(text, style.textSize, {drawingWidth, top}, device, devicePixelRatio);
        QPainter painter(&image);
        // Layer by layer over the whole text, so no glyph's shadow or outline lies over
        // its neighbour's fill.
        for (const int layer : {Cache::Shadow, Cache::Outline, Cache::Fill}) {
            for (const Placed &glyph : placed) {
                const Cache::Picture &picture = glyph.glyph[layer];
                if (!picture.image.isNull()) {
                    painter.drawImage(glyph.pixel + picture.offset, picture.image);
                }
            }
        }
    }
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}

OverlayLineMetrics OverlayRenderer::lineMetrics(const QFont &font) const
{
    if (m_metricsSize != font.pixelSize()) {
        m_metrics = OverlayLineMetrics::of(QRawFont::fromFont(font));
        if (!m_metrics.isValid()) {
            const QFontMetricsF metrics(font);
            m_metrics = {metrics.ascent() / font.pixelSize(),
                         metrics.lineSpacing() / font.pixelSize()};
        }
        m_metricsSize = font.pixelSize();
    }
    return m_metrics;
}

// origin: where the first line's box ends on the right (x) and starts at the top (y).
std::vector<OverlayRenderer::Placed> OverlayRenderer::placeGlyphs(const QString &text, int textSize,
                                                                  QPointF origin, QSize device,
                                                                  qreal devicePixelRatio) const
{
    // The em size is in pixels, not points: the drawn glyphs are smaller than the
    // measured ones, which leaves room for the outline and the shadow.
    QFont font(m_family);
    font.setBold(true);
    font.setPixelSize(textSize);
    const OverlayLineMetrics lines = lineMetrics(font);
    // Glyphs wholly outside the picture are left out, so a text far wider than the
    // window does not crowd the cache; the margin holds outline, shadow and soft edges.
    const qreal margin = (Cache::kPenWidth + Cache::kShadowOffset) * devicePixelRatio + 2;
    const QRectF visible =
        QRectF(QPointF(), QSizeF(device)).adjusted(-margin, -margin, margin, margin);
    const QTransform toDevice = QTransform::fromScale(devicePixelRatio, devicePixelRatio);
    std::vector<Placed> placed;
    const QStringList texts = OverlayGeometry::drawnLines(text);
    for (qsizetype i = 0; i < texts.size(); ++i) {
        // Laid out rather than drawn as a path, so characters the font lacks come from
        // a fallback font as usual.
        QTextLayout layout(texts[i], font);
        layout.beginLayout();
        const QTextLine row = layout.createLine();
        layout.endLayout();
        if (!row.isValid()) {
            continue;
        }
        // The baseline stays the font's even where a fallback font's ascent is taller.
        const qreal baseline =
            origin.y() + (lines.ascent + qreal(i) * lines.lineSpacing) * textSize;
        const QPointF start(origin.x() - row.horizontalAdvance(), baseline - row.ascent());
        for (const QGlyphRun &run : layout.glyphRuns()) {
            const QRawFont raw = run.rawFont();
            const QList<quint32> indexes = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            for (qsizetype g = 0; g < indexes.size(); ++g) {
                const QPointF pen = (start + positions[g]) * devicePixelRatio;
                if (!visible.intersects(
                        toDevice.mapRect(raw.boundingRect(indexes[g])).translated(pen))) {
                    continue;
                }
                const auto [x, subX] = split(pen.x());
                const auto [y, subY] = split(pen.y());
                placed.push_back({{x, y}, m_glyphs.glyph(raw, indexes[g], subX, subY)});
            }
        }
    }
    return placed;
}
