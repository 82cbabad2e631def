// SPDX-License-Identifier: MIT
// bench_overlay [--quick]
//
// Time of one overlay update, frmText::set_Print_Text, for display texts of 1, 10
// and 50 stations at Text_Size 30 with outline and shadow, beside a plain
// QPainter::drawText of the same text into a picture of the window's size; and the
// process's memory growth over the run. Runs on the offscreen platform unless
// QT_QPA_PLATFORM names another. Prints PASS or MISS beside the targets of the
// 10-station case and exits 0 once the figures are out: a miss is for a person to
// read. A call that leaves no visible, drawn window prints FAILED and exits 1.
// --quick times a few calls only and gives no verdicts, for the CTest smoke check.
// Either way it then fills a glyph cache of 256 KiB with glyphs of every size and
// prints the most it held; more than its bound, or a glyph not drawn, exits 1.
#include "BenchReport.h"
#include "KonfigSettings.h"
#include "OverlayBench.h"
#include "OverlayFont.h"
#include "OverlayGlyphCache.h"
#include "OverlayStyle.h"
#include "ProcessMemory.h"
#include "frmText.h"

#include <QApplication>
#include <QScreen>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

namespace {

using BenchReport::percentile;
using BenchReport::row;
using BenchReport::verdict;

QtMessageHandler g_defaultHandler = nullptr;

// The offscreen platform warns on every raise(), which each update calls; one line a
// call would bury the figures.
void quietRaise(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message != QLatin1StringView("This plugin does not support raise()")) {
        g_defaultHandler(type, context, message);
    }
}

constexpr int kStationCounts[] = {1, 10, 50};
constexpr int kJudgedStations = 10;
constexpr double kTargetMs = 4.0;
constexpr double kTargetRatio = 3.0;
constexpr qint64 kBudgetMs = 8000; // of timed calls per case, so a slow overlay ends too

void printCase(const OverlayBench::Case &c, bool judged)
{
    std::printf("%d station%s, window %d x %d px, %d timed calls\n", c.stations,
                c.stations == 1 ? "" : "s", c.window.width(), c.window.height(),
                int(c.overlayMs.size()));
    const double overlay = percentile(c.overlayMs, 0.5);
    const double baseline = percentile(c.baselineMs, 0.5);
    const double ratio = overlay / baseline;
    if (judged) {
        row("overlay set_Print_Text", "median %7.3f ms   p90 %7.3f ms   target < %.0f ms     %s",
            overlay, percentile(c.overlayMs, 0.9), kTargetMs, verdict(overlay < kTargetMs));
    } else {
        row("overlay set_Print_Text", "median %7.3f ms   p90 %7.3f ms", overlay,
            percentile(c.overlayMs, 0.9));
    }
    row("plain drawText, same text and size", "median %7.3f ms   p90 %7.3f ms", baseline,
        percentile(c.baselineMs, 0.9));
    if (judged) {
        row("overlay / plain drawText (medians)",
            "%7.2fx                             target <= %.0fx      %s", ratio, kTargetRatio,
            verdict(ratio <= kTargetRatio));
    } else {
        row("overlay / plain drawText (medians)", "%7.2fx", ratio);
    }
    row("then the event loop's paint (no target)", "median %7.3f ms   p90 %7.3f ms",
        percentile(c.repaintMs, 0.5), percentile(c.repaintMs, 0.9));
}

void printMemory(const std::optional<ProcessMemory::Sample> &before, int updates)
{
    const std::optional<ProcessMemory::Sample> after = ProcessMemory::sample();
    if (!before || !after) {
        return; // no /proc/self/status here
    }
    const auto perUpdate = [updates](qint64 kib) { return double(kib) / updates; };
    const qint64 peak = after->peakResidentKiB - before->peakResidentKiB;
    const qint64 rss = after->residentKiB - before->residentKiB;
    row("process peak RSS growth (VmHWM)", "%7.1f MiB over %d updates = %.1f KiB per update",
        double(peak) / 1024.0, updates, perUpdate(peak));
    row("process RSS growth (VmRSS)", "%7.1f MiB over %d updates = %.1f KiB per update",
        double(rss) / 1024.0, updates, perUpdate(rss));
    std::printf("    from just after the application object to the end; includes the fonts'\n"
                "    first use, the glyph caches and the window's backing store\n");
}

