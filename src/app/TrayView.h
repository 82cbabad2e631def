// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The notification-area icon as the rest of the program sees it.
class TrayView
{
public:
    virtual ~TrayView() = default;

    static constexpr char16_t kNormalTip[] = u"Mirkan Höreranzeige";
    static constexpr char16_t kBusyTip[] = u"Daten werden geladen";

    // Adds the icon (once, at the end of start-up) with the picture and tip it was
    // last given: the normal ones, or the busy ones while a poll that began before
    // still runs.
    virtual void add() = 0;
    virtual void setToolTip(const QString &tip) = 0;
    // Busy: the busy picture and kBusyTip; otherwise the normal picture and kNormalTip.
    virtual void set_tray_busy(bool busy) = 0;
};
