// SPDX-License-Identifier: MIT
#pragma once

#include <cstdio>
#include <string_view>

// Checks without Qt for the wine tests: each failure printed, then a tally and the exit code.
struct Tally
{
    int passed = 0;
    int failed = 0;

    template <typename T> void expect(std::string_view what, const T &got, const T &want)
    {
        if (got == want) {
            ++passed;
            return;
        }
        ++failed;
        std::printf("FAIL %.*s\n", static_cast<int>(what.size()), what.data());
    }

    int end() const
    {
        std::printf("%d passed, %d failed\n", passed, failed);
        return failed == 0 ? 0 : 1;
    }
};
