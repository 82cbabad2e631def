// SPDX-License-Identifier: MIT
#pragma once

#include "TaskbarMetric.h"

// The Windows shell's taskbar window, asked through plain Win32 so that this part
// builds and is tested without Qt. Returns true and fills edges (device pixels) when
// the taskbar exists; otherwise returns false with edges all zero.
bool findShellTaskbar(TaskbarEdges &edges);
