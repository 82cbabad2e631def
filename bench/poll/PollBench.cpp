// SPDX-License-Identifier: MIT
#include "PollBench.h"

#include "BenchReport.h"
#include "Clock.h"
#include "KonfigKeys.h"
#include "PlatformSimulator.h"
#include "SimulatorThread.h"
#include "SongTracker.h"
#include "StallProbe.h"
#include "TaskbarLocator.h"
#include "TextDisplay.h"
#include "TrayView.h"
#include "frmMain.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

using BenchReport::row;
using BenchReport::verdict;

constexpr int kStations = 50;
constexpr int kDelayMs = 100;
constexpr int kCount = 42;
constexpr int kTimedPolls = 5;
constexpr int kGiveUpMs = 30'000;
constexpr int kConnections = WebDownloader::kMaxParallel;
constexpr int kRounds = (kStations + kConnections - 1) / kConnections;
constexpr int kIdealMs = kRounds * kDelayMs;
constexpr double kTargetWallPerIdeal = 1.5;
constexpr double kTargetStallMs = 20;

// Keeps the text instead of drawing it.
class SilentDisplay final : public TextDisplay
{
public:
    void set_Print_Text(const QString &text) override { m_text = text; }
    QString get_text() const override { return m_text; }
    void show() override {}

private:
    QString m_text;
};

// Tells when a poll has ended: the tray is busy exactly while one runs.
class SignallingTray final : public TrayView
{
public:
    void add() override {}
    void setToolTip(const QString &) override {}
    void set_tray_busy(bool busy) override
    {
        if (!busy && onIdle) {
            onIdle();
        }
    }

    std::function<void()> onIdle;
};

class NoTaskbar final : public TaskbarLocator
{
public:
    std::optional<QRect> taskbarRect() const override { return std::nullopt; }
};

struct PollTiming
{
    double wallMs = -1;      // -1: the poll did not end in time
    StallProbe::Stall stall; // the longest one
    int answered = 0;        // stations whose count came back right
};

// Runs one poll that startPoll begins and waits on the event loop until it ends.
PollTiming timePoll(frmMain &form, SignallingTray &tray, const std::function<void()> &startPoll)
{
    PollTiming timing;
    StallProbe probe;
    QEventLoop loop;
    QElapsedTimer wall;
    tray.onIdle = [&] {
        timing.wallMs = double(wall.nsecsElapsed()) / 1e6;
        probe.stop();
        loop.quit();
    };
    QTimer::singleShot(kGiveUpMs, &loop, &QEventLoop::quit);
    // The probe runs first, so time spent inside startPoll counts as a stall too.
    probe.start();
    wall.start();
    startPoll();
    if (timing.wallMs < 0) {
        loop.exec();
    }
    tray.onIdle = nullptr;
    timing.stall = probe.longest();
    for (const station_entry &station : form.stations()) {
        timing.answered += station.count == kCount ? 1 : 0;
    }
    return timing;
}

