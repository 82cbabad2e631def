// SPDX-License-Identifier: MIT
#include "OverlayPlatform.h"

namespace OverlayPlatform {

bool compositorActive()
{
    return true;
}

std::shared_ptr<void> watchCompositor(std::function<void()>)
{
    // Always composed: there is no change to report.
    return std::make_shared<int>(0);
}

void keepOutOfTaskbar(QWidget *)
{
    // A frameless tool window already stays out of the taskbar here.
}

void setShape(QWidget *, const std::vector<QRect> &, bool)
{
    // Layered windows let clicks through their clear pixels and show only what is drawn.
}

} // namespace OverlayPlatform
