// SPDX-License-Identifier: MIT
// The Windows taskbar lookup and the keyword rules, cross-compiled without Qt and run
// under wine, which has no shell taskbar when it has no display.
#include "Tally.h"
#include "TaskbarMetric.h"
#include "TaskbarRect_win.h"

#include <cstdint>
#include <string_view>

namespace {

struct MetricRow
{
    const char *name;
    TaskbarEdges edges;
    std::string_view keyword;
    std::int32_t want;
};

constexpr TaskbarEdges kBottom{0, 1040, 1920, 1080};

constexpr MetricRow kMetricRows[] = {
    {"bottom bar TOP", kBottom, "TOP", 1040},
    {"bottom bar HEIGHT", kBottom, "HEIGHT", 40},
    {"right bar LEFT", {1860, 0, 1920, 1080}, "LEFT", 1860},
    {"mixed case in blanks", kBottom, " \tAlign \r\n", 4},
    {"prefix of a keyword", kBottom, "HEIGH", 0},
    {"keyword with a tail", kBottom, "HEIGHTS", 0},
    {"docked at the top", {0, 0, 1920, 40}, "ALIGN", 3},
    {"docked at the left", {0, 0, 60, 1080}, "ALIGN", 1},
    {"docked at the right", {1860, 0, 1920, 1080}, "ALIGN", 2},
    {"hidden at the left, mostly off screen", {-58, 0, 2, 1080}, "ALIGN", 1},
    {"square at the origin", {0, 0, 100, 100}, "ALIGN", 0},
    {"touching neither the top nor the left", {100, 100, 200, 200}, "ALIGN", 0},
};

} // namespace

int main()
{
    Tally t;
    for (const MetricRow &row : kMetricRows) {
        t.expect(row.name, taskbarMetric(row.keyword, row.edges), std::int32_t(row.want));
    }

    TaskbarEdges found{1, 2, 3, 4};
    t.expect("no taskbar under wine", findShellTaskbar(found), false);
    t.expect("missing taskbar leaves (0, 0, 0, 0)",
             found.left == 0 && found.top == 0 && found.right == 0 && found.bottom == 0, true);

    return t.end();
}
