// SPDX-License-Identifier: MIT
#include "OverlayShape.h"

#include <utility>

namespace OverlayShape {

std::vector<QRect> region(const QImage &picture, int minAlpha)
{
    const QImage argb = picture.format() == QImage::Format_ARGB32_Premultiplied
                            ? picture
                            : picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    std::vector<QRect> rects;
    std::vector<std::pair<int, int>> runs;
    std::vector<std::pair<int, int>> previous;
    std::size_t previousFirst = 0;
    for (int y = 0; y < argb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        runs.clear();
        for (int x = 0; x < argb.width();) {
            if (qAlpha(line[x]) < minAlpha) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < argb.width() && qAlpha(line[x]) >= minAlpha) {
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
            line[x] = qAlpha(p) >= kSolidAlpha ? (qUnpremultiply(p) | 0xFF000000u) : 0u;
        }
    }
    return out;
}

} // namespace OverlayShape
