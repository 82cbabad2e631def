// SPDX-License-Identifier: MIT
#include "SessionEnd.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

bool SessionEnd::windowSystemLost()
{
    const auto *x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    return connection && xcb_connection_has_error(connection) != 0;
}
