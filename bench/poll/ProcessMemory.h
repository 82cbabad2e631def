// SPDX-License-Identifier: MIT
#pragma once

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

} // namespace ProcessMemory
