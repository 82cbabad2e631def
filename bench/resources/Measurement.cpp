// SPDX-License-Identifier: MIT
#include "Measurement.h"

#include "BenchDesktop.h"
#include "ProcFigures.h"

#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>

namespace Measurement {

namespace {

constexpr int kDockMs = 15000;
constexpr int kSampleMs = 1000;

// What went wrong, with the end of what the process said on its way out.
QByteArray ended(QProcess &process, const char *when)
{
    const QByteArray said = process.readAllStandardError().trimmed().right(400);
    return "it ended " + QByteArray(when) + " (exit status " +
           QByteArray::number(process.exitCode()) +
           (process.exitStatus() == QProcess::CrashExit ? ", crashed)" : ")") +
           (said.isEmpty() ? QByteArray() : ": " + said);
}

// Waits for the icon, polling the X server's window tree; false when the process
// ended or the time ran out.
bool waitDocked(BenchDesktop &desktop, QProcess &process, const QString &iconName)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < kDockMs) {
        if (desktop.docked(iconName)) {
            return true;
        }
        if (process.waitForFinished(200)) {
            return false;
        }
    }
    return false;
}

} // namespace

Result run(BenchDesktop &desktop, const QString &program, const QString &iconName,
           const Timing &timing)
{
    QProcess *process = desktop.launch(program, {});
    if (!process) {
        return {std::nullopt, "it did not start"};
    }
    if (!waitDocked(desktop, *process, iconName)) {
        return {std::nullopt, process->state() == QProcess::NotRunning
                                  ? ended(*process, "before its icon docked")
                                  : "its icon did not dock in the tray within 15 s"};
    }
    if (process->waitForFinished(timing.warmUpMs)) {
        return {std::nullopt, ended(*process, "during the warm-up")};
    }
    const qint64 pid = process->processId();
    const auto before = ProcFigures::sample(pid);
    if (!before) {
        return {std::nullopt, "/proc has no figures for it"};
    }
    QElapsedTimer window;
    window.start();
    qint64 peak = before->privateKiB;
    // Waiting on the process doubles as the check that it stays alive; the samples
    // read the kernel's books and do not wake it.
    while (window.elapsed() < timing.windowMs) {
        const int wait = int(std::min<qint64>(kSampleMs, timing.windowMs - window.elapsed()));
        if (process->waitForFinished(wait)) {
            return {std::nullopt, ended(*process, "during the measurement")};
        }
        if (const auto now = ProcFigures::sample(pid)) {
            peak = std::max(peak, now->privateKiB);
        }
    }
    const auto after = ProcFigures::sample(pid);
    const double seconds = double(window.nsecsElapsed()) / 1e9;
    if (!after || process->state() != QProcess::Running) {
        return {std::nullopt, ended(*process, "at the end of the measurement")};
    }
    process->terminate();
    process->waitForFinished(5000);
    Figures f;
    f.seconds = seconds;
    f.privateKiB = after->privateKiB;
    f.peakPrivateKiB = std::max(peak, after->privateKiB);
    f.cpuTicks = after->cpuTicks - before->cpuTicks;
    f.switches = ProcFigures::growthBetween(before->switchesByThread, after->switchesByThread);
    f.runNs = ProcFigures::growthBetween(before->runNsByThread, after->runNsByThread);
    f.threads = int(after->switchesByThread.size());
    return {f, {}};
}

} // namespace Measurement
