// SPDX-License-Identifier: MIT
#include "TaskbarRect_win.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

bool findShellTaskbar(TaskbarEdges &edges)
{
    edges = {};
    // Class names compare without case; a null window name matches any title.
    HWND bar = FindWindowA("Shell_traywnd", nullptr);
    RECT r{};
    if (bar == nullptr || !GetWindowRect(bar, &r)) {
        return false;
    }
    edges = {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
             static_cast<int>(r.bottom)};
    return true;
}
