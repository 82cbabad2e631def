// SPDX-License-Identifier: MIT
#pragma once

#include "OverlayStyle.h"

#include <QCache>
#include <QImage>
#include <QPoint>
#include <QRawFont>

#include <array>

// Ready-drawn pictures of single glyphs in the overlay's look, so that drawing a text
// is a row of image copies instead of anti-aliasing every glyph's outline again. Each
// glyph has three pictures, one per layer: its shadow (stroked while the outline is
// on, then filled, 2 pixels right and down), its outline stroke and its fill.
//
// Positions are in device pixels. A glyph is drawn at a quarter-pixel fraction of its
// pen position; each picture's offset is relative to the whole pixel the pen position
// falls into. The cache holds one look (colours, switches, pixel ratio) at a time and
// drops the least recently used glyphs once their pictures pass maxBytes.
class OverlayGlyphCache
{
public:
    enum Layer
    {
        Shadow,
        Outline,
        Fill,
        LayerCount
    };
    static constexpr int kSubpixels = 4;                // pen positions per device pixel, each way
    static constexpr qint64 kDefaultMaxBytes = 4 << 20; // some 700 glyphs at Text_Size 30
    static constexpr qreal kPenWidth = 2.0;             // logical pixels, centred on the edge
    static constexpr qreal kShadowOffset = 2.0;         // logical pixels, right and down

    struct Picture
    {
        QPoint offset; // top-left, relative to the pen's pixel
        QImage image;  // null where the layer draws nothing
    };
    using Glyph = std::array<Picture, LayerCount>;

    explicit OverlayGlyphCache(qint64 maxBytes = kDefaultMaxBytes);

    // Forgets every picture when the look differs from the current one.
    void setLook(const OverlayStyle &style, qreal devicePixelRatio);
    // The pictures of a glyph whose pen position lies subX / kSubpixels and
    // subY / kSubpixels device pixels past a whole pixel.
    Glyph glyph(const QRawFont &font, quint32 index, int subX, int subY);

    qsizetype count() const { return m_glyphs.count(); }
    qint64 bytes() const { return m_glyphs.totalCost(); }

private:
    struct Look
    {
        quint32 fill = 0;
        quint32 outline = 0;
        bool outlineOn = false;
        bool shadowOn = false;
        qreal devicePixelRatio = 0;
        bool operator==(const Look &) const = default;
    };
    struct Key
    {
        QRawFont font;
        qreal pixelSize;
        quint32 index;
        int subX;
        int subY;
        bool operator==(const Key &) const = default;
        friend size_t qHash(const Key &key, size_t seed) noexcept
        {
            return qHashMulti(seed, key.font, key.pixelSize, key.index, key.subX, key.subY);
        }
    };

    Glyph draw(const QRawFont &font, quint32 index, int subX, int subY) const;

    Look m_look;
    QCache<Key, Glyph> m_glyphs;
};
