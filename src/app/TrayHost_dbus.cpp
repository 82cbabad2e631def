// SPDX-License-Identifier: MIT
// Freedesktop desktops: a panel that hosts status notifier items watches the session
// bus; Qt's icon then talks D-Bus to it instead of embedding a window, and such a host
// sends one "activate" for a click and nothing for a double-click.
#include "TrayHost.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>

using namespace Qt::StringLiterals;

namespace TrayHost {

bool reportsDoubleClicks()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    const QDBusConnectionInterface *daemon = bus.isConnected() ? bus.interface() : nullptr;
    return !(daemon && daemon->isServiceRegistered(u"org.kde.StatusNotifierWatcher"_s).value());
}

} // namespace TrayHost