// The memory bound of the glyph cache: glyphs of sizes 10 to 200 pass through a small
// cache, which must drop old pictures rather than grow, yet draw even a glyph too large
// to keep. A new look must empty it. Returns the failure, or "" when none.
QByteArray glyphCacheBound(const QString &family)
{
    constexpr qint64 kBound = 256 << 10;
    OverlayGlyphCache cache(kBound);
    KonfigSettings konfig;
    OverlayStyle style = OverlayStyle::from(konfig);
    cache.setLook(style, 1.0);
    QFont font(family);
    font.setBold(true);
    qint64 most = 0;
    for (int size = 10; size <= 200; size += 10) {
        font.setPixelSize(size);
        const QRawFont raw = QRawFont::fromFont(font);
        for (const quint32 index : raw.glyphIndexesForString(QStringLiteral("STATION0123456789"))) {
            if (cache.glyph(raw, index, 0, 0)[OverlayGlyphCache::Fill].image.isNull()) {
                return "glyph " + QByteArray::number(index) + " at size " +
                       QByteArray::number(size) + " not drawn";
            }
            most = std::max(most, cache.bytes());
        }
    }
    row("glyph cache, 20 sizes of 17 glyphs",
        "most held %lld KiB of %lld KiB, %lld glyphs at the end", most >> 10, kBound >> 10,
        qlonglong(cache.count()));
    if (most > kBound) {
        return "the glyph cache held " + QByteArray::number(most) + " bytes";
    }
    if (cache.count() == 0) {
        return "the glyph cache kept nothing";
    }
    style.fill = 0xFF00FF00;
    cache.setLook(style, 1.0);
    return cache.count() == 0 ? QByteArray() : "a new look kept the old pictures";
}

} // namespace

int main(int argc, char *argv[])
{
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    if (argc > 2 || (argc == 2 && !quick)) {
        std::fprintf(stderr, "usage: bench_overlay [--quick]\n");
        return 2;
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    g_defaultHandler = qInstallMessageHandler(quietRaise);
    const std::optional<ProcessMemory::Sample> memoryAtStart = ProcessMemory::sample();
    const OverlayBench::Runs runs =
        quick ? OverlayBench::Runs{1, 3, 3, 0} : OverlayBench::Runs{3, 15, 200, kBudgetMs};

    KonfigSettings konfig;
    konfig.Text_Size = OverlayBench::kTextSize;
    konfig.Text_Ouline = true;
    konfig.Text_Shadow = true;
    const qint32 taskbarHeight = 0;
    const QString family = OverlayFont::family();
    const QColor colour = QColor::fromRgba(OverlayStyle::from(konfig).fill);
    frmText overlay({konfig, taskbarHeight, {}});
    overlay.show();

    const QScreen *screen = QGuiApplication::primaryScreen();
    std::printf("Overlay update: frmText::set_Print_Text, Text_Size %d, outline and shadow on,"
                " default colours\n",
                OverlayBench::kTextSize);
    std::printf("  platform %s, screen %d x %d px, font \"%s\" bold\n",
                qPrintable(QGuiApplication::platformName()),
                screen ? screen->geometry().width() : 0, screen ? screen->geometry().height() : 0,
                qPrintable(family));
    if (quick) {
        std::printf("  quick run: per case %d untimed and %d timed calls\n", runs.warmUps,
                    runs.minCalls);
    } else {
        std::printf("  per case %d untimed calls, then timed ones: at least %d, at most %d, no\n"
                    "  more once %.0f s have passed\n",
                    runs.warmUps, runs.minCalls, runs.maxCalls, double(runs.budgetMs) / 1000);
    }
    std::printf("  two texts of the same stations with different counts take turns; the\n"
                "  baseline draws each text once more after the overlay's call\n");
    int updates = 0;
    for (const int stations : kStationCounts) {
        const OverlayBench::Case c = OverlayBench::run(overlay, family, colour, stations, runs);
        if (!c.failure.isEmpty()) {
            std::printf("FAILED: %d station%s: %s\n", stations, stations == 1 ? "" : "s",
                        c.failure.constData());
            return 1;
        }
        updates += runs.warmUps + int(c.overlayMs.size());
        printCase(c, !quick && stations == kJudgedStations);
    }
    // Where nothing blends, each update also makes the picture solid and cuts the
    // window to it.
    std::printf("Without a compositor\n");
    frmText solid({konfig, taskbarHeight, [] { return false; }});
    solid.show();
    const OverlayBench::Case c = OverlayBench::run(solid, family, colour, kJudgedStations, runs);
    if (!c.failure.isEmpty()) {
        std::printf("FAILED: without a compositor: %s\n", c.failure.constData());
        return 1;
    }
    updates += runs.warmUps + int(c.overlayMs.size());
    printCase(c, false);
    std::printf("Memory\n");
    printMemory(memoryAtStart, updates);
    std::printf("Glyph cache\n");
    if (const QByteArray failure = glyphCacheBound(family); !failure.isEmpty()) {
        std::printf("FAILED: %s\n", failure.constData());
        return 1;
    }
    if (quick) {
        std::printf("Quick run: too few calls for verdicts.\n");
    }
    return 0;
}
