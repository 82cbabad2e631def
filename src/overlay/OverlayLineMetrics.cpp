// SPDX-License-Identifier: MIT
#include "OverlayLineMetrics.h"

#include <algorithm>
#include <optional>

namespace {

// Big-endian fields at a byte offset, nullopt past the table's end.
std::optional<int> u16(const QByteArray &table, qsizetype offset)
{
    if (offset < 0 || offset + 2 > table.size()) {
        return std::nullopt;
    }
    const auto *p = reinterpret_cast<const unsigned char *>(table.constData()) + offset;
    return (p[0] << 8) | p[1];
}

std::optional<int> s16(const QByteArray &table, qsizetype offset)
{
    const std::optional<int> value = u16(table, offset);
    return value ? std::optional<int>(*value >= 0x8000 ? *value - 0x10000 : *value) : std::nullopt;
}

} // namespace

OverlayLineMetrics OverlayLineMetrics::fromTables(const QByteArray &head, const QByteArray &hhea,
                                                  const QByteArray &os2)
{
    const std::optional<int> unitsPerEm = u16(head, 18);
    const std::optional<int> hheaAscender = s16(hhea, 4);
    const std::optional<int> hheaDescender = s16(hhea, 6);
    const std::optional<int> hheaLineGap = s16(hhea, 8);
    const std::optional<int> winAscent = u16(os2, 74);
    const std::optional<int> winDescent = u16(os2, 76);
    if (!unitsPerEm || *unitsPerEm < 16 || !winAscent || !winDescent || !hheaAscender ||
        !hheaDescender || !hheaLineGap) {
        return {};
    }
    // The cell is the win ascent and descent; what the hhea line gap adds beyond the
    // hhea height is the external leading between lines.
    const int cell = *winAscent + *winDescent;
    const int leading = std::max(0, *hheaLineGap - (cell - (*hheaAscender - *hheaDescender)));
    const double em = *unitsPerEm;
    return {*winAscent / em, (cell + leading) / em};
}

OverlayLineMetrics OverlayLineMetrics::of(const QRawFont &font)
{
    const OverlayLineMetrics fromFile =
        fromTables(font.fontTable("head"), font.fontTable("hhea"), font.fontTable("OS/2"));
    if (fromFile.isValid() || font.pixelSize() <= 0) {
        return fromFile;
    }
    const double size = font.pixelSize();
    return {font.ascent() / size, (font.ascent() + font.descent() + font.leading()) / size};
}
