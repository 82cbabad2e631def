// SPDX-License-Identifier: MIT
// bench_resources [--quick]
//
// The program with 10 stations polled every minute from the platform simulator, and
// bench_resources_bare (a tray icon, a floating line of text, a 1 s timer), one after
// the other on the same Xvfb with the same tray host (trayer). For each: private
// memory at the end and its peak, CPU share of one core and wake-ups per second over
// a window after a warm-up, and the ratios program / bare. Prints PASS or MISS beside
// the targets and exits 0 once the figures are out: a miss is for a person to read.
// A program that did not start, did not dock or died prints FAILED and exits 1; a
// missing tool exits 77. --quick measures 15 s each and gives no verdicts.
#include "BenchDesktop.h"
#include "BenchReport.h"
#include "Measurement.h"
#include "ProcFigures.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSet>

#include <algorithm>
#include <cstdio>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

constexpr int kStations = 10;
constexpr double kMemoryRatio = 1.2;
constexpr double kCpuRatio = 2.0;
constexpr double kCpuCeiling = 0.5; // % of one core
constexpr int kSkipped = 77;

QByteArray stationList()
{
    QByteArrayList names;
    for (int i = 1; i <= kStations; ++i) {
        names << "station" + QByteArray::number(i).rightJustified(2, '0');
    }
    return names.join(';');
}

// Stations the simulator's request log shows asked for their listeners.
int stationsAsked(const QByteArray &log)
{
    QSet<QByteArray> asked;
    for (const QByteArray &line : log.split('\n')) {
        if (line.startsWith("GET /station/") && line.endsWith("/listeners")) {
            asked.insert(line);
        }
    }
    return int(asked.size());
}

double cpuPercent(const Measurement::Figures &f)
{
    return 100.0 * double(f.runNs) / 1e9 / f.seconds;
}

double mib(qint64 kib)
{
    return double(kib) / 1024.0;
}

int failed(const char *who, const QByteArray &why)
{
    std::printf("FAILED: %s: %s\n", who, why.constData());
    return 1;
}

void print(const Measurement::Figures &program, const Measurement::Figures &bare, bool judged)
{
    const double memoryRatio = double(program.privateKiB) / double(bare.privateKiB);
    const double peakRatio = double(program.peakPrivateKiB) / double(bare.peakPrivateKiB);
    // Run time is counted in nanoseconds; a bare program that ran not even one
    // microsecond would make any ratio meaningless, and is taken as one.
    const double cpuRatio = double(program.runNs) / double(std::max<qint64>(bare.runNs, 1000));
    const double programWakeUps = double(program.switches) / program.seconds;
    const double bareWakeUps = double(bare.switches) / bare.seconds;

    std::printf("  %-30s %12s %12s %8s\n", "", "program", "bare", "ratio");
    std::printf("  %-30s %8.2f MiB %8.2f MiB %7.2fx", "private memory at the end",
                mib(program.privateKiB), mib(bare.privateKiB), memoryRatio);
    if (judged) {
        std::printf("   target <= %.1fx   %s", kMemoryRatio,
                    BenchReport::verdict(memoryRatio <= kMemoryRatio));
    }
    std::printf("\n  %-30s %8.2f MiB %8.2f MiB %7.2fx\n", "private memory, peak",
                mib(program.peakPrivateKiB), mib(bare.peakPrivateKiB), peakRatio);
    std::printf("  %-30s %10.3f %% %10.3f %% %7.2fx", "CPU, share of one core", cpuPercent(program),
                cpuPercent(bare), cpuRatio);
    if (judged) {
        const bool met = cpuRatio <= kCpuRatio && cpuPercent(program) < kCpuCeiling;
        std::printf("   target <= %.0fx and < %.1f %%   %s", kCpuRatio, kCpuCeiling,
                    BenchReport::verdict(met));
    }
    std::printf("\n  %-30s %9.1f ms %9.1f ms\n", "  run time in the window",
                double(program.runNs) / 1e6, double(bare.runNs) / 1e6);
    std::printf("  %-30s %12lld %12lld\n", "  CPU ticks in the window (stat)", program.cpuTicks,
                bare.cpuTicks);
    std::printf("  %-30s %12.2f %12.2f %7.2fx\n", "wake-ups per second", programWakeUps,
                bareWakeUps, bare.switches > 0 ? programWakeUps / bareWakeUps : 0.0);
    std::printf("  %-30s %12d %12d\n", "threads at the end", program.threads, bare.threads);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    if (argc > 2 || (argc == 2 && !quick)) {
        std::fprintf(stderr, "usage: bench_resources [--quick]\n");
        return 2;
    }
    const QString missing = BenchDesktop::missingTool({u"Xvfb"_s, u"trayer"_s, u"xwininfo"_s});
    if (!missing.isEmpty()) {
        std::printf("SKIPPED: needs %s (scripts/setup)\n", qPrintable(missing));
        return kSkipped;
    }
    const Measurement::Timing timing =
        quick ? Measurement::Timing{5000, 10000} : Measurement::Timing{10000, 110000};

    BenchDesktop desktop;
    if (const QByteArray why = desktop.start(); !why.isEmpty()) {
        return failed("desktop", why);
    }
    QProcess *simulator = desktop.launch(
        QStringLiteral(MIRKAN_SIMULATOR),
        {u"--log"_s, u"--stations"_s, QString::fromLatin1(stationList()).replace(u';', u',')});
    if (!simulator || !simulator->waitForReadyRead(5000)) {
        return failed("simulator", "it did not start");
    }
    const QByteArray port = simulator->readLine().trimmed();
    if (!desktop.writeIni("stations=" + stationList() + "\r\napi_host=127.0.0.1:" + port +
                          "\r\nUpdateInterval=1\r\n")) {
        return failed("program", "its INI file could not be written");
    }

    std::printf("Resources: Mirkan_DesktopTool with %d stations polled every minute from the\n"
                "simulator on loopback, beside bench_resources_bare (tray icon, line of text,\n"
                "1 s timer), one after the other on Xvfb %s (1280x720x24) with trayer\n",
                kStations, qPrintable(desktop.display()));
    std::printf("  each: started, icon docked, %d s warm-up, %d s measured; memory from\n"
                "  smaps_rollup (Private_Clean + Private_Dirty, peak of one sample a second),\n"
                "  CPU from the run time of all threads (schedstat, in ns; utime + stime at\n"
                "  %lld ticks a second beside it), wake-ups from the voluntary and involuntary\n"
                "  context switches of all threads\n",
                timing.warmUpMs / 1000, timing.windowMs / 1000, ProcFigures::ticksPerSecond());
    std::fflush(stdout);

    const Measurement::Result program =
        Measurement::run(desktop, QStringLiteral(MIRKAN_PROGRAM), u"Mirkan_DesktopTool"_s, timing);
    if (!program.figures) {
        return failed("program", program.failure);
    }
    while (simulator->waitForReadyRead(200)) {
    }
    const int asked = stationsAsked(simulator->readAllStandardOutput());
    if (asked != kStations) {
        return failed("program", "it asked for " + QByteArray::number(asked) + " of " +
                                     QByteArray::number(kStations) + " stations");
    }
    const Measurement::Result bare =
        Measurement::run(desktop, QStringLiteral(MIRKAN_BARE), u"bench_resources_bare"_s, timing);
    if (!bare.figures) {
        return failed("bare program", bare.failure);
    }
    print(*program.figures, *bare.figures, !quick);
    if (quick) {
        std::printf("Quick run: too short for verdicts.\n");
    }
    return 0;
}
