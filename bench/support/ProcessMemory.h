// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>

// The process's resident memory as the kernel reports it (Linux /proc/self/status);
// nullopt where that file does not exist.
namespace ProcessMemory {

struct Sample
{
    qint64 residentKiB = 0;     // VmRSS
    qint64 peakResidentKiB = 0; // VmHWM
};

std::optional<Sample> sample();

// The number after "name:" on a line of its own in a /proc text such as status or
// smaps_rollup ("VmRSS:\t  12345 kB" -> 12345); nullopt when missing or no number.
std::optional<qint64> field(const QByteArray &text, const QByteArray &name);

} // namespace ProcessMemory
