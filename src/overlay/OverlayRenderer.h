// SPDX-License-Identifier: MIT
#pragma once

#include "OverlayGlyphCache.h"
#include "OverlayLineMetrics.h"
#include "OverlayStyle.h"

#include <QFont>
#include <QImage>
#include <QSizeF>
#include <QString>

#include <vector>

// Turns the display text into the overlay's picture: the text as outlines of bold
// glyphs, every line right-aligned inside the drawing width, anti-aliased, on a fully
// transparent image, in three layers over the whole text: the shadow, the outline, the
// fill. The shadow lies 2 pixels right and down, is filled while the shadow is on and
// stroked only while the outline is on too; what falls past the image's edge is cut
// off. The glyphs' pictures are kept between calls (see OverlayGlyphCache), so an
// update costs little more than copying them.
class OverlayRenderer
{
public:
    // family: the font to draw and measure with (see OverlayFont).
    explicit OverlayRenderer(QString family) : m_family(std::move(family)) {}

    const QString &family() const { return m_family; }

    // The font the measurement uses: bold, Text_Size points.
    QFont measuringFont(int textSize) const;
    // Width and height in pixels of text set in the measuring font, as an auto-sizing
    // label would take them.
    QSizeF measure(const QString &text, int textSize) const;

    // The picture of size (width, height) logical pixels, at the given device pixel
    // ratio so it stays sharp on dense screens. The glyphs' em size is Text_Size pixels;
    // lines end at drawingWidth and the first line's box starts at top (negative to
    // keep the last lines of a text taller than the picture).
    QImage render(const QString &text, const OverlayStyle &style, qreal drawingWidth, int width,
                  int height, qreal devicePixelRatio = 1.0, qreal top = 0) const;

private:
    struct Placed
    {
        QPoint pixel; // the device pixel the glyph's pen position falls into
        OverlayGlyphCache::Glyph glyph;
    };

    std::vector<Placed> placeGlyphs(const QString &text, int textSize, QPointF origin, QSize device,
                                    qreal devicePixelRatio) const;
    OverlayLineMetrics lineMetrics(const QFont &font) const;

    QString m_family;
    mutable int m_metricsSize = 0; // the pixel size m_metrics was read for
    mutable OverlayLineMetrics m_metrics;
    mutable OverlayGlyphCache m_glyphs; // changes what a call costs, never what it draws
};
