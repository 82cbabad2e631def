// SPDX-License-Identifier: MIT
#include "OverlayPlatform.h"

namespace OverlayPlatform {

bool compositorActive()
{
    return true;
}

void keepOutOfTaskbar(QWidget *)
{
    // A frameless tool window already stays out of the taskbar here.
}

} // namespace OverlayPlatform
