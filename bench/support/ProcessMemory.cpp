// SPDX-License-Identifier: MIT
#include "ProcessMemory.h"

#include <QByteArray>
#include <QFile>

namespace ProcessMemory {

std::optional<qint64> field(const QByteArray &text, const QByteArray &name)
{
    const QByteArray key = name + ':';
    for (const QByteArray &line : text.split('\n')) {
        if (line.startsWith(key)) {
            bool ok = false;
            const qint64 kib = line.mid(key.size()).trimmed().split(' ').value(0).toLongLong(&ok);
            return ok ? std::optional(kib) : std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<Sample> sample()
{
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    // A proc file has no size; read until it ends.
    const QByteArray status = file.readAll();
    const auto rss = field(status, "VmRSS");
    const auto hwm = field(status, "VmHWM");
    if (!rss || !hwm) {
        return std::nullopt;
    }
    return Sample{*rss, *hwm};
}

} // namespace ProcessMemory
