// SPDX-License-Identifier: MIT
#include "OverlayStyle.h"

#include "KonfigSettings.h"
#include "NumberText.h"

#include <algorithm>
#include <cmath>

quint32 make_argb(quint8 alpha, quint8 red, quint8 green, quint8 blue)
{
    return quint32(alpha) << 24 | quint32(red) << 16 | quint32(green) << 8 | quint32(blue);
}

quint32 argb_from_colour(qint32 colour, quint8 alpha)
{
    const auto bits = quint32(colour);
    return make_argb(alpha, quint8(bits & 0xFF), quint8(bits >> 8 & 0xFF),
                     quint8(bits >> 16 & 0xFF));
}

qint32 OverlayStyle::colourValue(const QString &text, qint32 fallback)
{
    const std::optional<double> value = NumberText::strictNumber(text);
    if (!value || !std::isfinite(*value)) {
        return fallback;
    }
    return qint32(std::clamp(NumberText::roundHalfEven(*value), 0.0, double(0xFFFFFF)));
}

qint32 OverlayStyle::fillColour(const KonfigSettings &settings)
{
    return colourValue(settings.BackgroundColor, 2131691);
}

qint32 OverlayStyle::outlineColour(const KonfigSettings &settings)
{
    return colourValue(settings.OutlineColor, 0);
}

OverlayStyle OverlayStyle::from(const KonfigSettings &settings)
{
    OverlayStyle style;
    style.textSize = std::clamp<int>(settings.Text_Size, kMinTextSize, kMaxTextSize);
    const auto alpha = quint8(std::clamp<int>(settings.Opaque, 0, 255));
    style.fill = argb_from_colour(fillColour(settings), alpha);
    style.outline = argb_from_colour(outlineColour(settings), alpha);
    style.outlineOn = settings.Text_Ouline;
    style.shadowOn = settings.Text_Shadow;
    return style;
}
