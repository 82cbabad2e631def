// SPDX-License-Identifier: MIT
#include "TerminationSignals.h"

// Windows ends a GUI program through its session messages, which Qt turns into an
// orderly quit already; there are no signals to catch.
TerminationSignals::TerminationSignals(QObject *parent) : QObject(parent) {}

TerminationSignals::~TerminationSignals() = default;
