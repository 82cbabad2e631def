// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QMap>
#include <QtGlobal>

#include <optional>

// What the Linux kernel tells about another process under /proc/PID: its private
// memory, the CPU time of all its threads in clock ticks, and each thread's CPU time
// in nanoseconds and context switches.
// The parsers take a file's text, so they can be checked without a process.
namespace ProcFigures {

// Private_Clean + Private_Dirty of smaps_rollup, in KiB.
std::optional<qint64> privateKiB(const QByteArray &smapsRollup);

// utime + stime of stat (all threads, the ended ones included), in clock ticks.
std::optional<qint64> cpuTicks(const QByteArray &stat);

// voluntary_ctxt_switches + nonvoluntary_ctxt_switches of one thread's status.
std::optional<qint64> contextSwitches(const QByteArray &status);

// The time one thread ran, in nanoseconds: the first figure of its schedstat. Far finer
// than the ticks of stat, where a quiet process uses only a few in minutes.
std::optional<qint64> runNanoseconds(const QByteArray &schedstat);

struct Sample
{
    qint64 privateKiB = 0;
    qint64 cpuTicks = 0;
    QMap<qint64, qint64> switchesByThread; // thread id -> context switches so far
    QMap<qint64, qint64> runNsByThread;    // thread id -> nanoseconds run so far
};

// Reads the process's files; nullopt when it is gone or a file lacks its figure.
std::optional<Sample> sample(qint64 pid);

// Growth of a per-thread count between two samples (context switches, run time): a
// thread started in between counts from zero; one that ended in between is lost, as
// the kernel keeps no per-thread record of it.
qint64 growthBetween(const QMap<qint64, qint64> &before, const QMap<qint64, qint64> &after);

qint64 ticksPerSecond();

} // namespace ProcFigures
