// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QColor>
#include <QSize>
#include <QString>

#include <vector>

class frmText;

// Times frmText::set_Print_Text for one number of stations, call by call, alternating
// two texts of that many entries so that no call can reuse the previous one's work.
// After each overlay call the same text is drawn once more with a plain
// QPainter::drawText into a fresh picture of the window's size, in the overlay's fill
// colour: the baseline.
namespace OverlayBench {

inline constexpr int kTextSize = 30; // Text_Size, and the baseline's pixel size

// The display text of stations entries as the poll composes it, one per line:
// "STATION01 : 0057", then "\r\nSTATION02: 0064" and so on. variant 0 and 1 give
// texts of the same entries with different counts.
QString stationText(int stations, int variant);

struct Case
{
    int stations = 0;
    QSize window;                   // the overlay's size after the last call
    std::vector<double> overlayMs;  // one set_Print_Text each
    std::vector<double> baselineMs; // one plain drawText each
    std::vector<double> repaintMs;  // the event loop's turn after each call: the paint
    QByteArray failure;             // empty when every call showed a drawn window
};

// How many calls a case makes: warmUps untimed ones, then timed ones until
// maxCalls or until budgetMs of timed work have passed, but at least minCalls.
struct Runs
{
    int warmUps = 0;
    int minCalls = 0;
    int maxCalls = 0;
    qint64 budgetMs = 0;
};

// The overlay must have been shown; the first call's window is grabbed to prove that
// it draws something.
Case run(frmText &overlay, const QString &family, const QColor &colour, int stations,
         const Runs &runs);

} // namespace OverlayBench
