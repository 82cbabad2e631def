// SPDX-License-Identifier: MIT
#include "OverlayPlatform.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <xcb/shape.h>
#include <xcb/xcb.h>
#include <xcb/xfixes.h>

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

xcb_atom_t compositorSelection(xcb_connection_t *c)
{
    // A compositing manager owns the selection _NET_WM_CM_S<screen>.
    const std::string name = "_NET_WM_CM_S" + std::to_string(screenNumber());
    return atom(c, name.c_str());
}

// Sees the X server's note that the compositor selection changed hands. Qt's own
// event handling gets the event too; this only listens.
class SelectionOwnerFilter final : public QAbstractNativeEventFilter
{
public:
    SelectionOwnerFilter(uint8_t notifyEvent, xcb_atom_t selection, std::function<void()> changed)
        : m_notifyEvent(notifyEvent), m_selection(selection), m_changed(std::move(changed))
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~SelectionOwnerFilter() override
    {
        if (QCoreApplication::instance()) {
            QCoreApplication::instance()->removeNativeEventFilter(this);
        }
    }
    SelectionOwnerFilter(const SelectionOwnerFilter &) = delete;
    SelectionOwnerFilter &operator=(const SelectionOwnerFilter &) = delete;

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        if (type != "xcb_generic_event_t") {
            return false;
        }
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7f) == m_notifyEvent &&
            reinterpret_cast<const xcb_xfixes_selection_notify_event_t *>(event)->selection ==
                m_selection) {
            m_changed();
        }
        return false;
    }

private:
    uint8_t m_notifyEvent;
    xcb_atom_t m_selection;
    std::function<void()> m_changed;
};

// One row's rectangles joined into one where the server cannot take them all in one
// request: the shape then covers the gaps between letters, but nothing is lost.
std::vector<xcb_rectangle_t> coarse(const std::vector<xcb_rectangle_t> &rects)
{
    std::vector<xcb_rectangle_t> rows;
    for (const xcb_rectangle_t &r : rects) {
        if (!rows.empty() && rows.back().y == r.y && rows.back().height == r.height) {
            xcb_rectangle_t &row = rows.back();
            const int left = std::min<int>(row.x, r.x);
            const int right = std::max<int>(row.x + row.width, r.x + r.width);
            row.x = int16_t(left);
            row.width = uint16_t(right - left);
        } else {
            rows.push_back(r);
        }
    }
    return rows;
}

} // namespace

namespace OverlayPlatform {

bool compositorActive()
{
    xcb_connection_t *c = connection();
    if (!c) {
        return true; // not on X11 (offscreen, tests): nothing to work around
    }
    const xcb_atom_t selection = compositorSelection(c);
    if (selection == XCB_ATOM_NONE) {
        return false;
    }
    const std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr),
        &std::free);
    return owner && owner->owner != XCB_NONE;
}

std::shared_ptr<void> watchCompositor(std::function<void()> changed)
{
    xcb_connection_t *c = connection();
    if (!c) {
        return std::make_shared<int>(0); // not on X11: the answer never changes
    }
    const xcb_query_extension_reply_t *xfixes = xcb_get_extension_data(c, &xcb_xfixes_id);
    const xcb_atom_t selection = compositorSelection(c);
    if (!xfixes || !xfixes->present || selection == XCB_ATOM_NONE) {
        return nullptr;
    }
    // The extension answers only a client that said which version it speaks. The
    // connection is Qt's, and some servers keep the last version asked for: ask for the
    // newest this library knows, never less than Qt may already use.
    const std::unique_ptr<xcb_xfixes_query_version_reply_t, decltype(&std::free)> version(
        xcb_xfixes_query_version_reply(
            c, xcb_xfixes_query_version(c, XCB_XFIXES_MAJOR_VERSION, XCB_XFIXES_MINOR_VERSION),
            nullptr),
        &std::free);
    if (!version) {
        return nullptr;
    }
    auto filter = std::make_shared<SelectionOwnerFilter>(
        uint8_t(xfixes->first_event + XCB_XFIXES_SELECTION_NOTIFY), selection, std::move(changed));
    // Asked on the root window, which lives as long as the display. A compositor that
    // ends without handing the selection over is reported through its closed client.
    xcb_xfixes_select_selection_input(c, rootWindow(c), selection,
                                      XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
    xcb_flush(c);
    return filter;
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

void setShape(QWidget *window, const std::vector<QRect> &rects, bool bounding)
{
    xcb_connection_t *c = connection();
    if (!c || !window) {
        return;
    }
    const xcb_query_extension_reply_t *shape = xcb_get_extension_data(c, &xcb_shape_id);
    if (!shape || !shape->present) {
        return;
    }
    std::vector<xcb_rectangle_t> list;
    list.reserve(rects.size());
    for (const QRect &r : rects) {
        list.push_back({int16_t(r.x()), int16_t(r.y()), uint16_t(r.width()), uint16_t(r.height())});
    }
    // The request's length in 4-byte units: a 12-byte head and 2 units a rectangle.
    if (3 + 2 * uint64_t(list.size()) > xcb_get_maximum_request_length(c)) {
        list = coarse(list);
    }
    const auto id = xcb_window_t(window->winId());
    const auto count = uint32_t(list.size());
    xcb_shape_rectangles(c, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, XCB_CLIP_ORDERING_UNSORTED, id, 0,
                         0, count, list.data());
    if (bounding) {
        xcb_shape_rectangles(c, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_BOUNDING, XCB_CLIP_ORDERING_UNSORTED,
                             id, 0, 0, count, list.data());
    } else {
        // No bounding shape: the whole window, clear where nothing is drawn.
        xcb_shape_mask(c, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_BOUNDING, id, 0, 0, XCB_NONE);
    }
    xcb_flush(c);
}

} // namespace OverlayPlatform
