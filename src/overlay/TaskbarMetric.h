// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string_view>

// A taskbar's rectangle in screen pixels, right and bottom exclusive as the window
// system reports them; all zero when there is no taskbar.
struct TaskbarEdges
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// "TOP", "LEFT", "HEIGHT", "WIDTH" or "ALIGN" of edges; 0 for any other keyword. The
// keyword is matched in any case with surrounding blanks ignored; keywords are ASCII,
// so no other character can make a match. ALIGN: 1 docked left, 2 right, 3 top,
// 4 bottom, 0 unknown.
// Plain C++ without Qt, so the platform code and its tests can use it anywhere.
std::int32_t taskbarMetric(std::string_view keyword, const TaskbarEdges &edges);
