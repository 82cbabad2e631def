// SPDX-License-Identifier: MIT
// Desktops without a taskbar window of their own (X11 panels, Wayland, docks): the
// bar is the strip of the primary screen that the window manager keeps free.
#include "ScreenTaskbar.h"
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
        const ScreenTaskbar::Strip strip =
            ScreenTaskbar::find(screen->geometry(), screen->availableGeometry());
        if (strip.edge == ScreenTaskbar::Edge::None) {
            return std::nullopt;
        }
        return strip.rect;
    }
};

} // namespace

std::unique_ptr<TaskbarLocator> createTaskbarLocator()
{
    return std::make_unique<ScreenTaskbarLocator>();
}
