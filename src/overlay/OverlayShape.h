// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QRect>

#include <vector>

// Which of the overlay's pixels the desktop shows and lets the mouse reach. Where the
// desktop blends windows, every pixel that is not fully clear counts, as on Windows,
// where a click on a fully transparent pixel of a layered window reaches the window
// below. Where it cannot blend, a pixel shows only when the picture there is at least
// half opaque, and then in its own colour at full strength: nothing turns solid where
// the blended picture would be clear or nearly so.
namespace OverlayShape {

constexpr int kVisibleAlpha = 1;
constexpr int kSolidAlpha = 128;

// Rectangles in the picture's device pixels that cover exactly its pixels of at least
// minAlpha (a power of two up to 128); runs repeated on the next row grow the
// rectangles above instead of adding.
std::vector<QRect> region(const QImage &picture, int minAlpha);

// The picture as a desktop without blending shows it: pixels of at least kSolidAlpha
// un-premultiplied to full strength, all others fully clear.
QImage solid(const QImage &picture);

} // namespace OverlayShape
