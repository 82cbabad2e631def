// SPDX-License-Identifier: MIT
#pragma once

#include <QPoint>
#include <QRect>

// Window measures in twips (1/1440 inch) and pixels on the primary screen: 15 twips to
// the pixel at 96 dots per inch, fewer on a denser screen. Needs a QGuiApplication.
namespace ScreenTwips {

double perPixelX();
double perPixelY();

int toPixelsX(double twips);
int toPixelsY(double twips);
QRect toPixels(int left, int top, int width, int height);

// A point in pixels as twips, rounded to whole twips.
QPoint toTwips(const QPoint &pixels);

} // namespace ScreenTwips
