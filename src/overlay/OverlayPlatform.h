// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

// What the overlay needs from the desktop beyond Qt. One implementation per platform,
// chosen by the build: X11 (where the answers differ), and one for desktops that
// always compose (Windows' layered windows, macOS).
namespace OverlayPlatform {

// True when per-pixel transparency reaches the screen. An X11 desktop without a
// compositing manager shows a translucent window's clear parts as black; the overlay
// then cuts its window to the drawn pixels instead.
bool compositorActive();

// Keeps a shown tool window out of taskbars, pagers and task switchers where its
// window type alone does not.
void keepOutOfTaskbar(QWidget *window);

} // namespace OverlayPlatform
