// SPDX-License-Identifier: MIT
#include "TaskbarMetric.h"

#include <algorithm>

namespace {

constexpr bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && isBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

// ASCII only on purpose: a locale's case mapping must not turn another letter into
// one of the keywords'.
bool isKeyword(std::string_view s, std::string_view upperKeyword)
{
    return std::equal(s.begin(), s.end(), upperKeyword.begin(), upperKeyword.end(),
                      [](char c, char k) {
                          return (c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c) == k;
                      });
}

std::int32_t dockingEdge(const TaskbarEdges &e)
{
    // Later tests override earlier ones; a square bar at the origin stays unknown.
    std::int32_t edge = 0;
    if (e.top < 1 && e.left < 1) {
        if (e.right < e.bottom) {
            edge = 1;
        } else if (e.right > e.bottom) {
            edge = 3;
        }
    }
    if (e.top < 1 && e.left > 0) {
        edge = 2;
    }
    if (e.left < 1 && e.top > 0) {
        edge = 4;
    }
    return edge;
}

} // namespace

std::int32_t taskbarMetric(std::string_view keyword, const TaskbarEdges &edges)
{
    const std::string_view k = trimmed(keyword);
    if (isKeyword(k, "TOP")) {
        return edges.top;
    }
    if (isKeyword(k, "LEFT")) {
        return edges.left;
    }
    if (isKeyword(k, "HEIGHT")) {
        return edges.bottom - edges.top;
    }
    if (isKeyword(k, "WIDTH")) {
        return edges.right - edges.left;
    }
    if (isKeyword(k, "ALIGN")) {
        return dockingEdge(edges);
    }
    return 0;
}
