// SPDX-License-Identifier: MIT
// Speed and memory figures of the listener poll and the listener history, each
// printed beside its target with PASS or MISS. Always exits 0 once the figures are
// out: a miss is for a person to read, not for a build to fail on.
#include "HistoryBench.h"
#include "PollBench.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // The display and the tray are stand-ins that draw nothing: no GUI needed.
    QCoreApplication app(argc, argv);

    // The history first, while the process's peak memory is still that of its start,
    // so the peak's growth belongs to the history alone.
    benchHistory();
    std::printf("\n");
    return benchPoll() ? 0 : 1;
}
