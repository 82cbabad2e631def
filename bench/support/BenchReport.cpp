// SPDX-License-Identifier: MIT
#include "BenchReport.h"

#include <QByteArray>
#include <QElapsedTimer>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace BenchReport {

const char *verdict(bool met)
{
    return met ? "PASS" : "MISS";
}

namespace {

void printRow(const char *label, const char *format, va_list args)
{
    std::printf("  %-44s", label);
    std::vprintf(format, args);
    std::printf("\n");
}

} // namespace

void row(const char *label, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    printRow(label, format, args);
    va_end(args);
}

void row(const QByteArray &label, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    printRow(label.constData(), format, args);
    va_end(args);
}

double percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    const auto rank = std::size_t(std::max(1.0, std::ceil(share * double(values.size()))));
    return values[rank - 1];
}

double elapsedMs(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace BenchReport
