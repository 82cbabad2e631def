// SPDX-License-Identifier: MIT
#pragma once

#include "TrayView.h"

// A tray without an icon: it only remembers what it was told. Stands in where the
// desktop offers no notification area.
class HeadlessTray final : public TrayView
{
public:
    void add() override { m_added = true; }
    void setToolTip(const QString &tip) override { m_tip = tip; }
    void set_tray_busy(bool busy) override
    {
        m_busy = busy;
        m_tip = QString::fromUtf16(busy ? kBusyTip : kNormalTip);
    }

    bool isAdded() const { return m_added; }
    bool isBusy() const { return m_busy; }
    const QString &toolTip() const { return m_tip; }

private:
    QString m_tip = QString::fromUtf16(kNormalTip);
    bool m_added = false;
    bool m_busy = false;
};
