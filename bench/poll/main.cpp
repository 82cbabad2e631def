// SPDX-License-Identifier: MIT
// Speed and memory figures of the listener poll, of a poll against a host that never
// answers, and of the listener history, each printed beside its target with PASS or
// MISS. A miss is for a person to read, not for a build to fail on: the exit status is
// 1 only when the work itself failed (a station lost its count, a poll never ended).
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
    const bool polled = benchPoll();
    std::printf("\n");
    return polled && benchSilentHost() ? 0 : 1;
}
