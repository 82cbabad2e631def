// SPDX-License-Identifier: MIT
// Desktops without a taskbar window of their own (X11 panels, Wayland, docks): the
// bar is the strip of the primary screen that the window manager keeps free.
#include "TaskbarLocator.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

class ScreenTaskbarLocator final : public TaskbarLocator
{
public:
    std::optional<QRect> taskbarRect() const override
    {
        const QScreen *screen = QGuiApplication::primaryScreen();
        if (!screen) {
            return std::nullopt;
        }
        const QRect all = screen->geometry();
        const QRect free = screen->availableGeometry();
        if (free.bottom() < all.bottom()) {
            return QRect(QPoint(all.left(), free.bottom() + 1), all.bottomRight());
        }
        if (free.top() > all.top()) {
            return QRect(all.topLeft(), QPoint(all.right(), free.top() - 1));
        }
        if (free.left() > all.left()) {
            return QRect(all.topLeft(), QPoint(free.left() - 1, all.bottom()));
        }
        if (free.right() < all.right()) {
            return QRect(QPoint(free.right() + 1, all.top()), all.bottomRight());
        }
        return std::nullopt;
    }
};

} // namespace

std::unique_ptr<TaskbarLocator> createTaskbarLocator()
{
    return std::make_unique<ScreenTaskbarLocator>();
}
