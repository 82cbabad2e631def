// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>

// Where a desktop without a taskbar window of its own keeps its panel: the strip of the
// screen that the window manager keeps free of windows. Plain arithmetic on the two
// rectangles the screen reports, so any layout can be tried without a desktop.
namespace ScreenTaskbar {

enum class Edge
{
    None,
    Bottom,
    Top,
    Left,
    Right
};

struct Strip
{
    Edge edge = Edge::None;
    QRect rect; // null with Edge::None
};

// With panels on several edges the bottom one counts, then top, left, right: the
// overlay rests on the bottom one where there is one.
inline Strip find(const QRect &screen, const QRect &available)
{
    if (available.bottom() < screen.bottom()) {
        return {Edge::Bottom,
                QRect(QPoint(screen.left(), available.bottom() + 1), screen.bottomRight())};
    }
    if (available.top() > screen.top()) {
        return {Edge::Top, QRect(screen.topLeft(), QPoint(screen.right(), available.top() - 1))};
    }
    if (available.left() > screen.left()) {
        return {Edge::Left, QRect(screen.topLeft(), QPoint(available.left() - 1, screen.bottom()))};
    }
    if (available.right() < screen.right()) {
        return {Edge::Right,
                QRect(QPoint(available.right() + 1, screen.top()), screen.bottomRight())};
    }
    return {};
}

} // namespace ScreenTaskbar
