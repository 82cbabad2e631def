// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

#include <vector>

class QByteArray;
class QElapsedTimer;

// How the benchmarks print their figures, so that every report reads alike: one figure
// per line with its label in a fixed column, and PASS or MISS beside a target.
namespace BenchReport {

const char *verdict(bool met);

// "  label" padded to the figures' column, then the printf-formatted value, then a line end.
void row(const char *label, const char *format, ...) Q_ATTRIBUTE_FORMAT_PRINTF(2, 3);
void row(const QByteArray &label, const char *format, ...) Q_ATTRIBUTE_FORMAT_PRINTF(2, 3);

// Nearest rank: the smallest figure that at least share (0..1] of the figures do not
// exceed. values must not be empty.
double percentile(std::vector<double> values, double share);

// Milliseconds with the timer's full resolution.
double elapsedMs(const QElapsedTimer &timer);

} // namespace BenchReport
