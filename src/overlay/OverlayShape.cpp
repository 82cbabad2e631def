// SPDX-License-Identifier: MIT
#include "OverlayShape.h"

#include <utility>

namespace OverlayShape {

std::vector<QRect> region(const QImage &picture, int minAlpha)
{
    Q_ASSERT(minAlpha > 0 && minAlpha <= 128 && (minAlpha & (minAlpha - 1)) == 0);
    const QImage argb = picture.format() == QImage::Format_ARGB32_Premultiplied
                            ? picture
                            : picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // With a power of two, "at least minAlpha" is "any of the alpha bits from it up".
    const quint32 bits = (0xFFu & ~quint32(minAlpha - 1)) << 24;
    const int width = argb.width();
    std::vector<QRect> rects;
    std::vector<std::pair<int, int>> runs;
    std::vector<std::pair<int, int>> previous;
    std::size_t previousFirst = 0;
    for (int y = 0; y < argb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        runs.clear();
        for (int x = 0; x < width;) {
            // Most of the picture is clear: skip it four pixels at a time.
            while (x + 4 <= width &&
                   ((line[x] | line[x + 1] | line[x + 2] | line[x + 3]) & bits) == 0) {
                x += 4;
            }
            while (x < width && (line[x] & bits) == 0) {
                ++x;
            }
            if (x == width) {
                break;
            }
            const int start = x;
            while (x < width && (line[x] & bits) != 0) {
                ++x;
            }
            runs.emplace_back(start, x - start);
        }
        if (!runs.empty() && runs == previous) {
            for (std::size_t i = 0; i < runs.size(); ++i) {
                rects[previousFirst + i].setBottom(y);
            }
            continue;
        }
        previousFirst = rects.size();
        for (const auto &[start, length] : runs) {
            rects.emplace_back(start, y, length, 1);
        }
        std::swap(previous, runs);
    }
    return rects;
}

QImage solid(const QImage &picture)
{
    QImage out = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb p = line[x];
            if (p != 0) {
                line[x] = qAlpha(p) >= kSolidAlpha ? (qUnpremultiply(p) | 0xFF000000u) : 0u;
            }
        }
    }
    return out;
}

} // namespace OverlayShape
