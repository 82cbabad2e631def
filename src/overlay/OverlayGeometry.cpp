// SPDX-License-Identifier: MIT
#include "OverlayGeometry.h"

#include "NumberText.h"

#include <QRegularExpression>

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace OverlayGeometry {

QString spellOutCapitalUmlauts(QString text)
{
    return text.replace(u"Ö"_s, u"OE"_s).replace(u"Ä"_s, u"AE"_s).replace(u"Ü"_s, u"UE"_s);
}

QStringList drawnLines(const QString &text)
{
    static const QRegularExpression lineBreak(u"\r\n|\r|\n"_s);
    return text.split(lineBreak);
}

int lineCount(const QString &text, bool atLeastOne)
{
    const auto colons = int(text.count(u':'));
    return colons == 0 && atLeastOne && !text.isEmpty() ? 1 : colons;
}

double windowHeightTwips(int lines, int textSize)
{
    return lines * textSize * 18.75;
}

QPoint placeTwips(const Screen &screen, double widthTwips, double heightTwips, qint32 storedX,
                  qint32 storedY, qint32 taskbarHeight)
{
    if (storedX != 0 && storedY != 0) {
        return {storedX, storedY};
    }
    const double tx = screen.twipsPerPixelX;
    const double ty = screen.twipsPerPixelY;
    const double screenWidth = roundEven(screen.pixels.width() * tx / tx);
    const double screenHeight = roundEven(screen.pixels.height() * ty / ty);
    const double top = ty * screenHeight - heightTwips - ty * taskbarHeight;
    const double left = tx * screenWidth - widthTwips - 10;
    return {roundEven(left + screen.pixels.x() * tx), roundEven(top + screen.pixels.y() * ty)};
}

int roundEven(double value)
{
    constexpr double lo = std::numeric_limits<int>::min();
    constexpr double hi = std::numeric_limits<int>::max();
    return int(std::clamp(NumberText::roundHalfEven(value), lo, hi));
}

} // namespace OverlayGeometry
