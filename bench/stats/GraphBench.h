// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

class ListenerHistory;
class QComboBox;
class frmGraph;

// The statistics window's costs: how long choosing a station takes until its curve
// starts, with a long history behind it, and what one drawing of a full chart costs.
namespace GraphBench {

inline constexpr int kRecords = 1'000'000;
inline constexpr int kStations = 20;
inline constexpr int kChartWidth = 1000;
inline constexpr int kChartHeight = 300;

// Chooses entry index of the list as the user does: opens it and takes the entry.
void choose(QComboBox &combo, int index);
// "station01" to "station20".
QString stationName(int index);
// The count the poll recorded as the record-th one overall.
qint32 countOf(int record);
// kRecords counts, the stations taking turns as a poll would add them.
void fillHistory(ListenerHistory &history);

struct Choices
{
    std::vector<double> choiceMs; // from the choice until the first point is drawn
    std::vector<double> countsMs; // the same station's counts read alone
    QByteArray failure;           // empty when every choice started its own curve
};

// Chooses every station of window in turn, rounds times over.
Choices timeChoices(frmGraph &window, const ListenerHistory &history, int rounds);

struct Completions
{
    std::vector<double> completeMs; // from the choice until the chart is complete
    QByteArray failure;             // empty when every chart ended with its newest 100 counts
};

// Chooses the first stations of window in turn and waits each time until the curve has
// stopped growing; a chart not complete within kCompletionLimitMs is a failure.
inline constexpr int kCompletionLimitMs = 60'000;
Completions timeCompletions(frmGraph &window, int stations);

struct Draws
{
    std::vector<double> pictureMs;    // one Draw onto the window's chart widget
    std::vector<double> arithmeticMs; // one Draw onto a surface that only counts calls
    QByteArray failure;
};

// Draws of 100 values with the grid on, kChartWidth x kChartHeight pixels.
Draws timeDraws(int runs);

} // namespace GraphBench
