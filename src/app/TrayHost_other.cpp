// SPDX-License-Identifier: MIT
// Windows' notification area reports double-clicks; so does any host without its own
// protocol.
#include "TrayHost.h"

namespace TrayHost {

bool reportsDoubleClicks()
{
    return true;
}

} // namespace TrayHost
