// SPDX-License-Identifier: MIT
#include "OverlayPlatform.h"

#include <QGuiApplication>
#include <QWidget>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <xcb/xcb.h>

namespace {

xcb_connection_t *connection()
{
    const auto *x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name);
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(c, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The screen number of the display the program talks to ("host:0.1" -> 1).
int screenNumber()
{
    const char *display = std::getenv("DISPLAY");
    const char *dot = display ? std::strrchr(display, '.') : nullptr;
    const char *colon = display ? std::strrchr(display, ':') : nullptr;
    return dot && colon && dot > colon ? std::atoi(dot + 1) : 0;
}

xcb_window_t rootWindow(xcb_connection_t *c)
{
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = screenNumber(); i > 0 && it.rem > 1; --i) {
        xcb_screen_next(&it);
    }
    return it.data ? it.data->root : 0;
}

} // namespace

namespace OverlayPlatform {

bool compositorActive()
{
    xcb_connection_t *c = connection();
    if (!c) {
        return true; // not on X11 (offscreen, tests): nothing to work around
    }
    // A compositing manager owns the selection _NET_WM_CM_S<screen>.
    const std::string name = "_NET_WM_CM_S" + std::to_string(screenNumber());
    const xcb_atom_t selection = atom(c, name.c_str());
    if (selection == XCB_ATOM_NONE) {
        return false;
    }
    const std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr),
        &std::free);
    return owner && owner->owner != XCB_NONE;
}

void keepOutOfTaskbar(QWidget *window)
{
    xcb_connection_t *c = connection();
    if (!c || !window) {
        return;
    }
    const xcb_atom_t state = atom(c, "_NET_WM_STATE");
    const xcb_atom_t skipTaskbar = atom(c, "_NET_WM_STATE_SKIP_TASKBAR");
    const xcb_atom_t skipPager = atom(c, "_NET_WM_STATE_SKIP_PAGER");
    // A mapped window asks the window manager, as the desktop conventions require.
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = xcb_window_t(window->winId());
    event.type = state;
    event.data.data32[0] = 1; // add
    event.data.data32[1] = skipTaskbar;
    event.data.data32[2] = skipPager;
    event.data.data32[3] = 1; // from an ordinary application
    xcb_send_event(c, 0, rootWindow(c),
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&event));
    xcb_flush(c);
}

} // namespace OverlayPlatform
