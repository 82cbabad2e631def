// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>

#include <functional>
#include <memory>
#include <vector>

class QWidget;

// What the overlay needs from the desktop beyond Qt. One implementation per platform,
// chosen by the build: X11 (where the answers differ), and one for desktops that
// always compose (Windows' layered windows, macOS).
namespace OverlayPlatform {

// True when per-pixel transparency reaches the screen. An X11 desktop without a
// compositing manager shows a translucent window's clear parts as black; the overlay
// then cuts its window to the drawn pixels instead.
bool compositorActive();

// Calls changed whenever a compositing manager may have started or stopped, from the
// event loop, without polling; the watch lasts as long as the returned handle. Null
// when the desktop cannot report it: the caller then asks compositorActive now and then.
std::shared_ptr<void> watchCompositor(std::function<void()> changed);

// Keeps a shown tool window out of taskbars, pagers and task switchers where its
// window type alone does not.
void keepOutOfTaskbar(QWidget *window);

// Lets the mouse reach the window only on rects (native pixels, the window's own
// coordinates), so clicks elsewhere fall through to whatever lies below; with bounding
// the window is also cut to them, for a desktop that cannot show it translucent.
// Desktops whose windows take clicks by their pixels' alpha need none of it.
void setShape(QWidget *window, const std::vector<QRect> &rects, bool bounding);

} // namespace OverlayPlatform
