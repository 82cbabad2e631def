// SPDX-License-Identifier: MIT
#include "HistoryBench.h"

#include "BenchReport.h"
#include "Clock.h"
#include "ListenerHistory.h"
#include "ProcessMemory.h"

#include <QElapsedTimer>
#include <QStringList>

#include <cstdio>

namespace {

constexpr int kAppends = 1'000'000;
constexpr int kStations = 50;
constexpr double kTargetBytesPerRecord = 32;

} // namespace

void benchHistory()
{
    QStringList names;
    for (int i = 0; i < kStations; ++i) {
        names << QStringLiteral("station%1").arg(i, 2, 10, QLatin1Char('0'));
    }
    SystemClock clock;

    const auto before = ProcessMemory::sample();
    ListenerHistory history(clock);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kAppends; ++i) {
        history.add_history(names[i % kStations], i % 1000);
    }
    const qint64 ns = timer.nsecsElapsed();
    const auto after = ProcessMemory::sample();

    const double perRecord = double(history.bytesUsed()) / double(history.size());
    std::printf("Listener history: %d appends over %d station names\n", kAppends, kStations);
    std::printf("  bytes per record (bytesUsed / size)   %6.1f   target <= %.0f   %s\n", perRecord,
                kTargetBytesPerRecord, BenchReport::verdict(perRecord <= kTargetBytesPerRecord));
    std::printf(
        "  append time                           %6.0f ns each (system clock read included)\n",
        double(ns) / kAppends);
    if (before && after) {
        // The kernel's view, page-granular and including allocator slack; for scale only.
        const auto perAppend = [](qint64 kib) { return double(kib) * 1024.0 / kAppends; };
        const qint64 rss = after->residentKiB - before->residentKiB;
        const qint64 peak = after->peakResidentKiB - before->peakResidentKiB;
        std::printf("  process RSS growth (VmRSS)            %6.1f MiB = %5.1f bytes per append\n",
                    double(rss) / 1024.0, perAppend(rss));
        std::printf("  process peak RSS growth (VmHWM)       %6.1f MiB = %5.1f bytes per append"
                    " (includes the old block while the record array regrows)\n",
                    double(peak) / 1024.0, perAppend(peak));
    } else {
        std::printf(
            "  process RSS growth                    not available (no /proc/self/status)\n");
    }
}
