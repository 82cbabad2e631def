// SPDX-License-Identifier: MIT
#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

// The overlay's arithmetic, apart from any window: how many lines a text counts as,
// how tall the window is, and where it goes. Window positions and sizes are in twips
// (1/1440 inch), so the numbers match the stored position and the settings.
namespace OverlayGeometry {

// The primary screen as placement sees it.
struct Screen
{
    QRect pixels;                 // geometry in device-independent pixels
    double twipsPerPixelX = 15.0; // 1440 / logical DPI; 15 at 96 DPI
    double twipsPerPixelY = 15.0;
};

// Capital umlauts spelled out (Ö -> OE, Ä -> AE, Ü -> UE); lower-case ones and ß stay.
QString spellOutCapitalUmlauts(QString text);

// The text's lines for drawing, split at CR LF (and at a lone CR or LF).
QStringList drawnLines(const QString &text);

// Lines count as the number of ":" - one per station entry, whether the entries stand
// on separate lines or side by side. With atLeastOne, a non-empty text without any
// colon (the message of an empty station list) counts as one line.
int lineCount(const QString &text, bool atLeastOne);

// line count x Text_Size x 18.75 twips: 1.25 x Text_Size pixels per line at 96 DPI.
double windowHeightTwips(int lines, int textSize);

// Top-left corner in twips: the stored position when both coordinates are non-zero,
// otherwise the lower right corner, 10 twips from the right edge and resting on a
// bottom taskbar of taskbarHeight pixels.
QPoint placeTwips(const Screen &screen, double widthTwips, double heightTwips, qint32 storedX,
                  qint32 storedY, qint32 taskbarHeight);

// Halves to the even neighbour, as every rounding of the overlay.
int roundEven(double value);

} // namespace OverlayGeometry
