// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Wayland does not let a program place its own window, and the display must sit
// above the taskbar or where the user put it. Under a Wayland session the program
// therefore asks Qt for X11 (XWayland) first; native Wayland stays as the second
// choice for a session without XWayland. A platform the user chose is kept.
namespace WaylandFallback {

inline constexpr char kVariable[] = "QT_QPA_PLATFORM";
inline constexpr char kXWaylandFirst[] = "xcb;wayland";

// The QT_QPA_PLATFORM value to set, from the values of WAYLAND_DISPLAY and
// QT_QPA_PLATFORM ("" for unset, as Qt reads them); "" to leave it alone.
QByteArray platformFor(QByteArrayView waylandDisplay, QByteArrayView qpaPlatform);

// Sets QT_QPA_PLATFORM when platformFor() says so. Call before the QApplication.
void apply();

} // namespace WaylandFallback
