// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

class BenchDesktop;

// Runs one program on the benchmark's desktop until its tray icon docks, lets it
// settle, and measures it over a window of time from outside through /proc.
namespace Measurement {

struct Timing
{
    int warmUpMs = 10000; // after the icon docked: first poll, fonts, caches
    int windowMs = 110000;
};

struct Figures
{
    double seconds = 0;        // length of the measured window
    qint64 privateKiB = 0;     // at the window's end
    qint64 peakPrivateKiB = 0; // highest of the samples, one a second
    qint64 cpuTicks = 0;       // over the window
    qint64 runNs = 0;          // over the window, all threads
    qint64 switches = 0;       // over the window, all threads
    int threads = 0;           // at the window's end
};

struct Result
{
    std::optional<Figures> figures;
    QByteArray failure; // what went wrong when there are no figures
};

Result run(BenchDesktop &desktop, const QString &program, const QString &iconName,
           const Timing &timing);

} // namespace Measurement
