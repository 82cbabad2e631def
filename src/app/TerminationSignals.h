// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

// Turns the system's requests to end the program (SIGTERM, SIGINT, SIGHUP on POSIX)
// into a signal on the event loop, so the program ends the way "Beenden" ends it:
// the tray icon removed, the lock released, nothing half written. One implementation
// per platform, chosen by the build.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested();
};
