// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QMap>
#include <QtGlobal>

#include <optional>

// What the Linux kernel tells about another process under /proc/PID: its private
// memory, the CPU time of all its threads and the context switches of each thread.
// The parsers take a file's text, so they can be checked without a process.
namespace ProcFigures {

// Private_Clean + Private_Dirty of smaps_rollup, in KiB.
std::optional<qint64> privateKiB(const QByteArray &smapsRollup);

// utime + stime of stat (all threads, the ended ones included), in clock ticks.
std::optional<qint64> cpuTicks(const QByteArray &stat);

// voluntary_ctxt_switches + nonvoluntary_ctxt_switches of one thread's status.
std::optional<qint64> contextSwitches(const QByteArray &status);

struct Sample
{
    qint64 privateKiB = 0;
    qint64 cpuTicks = 0;
    QMap<qint64, qint64> switchesByThread; // thread id -> context switches so far
};

// Reads the process's files; nullopt when it is gone or a file lacks its figure.
std::optional<Sample> sample(qint64 pid);

// Context switches between two samples: a thread started in between counts from
// zero; one that ended in between is lost, as the kernel keeps no per-thread record.
qint64 switchesBetween(const Sample &before, const Sample &after);

qint64 ticksPerSecond();

} // namespace ProcFigures
