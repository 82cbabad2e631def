// SPDX-License-Identifier: MIT
// bench_stats [--quick]
//
// The statistics window with a history of a million counts over 20 stations: the time
// from choosing a station to the first point of its curve and to the complete chart,
// and the cost of one Draw of a full chart (100 values, grid on) of 1000 x 300 pixels. Runs on the
// offscreen platform unless QT_QPA_PLATFORM names another. Prints PASS or MISS beside the target
// and exits 0 once the figures are out: a miss is for a person to read. A choice that
// does not start its own curve, a chart that does not end complete with the station's
// newest counts within a minute, or a chart that shows nothing, prints FAILED and exits 1.
// --quick makes fewer runs and gives no verdict, for the CTest smoke check.
#include "BenchReport.h"
#include "Clock.h"
#include "GraphBench.h"
#include "ListenerHistory.h"
#include "frmGraph.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

using BenchReport::percentile;

constexpr double kChoiceTargetMs = 50;
// 100 points, the first at once and 99 steps of 10 ms, and some slack for the timer.
constexpr double kCompleteTargetMs = 1200;

void printFigures(const char *label, const std::vector<double> &ms)
{
    std::printf("  %-42s median %8.3f ms   p90 %8.3f ms   max %8.3f ms\n", label,
                percentile(ms, 0.5), percentile(ms, 0.9), percentile(ms, 1.0));
}

// A clock that stands still: the figures are about reading the history, not filling it.
class FixedClock final : public Clock
{
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 1, 1), QTime(12, 0)); }
};

int fail(const QByteArray &why)
{
    std::printf("FAILED: %s\n", why.constData());
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    if (argc > 2 || (argc == 2 && !quick)) {
        std::fprintf(stderr, "usage: bench_stats [--quick]\n");
        return 2;
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);

    FixedClock clock;
    ListenerHistory history(clock);
    QElapsedTimer fill;
    fill.start();
    GraphBench::fillHistory(history);
    const double fillMs = double(fill.elapsed());
    if (history.size() != GraphBench::kRecords) {
        return fail("the history does not hold the records it was given");
    }

    QStringList names;
    for (int i = 0; i < GraphBench::kStations; ++i) {
        names << GraphBench::stationName(i);
    }
    frmGraph window({history, [&names] { return names; }, [](const QString &) { return 1000; },
                     [](const QString &) { return 0; }});
    window.show();
    const GraphBench::Choices choices = GraphBench::timeChoices(window, history, quick ? 1 : 5);
    if (!choices.failure.isEmpty()) {
        return fail(choices.failure);
    }
    const GraphBench::Completions completions = GraphBench::timeCompletions(window, quick ? 1 : 5);
    if (!completions.failure.isEmpty()) {
        return fail(completions.failure);
    }
    const GraphBench::Draws draws = GraphBench::timeDraws(quick ? 20 : 2000);
    if (!draws.failure.isEmpty()) {
        return fail(draws.failure);
    }

    std::printf("Statistics window: %d history records over %d stations, %d each\n",
                GraphBench::kRecords, GraphBench::kStations,
                GraphBench::kRecords / GraphBench::kStations);
    std::printf("  platform %s; history filled in %.0f ms\n",
                qPrintable(QGuiApplication::platformName()), fillMs);
    std::printf("Choosing a station until its first point is drawn, %d choices\n",
                int(choices.choiceMs.size()));
    printFigures("choice to first point", choices.choiceMs);
    printFigures("of it, reading the station's counts", choices.countsMs);
    const double worst = percentile(choices.choiceMs, 1.0);
    if (!quick) {
        std::printf("  %-42s max %8.3f ms   target < %.0f ms   %s\n", "verdict", worst,
                    kChoiceTargetMs, worst < kChoiceTargetMs ? "PASS" : "MISS");
    }
    std::printf("Choosing a station until its chart is complete, %d choices\n",
                int(completions.completeMs.size()));
    printFigures("choice to complete chart", completions.completeMs);
    std::printf("  (replaying all %d counts at %d ms a point would take %d s)\n",
                GraphBench::kRecords / GraphBench::kStations, frmGraph::kFillIntervalMs,
                GraphBench::kRecords / GraphBench::kStations * frmGraph::kFillIntervalMs / 1000);
    const double slowest = percentile(completions.completeMs, 1.0);
    if (!quick) {
        std::printf("  %-42s max %8.3f ms   target < %.0f ms   %s\n", "verdict", slowest,
                    kCompleteTargetMs, slowest < kCompleteTargetMs ? "PASS" : "MISS");
    }
    std::printf("One Draw of %d values, grid on, %d x %d px, %d runs\n", clsLineGraph::kPoints,
                GraphBench::kChartWidth, GraphBench::kChartHeight, int(draws.pictureMs.size()));
    printFigures("onto the window's chart widget", draws.pictureMs);
    printFigures("arithmetic only (a surface that counts)", draws.arithmeticMs);
    if (quick) {
        std::printf("Quick run: too few runs for a verdict.\n");
    }
    return 0;
}