// The longest stall of the event loop while no poll runs, over a window as long as a
// poll: what the machine's scheduler alone costs, to read the poll's stalls against.
StallProbe::Stall idleStall(int windowMs)
{
    StallProbe probe;
    QEventLoop loop;
    QTimer::singleShot(windowMs, &loop, [&] {
        probe.stop();
        loop.quit();
    });
    probe.start();
    loop.exec();
    return probe.longest();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

QByteArray stationSetting()
{
    QStringList names;
    for (int i = 0; i < kStations; ++i) {
        names << QStringLiteral("station%1").arg(i, 2, 10, QLatin1Char('0'));
    }
    return names.join(QLatin1Char(';')).toUtf8();
}

// "5.3 ms at +26 ms, on CPU 0.2 ms, waiting for a CPU 4.9 ms"
QByteArray describe(const StallProbe::Stall &stall)
{
    QByteArray text = QByteArray::number(stall.ms, 'f', 1) + " ms at +" +
                      QByteArray::number(stall.atMs, 'f', 0) + " ms";
    if (stall.schedule) {
        text += ", on CPU " + QByteArray::number(double(stall.schedule->onCpuNs) / 1e6, 'f', 1) +
                " ms, waiting for a CPU " +
                QByteArray::number(double(stall.schedule->waitingNs) / 1e6, 'f', 1) + " ms";
    }
    return text;
}

// Returns false when a station failed in one of the polls.
bool printFigures(const PollTiming &warmUp, const std::vector<PollTiming> &polls,
                  const StallProbe::Stall &idle, const SimulatorThread &sim)
{
    std::vector<double> walls;
    const PollTiming *worst = &polls.front();
    int fewestAnswered = warmUp.answered;
    for (const PollTiming &p : polls) {
        walls.push_back(p.wallMs);
        worst = p.stall.ms > worst->stall.ms ? &p : worst;
        fewestAnswered = std::min(fewestAnswered, p.answered);
    }
    const double wall = median(walls);
    const double fastest = *std::min_element(walls.begin(), walls.end());
    const double sequential = double(kStations) * kDelayMs;
    const double ideal = kIdealMs;
    const bool fastEnough = wall <= kTargetWallPerIdeal * ideal;
    // A figure of a poll in which a station failed says nothing about a good poll.
    const bool allAnswered = fewestAnswered == kStations;

    std::printf("Listener poll: %d stations, every listener answer delayed %d ms\n", kStations,
                kDelayMs);
    std::printf("  (frmMain's own poll on the main event loop; the simulator serves from a"
                " thread of its own)\n");
    const auto timed = [](const QByteArray &label, const PollTiming &p) {
        row(label, "%7.1f ms   stall %s", p.wallMs, describe(p.stall).constData());
    };
    timed("warm-up poll (Form_Load)", warmUp);
    for (int i = 0; i < int(polls.size()); ++i) {
        timed("poll " + QByteArray::number(i + 1) + " (check_stations)", polls[std::size_t(i)]);
    }
    row("wall time, median of " + QByteArray::number(kTimedPolls), "%7.1f ms   (min %.1f ms)", wall,
        fastest);
    row("sequential (" + QByteArray::number(kStations) + " x " + QByteArray::number(kDelayMs) +
            " ms)",
        "%7.1f ms", sequential);
    row("ideal, " + QByteArray::number(kConnections) + " connections (" +
            QByteArray::number(kRounds) + " rounds x " + QByteArray::number(kDelayMs) + " ms)",
        "%7.1f ms", ideal);
    row("wall / ideal", "%7.2f      target <= %.2f     %s", wall / ideal, kTargetWallPerIdeal,
        verdict(fastEnough && allAnswered));
    row("sequential / wall", "%7.2fx     target >= %.2fx    %s", sequential / wall,
        sequential / (kTargetWallPerIdeal * ideal), verdict(fastEnough && allAnswered));
    row("longest event-loop stall, worst poll", "%7.1f ms   target <= %.0f ms     %s",
        worst->stall.ms, kTargetStallMs, verdict(worst->stall.ms <= kTargetStallMs && allAnswered));
    std::printf("    stall = largest gap between consecutive timeouts of a %d ms Qt::PreciseTimer\n"
                "    on the main thread, minus %d ms, from the poll's start to its end; on CPU is\n"
                "    the main thread's own work in that gap, waiting the time it was ready to run\n"
                "    but the machine gave it no CPU (Linux schedstat)\n",
                StallProbe::kIntervalMs, StallProbe::kIntervalMs);
    row("same, no poll running (noise floor)", "%7.1f ms   worst of %d idle windows of %.0f ms",
        idle.ms, kTimedPolls, ideal);
    std::printf("    %s\n", describe(idle).constData());
    row("time above ideal per round", "%7.1f ms   ((median - ideal) / %d rounds)",
        (wall - ideal) / kRounds, kRounds);
    row("simulator", "%d requests, at most %d answered at once", sim.requestCount(),
        sim.peakConcurrentRequests());
    if (!allAnswered) {
        std::printf("  FAILED: only %d of %d stations got their count in some poll;"
                    " the times above are not those of a good poll\n",
                    fewestAnswered, kStations);
    }
    return allAnswered;
}

// A fresh program folder whose settings name api_host and stations; empty when it
// cannot be written.
std::unique_ptr<QTemporaryDir> programFolder(const QString &apiHost, const QByteArray &stations)
{
    auto dir = std::make_unique<QTemporaryDir>();
    QFile ini(QDir(dir->path()).filePath(KonfigKeys::kFileName));
    if (!dir->isValid() || !ini.open(QIODevice::WriteOnly) ||
        ini.write("[Konfig]\r\napi_host=" + apiHost.toUtf8() + "\r\nstations=" + stations +
                  "\r\n") < 0) {
        std::fprintf(stderr, "bench_poll: cannot write a program folder\n");
        return nullptr;
    }
    return dir;
}

// The program as the poll sees it, without a window, a tray or title files.
struct PollWorld
{
    PollWorld(const QTemporaryDir &programDir, int limitMs = WebDownloader::kDefaultTimeoutMs)
        : form({programDir.path(), executableDir.path(), clock, display, tray, taskbar, songs,
                limitMs})
    {
    }

    QTemporaryDir executableDir;
    SystemClock clock;
    SilentDisplay display;
    SignallingTray tray;
    NoTaskbar taskbar;
    NoSongTracker songs;
    frmMain form;
};

} // namespace

