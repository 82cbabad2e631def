// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

struct KonfigSettings;

// A colour from the settings (red + green * 2^8 + blue * 2^16) and an alpha as one
// 32-bit ARGB value (alpha * 2^24 + red * 2^16 + green * 2^8 + blue), the layout
// QColor::fromRgba takes. Only the colour's three low bytes count.
quint32 make_argb(quint8 alpha, quint8 red, quint8 green, quint8 blue);
quint32 argb_from_colour(qint32 colour, quint8 alpha);

// What the overlay draws with, taken from the settings and brought into ranges that
// can be drawn: a hand-edited file may hold a size of 0 or 500, an opacity of 300 or a
// colour that is no number. Sizes are clamped to 6..200, opacity to 0..255, colours
// to 0..16777215; a colour that is no number gives the colour the file would default
// to (orange text, black outline).
struct OverlayStyle
{
    static constexpr int kMinTextSize = 6;
    static constexpr int kMaxTextSize = 200;
    // Shadow fill and stroke: alpha 50, nearly black.
    static constexpr quint32 kShadowArgb = 0x32020000;

    int textSize = 18;
    quint32 fill = 0;
    quint32 outline = 0;
    bool outlineOn = true;
    bool shadowOn = true;

    static OverlayStyle from(const KonfigSettings &settings);
    // The colour a settings text stands for, or fallback when it is no number.
    static qint32 colourValue(const QString &text, qint32 fallback);
    // The text and outline colours the settings stand for.
    static qint32 fillColour(const KonfigSettings &settings);
    static qint32 outlineColour(const KonfigSettings &settings);
};
