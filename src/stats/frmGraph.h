// SPDX-License-Identifier: MIT
#pragma once

#include "clsLineGraph.h"

#include <QDialog>
#include <QFont>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

class ChartPicture;
class ListenerHistory;
class QComboBox;
class QLabel;

// The statistics window: pick a configured station and see its lowest and highest
// listener count and a chart of the counts recorded since the program started. The
// curve grows by one point every 10 ms through the newest 100 counts, those the chart
// ends with. Every choice, also of the station shown, stops a curve still growing and
// starts afresh from the newest counts. Create a fresh one for each opening.
class frmGraph : public QDialog
{
    Q_OBJECT

public:
    // What the window reads from the running program, when it opens and at each choice.
    struct Sources
    {
        const ListenerHistory &history;
        // The configured station names, in table order.
        std::function<QStringList()> stationNames;
        // Highest and lowest count of the first station of that name, letter case
        // ignored; 0 when there is none.
        std::function<qint32(const QString &)> stationMax;
        std::function<qint32(const QString &)> stationMin;
    };

    static constexpr int kFillIntervalMs = 10;

    explicit frmGraph(Sources sources, QWidget *parent = nullptr);
    ~frmGraph() override;

    // The values the chart shows now, oldest first.
    const ChartValues &chartValues() const { return *m_values; }
    // True while a station's curve is still growing.
    bool isFilling() const { return m_fillTimer->isActive(); }

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool event(QEvent *event) override;

private:
    void buildControls();
    void Form_Load();
    void Combo_stations_Click();
    void Form_Resize();
    void followFrame();
    // Frame included, as the platform knows it now.
    QSize outerSize() const;
    void fill_curve(const QString &station);
    void addNextPoint();
    void applyChartSettings();
    static QSize toPixels(double widthTwips, double heightTwips);
    static QRect toPixels(double left, double top, double width, double height);

    Sources m_sources;
    QComboBox *m_comboStations = nullptr;
    QLabel *m_labelMin = nullptr;
    QLabel *m_labelMax = nullptr;
    ChartPicture *m_pic1 = nullptr;
    std::shared_ptr<ChartValues> m_values;
    std::unique_ptr<clsLineGraph> m_graph;
    // The chosen station's counts, read once at the choice, and the next to show.
    std::vector<qint32> m_pending;
    std::size_t m_nextPending = 0;
    // Named "fillTimer": each of its steps adds one point.
    QTimer *m_fillTimer;
    bool m_loaded = false;
    // The outer size the chart was last laid out for.
    QSize m_laidOutFor;
};
