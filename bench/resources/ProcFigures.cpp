// SPDX-License-Identifier: MIT
#include "ProcFigures.h"

#include "ProcessMemory.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

namespace ProcFigures {

namespace {

std::optional<qint64> sum(const QByteArray &text, const QByteArray &first, const QByteArray &second)
{
    const auto a = ProcessMemory::field(text, first);
    const auto b = ProcessMemory::field(text, second);
    return a && b ? std::optional(*a + *b) : std::nullopt;
}

// A proc file has no size; read until it ends.
QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

std::optional<qint64> privateKiB(const QByteArray &smapsRollup)
{
    return sum(smapsRollup, "Private_Clean", "Private_Dirty");
}

std::optional<qint64> cpuTicks(const QByteArray &stat)
{
    // The command name in parentheses may itself hold blanks and ')'; the fields
    // count from the last ')'. utime and stime are fields 14 and 15, the 12th and
    // 13th after the name.
    const qsizetype close = stat.lastIndexOf(')');
    if (close < 0) {
        return std::nullopt;
    }
    const QList<QByteArray> fields = stat.mid(close + 1).simplified().split(' ');
    if (fields.size() < 13) {
        return std::nullopt;
    }
    bool userOk = false;
    bool systemOk = false;
    const qint64 user = fields[11].toLongLong(&userOk);
    const qint64 system = fields[12].toLongLong(&systemOk);
    return userOk && systemOk ? std::optional(user + system) : std::nullopt;
}

std::optional<qint64> contextSwitches(const QByteArray &status)
{
    return sum(status, "voluntary_ctxt_switches", "nonvoluntary_ctxt_switches");
}

std::optional<qint64> runNanoseconds(const QByteArray &schedstat)
{
    bool ok = false;
    const qint64 ns = schedstat.simplified().split(' ').value(0).toLongLong(&ok);
    return ok && ns >= 0 ? std::optional(ns) : std::nullopt;
}

std::optional<Sample> sample(qint64 pid)
{
    const QString root = QStringLiteral("/proc/%1/").arg(pid);
    const auto memory = privateKiB(readAll(root + QStringLiteral("smaps_rollup")));
    const auto ticks = cpuTicks(readAll(root + QStringLiteral("stat")));
    if (!memory || !ticks) {
        return std::nullopt;
    }
    Sample s{*memory, *ticks, {}, {}};
    // The main thread's status alone would miss the threads Qt starts (the X
    // connection's reader, the network's), whose wake-ups cost the same.
    const QDir tasks(root + QStringLiteral("task"));
    for (const QString &tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const auto switches =
            contextSwitches(readAll(tasks.filePath(tid) + QStringLiteral("/status")));
        const auto ran =
            runNanoseconds(readAll(tasks.filePath(tid) + QStringLiteral("/schedstat")));
        if (switches && ran) {
            s.switchesByThread.insert(tid.toLongLong(), *switches);
            s.runNsByThread.insert(tid.toLongLong(), *ran);
        }
    }
    if (s.switchesByThread.isEmpty()) {
        return std::nullopt;
    }
    return s;
}

qint64 growthBetween(const QMap<qint64, qint64> &before, const QMap<qint64, qint64> &after)
{
    qint64 total = 0;
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        // Fewer than before: the id went to a new thread, which counts from zero.
        const qint64 was = before.value(it.key(), 0);
        total += it.value() >= was ? it.value() - was : it.value();
    }
    return total;
}

qint64 ticksPerSecond()
{
    return qint64(sysconf(_SC_CLK_TCK));
}

} // namespace ProcFigures
