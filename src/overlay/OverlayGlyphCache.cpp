// SPDX-License-Identifier: MIT
#include "OverlayGlyphCache.h"

#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>

#include <algorithm>

namespace {

// Mitred corners keep the letters' shapes sharp.
QPen outlinePen(const QColor &colour, qreal width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

// One layer: the path stroked with pen, if any, then filled with fill, if any.
OverlayGlyphCache::Picture paint(const QPainterPath &path, const QPen *pen, const QColor *fill)
{
    QRectF bounds = fill ? path.boundingRect() : QRectF();
    if (pen) {
        // A mitre reaches past half the pen's width; the stroke's own outline says how far.
        bounds |= QPainterPathStroker(*pen).createStroke(path).boundingRect();
    }
    if (bounds.isEmpty()) {
        return {};
    }
    // One pixel more each way for the anti-aliased edge.
    const QRect pixels = bounds.toAlignedRect().adjusted(-1, -1, 1, 1);
    QImage image(pixels.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(-pixels.topLeft());
    if (pen) {
        painter.strokePath(path, *pen);
    }
    if (fill) {
        painter.fillPath(path, *fill);
    }
    return {pixels.topLeft(), image};
}

} // namespace

OverlayGlyphCache::OverlayGlyphCache(qint64 maxBytes) : m_glyphs(maxBytes) {}

void OverlayGlyphCache::setLook(const OverlayStyle &style, qreal devicePixelRatio)
{
    const Look look{style.fill, style.outline, style.outlineOn, style.shadowOn, devicePixelRatio};
    if (look != m_look) {
        m_glyphs.clear();
        m_look = look;
    }
}

OverlayGlyphCache::Glyph OverlayGlyphCache::glyph(const QRawFont &font, quint32 index, int subX,
                                                  int subY)
{
    Key key{font, font.pixelSize(), index, subX, subY};
    if (const Glyph *cached = m_glyphs.object(key)) {
        return *cached;
    }
    auto *drawn = new Glyph(draw(font, index, subX, subY));
    const Glyph result = *drawn;
    qint64 cost = sizeof(Key) + sizeof(Glyph);
    for (const Picture &picture : result) {
        cost += picture.image.sizeInBytes();
    }
    m_glyphs.insert(std::move(key), drawn, cost); // deletes it at once if too large to keep
    return result;
}

OverlayGlyphCache::Glyph OverlayGlyphCache::draw(const QRawFont &font, quint32 index, int subX,
                                                 int subY) const
{
    const qreal ratio = m_look.devicePixelRatio;
    QPainterPath outline = font.pathForGlyph(index);
    // Components of composite glyphs may overlap: their union is the letter.
    outline.setFillRule(Qt::WindingFill);
    const QPainterPath path =
        (QTransform::fromScale(ratio, ratio) *
         QTransform::fromTranslate(qreal(subX) / kSubpixels, qreal(subY) / kSubpixels))
            .map(outline);

    Glyph glyph;
    if (m_look.shadowOn) {
        const QColor shadow = QColor::fromRgba(OverlayStyle::kShadowArgb);
        const QPen pen = outlinePen(shadow, kPenWidth * ratio);
        const qreal offset = kShadowOffset * ratio;
        glyph[Shadow] =
            paint(path.translated(offset, offset), m_look.outlineOn ? &pen : nullptr, &shadow);
    }
    if (m_look.outlineOn) {
        const QPen pen = outlinePen(QColor::fromRgba(m_look.outline), kPenWidth * ratio);
        glyph[Outline] = paint(path, &pen, nullptr);
    }
    const QColor fill = QColor::fromRgba(m_look.fill);
    glyph[Fill] = paint(path, nullptr, &fill);
    return glyph;
}