bool benchPoll()
{
    SimulatorThread sim;
    PlatformSimulator::ListenerReply reply;
    reply.count = kCount;
    reply.delayMs = kDelayMs;
    if (!sim.start(reply)) {
        std::fprintf(stderr, "bench_poll: the simulator cannot listen on 127.0.0.1\n");
        return false;
    }

    const auto programDir = programFolder(sim.baseUrl(), stationSetting());
    if (!programDir) {
        return false;
    }
    PollWorld world(*programDir);
    frmMain &form = world.form;
    SignallingTray &tray = world.tray;

    // Every request opens a connection of its own, so the timed polls include the
    // connection set-up; the first one also warms up the simulator's thread.
    const PollTiming warmUp = timePoll(form, tray, [&form] { form.Form_Load(); });
    StallProbe::Stall idle;
    for (int i = 0; i < kTimedPolls; ++i) {
        const StallProbe::Stall window = idleStall(kIdealMs);
        idle = window.ms > idle.ms ? window : idle;
    }
    std::vector<PollTiming> polls;
    for (int i = 0; i < kTimedPolls; ++i) {
        polls.push_back(timePoll(form, tray, [&form] { form.check_stations(); }));
        if (polls.back().wallMs < 0) {
            std::fprintf(stderr, "bench_poll: a poll did not end within %d ms\n", kGiveUpMs);
            return false;
        }
    }
    return printFigures(warmUp, polls, idle, sim);
}

bool benchSilentHost()
{
    constexpr int kSilent = 20;
    constexpr int kLimitMs = 1000;
    constexpr double kTargetPerLimit = 1.3;
    // Silent requests cost the simulator nothing, so it shares the program's thread.
    PlatformSimulator sim;
    PlatformSimulator::ListenerReply silent;
    silent.fault = PlatformSimulator::Fault::Silent;
    sim.setDefaultListenerReply(silent);
    PlatformSimulator::ListenerReply alive;
    alive.count = kCount;
    sim.setListenerReply(QStringLiteral("alive"), alive);
    QByteArrayList names;
    for (int i = 0; i < kSilent; ++i) {
        names << "silent" + QByteArray::number(i);
    }
    const auto programDir =
        sim.listen() ? programFolder(sim.baseUrl(), names.join(';') + ";alive") : nullptr;
    if (!programDir) {
        return false;
    }
    PollWorld world(*programDir, kLimitMs);
    const PollTiming poll = timePoll(world.form, world.tray, [&world] { world.form.Form_Load(); });

    std::printf("Listener poll against a host that never answers: %d silent stations, then one"
                " answered at once; time limit %d ms\n",
                kSilent, kLimitMs);
    row("wall time", "%7.1f ms", poll.wallMs);
    const double perLimit = poll.wallMs / kLimitMs;
    row("wall / time limit", "%7.2f      target <= %.2f     %s", perLimit, kTargetPerLimit,
        verdict(poll.wallMs >= 0 && perLimit <= kTargetPerLimit && poll.answered == 1));
    if (poll.wallMs < 0 || poll.answered != 1) {
        std::printf("  FAILED: %s\n", poll.wallMs < 0 ? "the poll did not end"
                                                      : "the answered station lost its count");
        return false;
    }
    return true;
}
