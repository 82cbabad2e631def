// SPDX-License-Identifier: MIT
#include "WaylandFallback.h"

#include <QtGlobal>

namespace WaylandFallback {

QByteArray platformFor(QByteArrayView waylandDisplay, QByteArrayView qpaPlatform)
{
    if (waylandDisplay.isEmpty() || !qpaPlatform.isEmpty()) {
        return {};
    }
    return QByteArray(kXWaylandFirst);
}

void apply()
{
    const QByteArray platform = platformFor(qgetenv("WAYLAND_DISPLAY"), qgetenv(kVariable));
    if (!platform.isEmpty()) {
        qputenv(kVariable, platform);
    }
}

} // namespace WaylandFallback
