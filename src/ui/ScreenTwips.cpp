// SPDX-License-Identifier: MIT
#include "ScreenTwips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace ScreenTwips {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kFallbackDpi = 96.0;

double dpi(bool horizontal)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return kFallbackDpi;
    }
    const double value = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    return value > 0 ? value : kFallbackDpi;
}

} // namespace

double perPixelX()
{
    return kTwipsPerInch / dpi(true);
}

double perPixelY()
{
    return kTwipsPerInch / dpi(false);
}

int toPixelsX(double twips)
{
    return int(std::lround(twips / perPixelX()));
}

int toPixelsY(double twips)
{
    return int(std::lround(twips / perPixelY()));
}

QRect toPixels(int left, int top, int width, int height)
{
    return {toPixelsX(left), toPixelsY(top), toPixelsX(width), toPixelsY(height)};
}

QPoint toTwips(const QPoint &pixels)
{
    return {int(std::lround(pixels.x() * perPixelX())), int(std::lround(pixels.y() * perPixelY()))};
}

} // namespace ScreenTwips
