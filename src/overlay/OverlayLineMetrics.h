// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QRawFont>

// Where the lines of the overlay's text stand, as the Windows text layout puts them:
// the first baseline one "win" ascent below the top, every further line one ascent plus
// descent plus the external leading further down. Those values come from the font
// file's OS/2 and hhea tables. FreeType and Qt honour a font's typographic metrics
// instead where the font asks for it, which for Tahoma Bold puts the baseline at
// 0.77 em and the lines 1.0 em apart: the block would sit high, lines would crowd and
// accents on capitals would be cut off at the top.
//
// All values are in em: multiply by the pixel size.
struct OverlayLineMetrics
{
    double ascent = 0.0;
    double lineSpacing = 0.0;

    bool isValid() const { return ascent > 0.0 && lineSpacing > 0.0; }

    // From the raw table bytes; invalid when a table is missing, short or says nothing.
    static OverlayLineMetrics fromTables(const QByteArray &head, const QByteArray &hhea,
                                         const QByteArray &os2);
    // From the font's own tables, falling back to what the font engine says.
    static OverlayLineMetrics of(const QRawFont &font);
};
