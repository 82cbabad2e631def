// SPDX-License-Identifier: MIT
#include "GraphBench.h"

#include "BenchReport.h"
#include "ChartPicture.h"
#include "Clock.h"
#include "ListenerHistory.h"
#include "PictureSurface.h"
#include "clsLineGraph.h"
#include "frmGraph.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>

namespace GraphBench {

namespace {

using BenchReport::elapsedMs;

constexpr int kPerStation = kRecords / kStations;
constexpr int kShown = clsLineGraph::kPoints;

class CountingSurface final : public PictureSurface
{
public:
    bool persistentDrawing() const override { return true; }
    void setPersistentDrawing(bool) override {}
    void clear() override { lines = rectangles = 0; }
    int borderStyle() const override { return 0; }
    bool pixelCoordinates() const override { return true; }
    void setPixelCoordinates() override {}
    double innerWidth() const override { return kChartWidth; }
    double innerHeight() const override { return kChartHeight; }
    qint32 background() const override { return 0; }
    void setBackground(qint32) override {}
    void line(PicturePoint, PicturePoint, qint32) override { ++lines; }
    void rectangle(PicturePoint, PicturePoint, qint32) override { ++rectangles; }

    int lines = 0;
    int rectangles = 0;
};

constexpr qint32 kGreen = 65280;

// The count of the index-th record of station, in the order fillHistory added them.
qint32 stationCount(int station, int index)
{
    return countOf(index * kStations + station);
}

bool showsGreen(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) == 0x00FF00) {
                return true;
            }
        }
    }
    return false;
}

clsLineGraph chartOf(PictureSurface &surface, std::shared_ptr<ChartValues> values)
{
    clsLineGraph graph;
    graph.setPictureBox(&surface);
    graph.setDataCollection(std::move(values));
    graph.setMax_Height(1000);
    graph.setPicForeground(kGreen);
    graph.setGridColor(8421376);
    graph.setGridVisible(true);
    return graph;
}

} // namespace

void choose(QComboBox &combo, int index)
{
    combo.showPopup();
    QAbstractItemView *list = combo.view();
    list->setCurrentIndex(list->model()->index(index, 0));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(list, &enter);
}

QString stationName(int index)
{
    return QStringLiteral("station%1").arg(index + 1, 2, 10, QLatin1Char('0'));
}

qint32 countOf(int record)
{
    return qint32((qint64(record) * 7919) % 1000);
}

void fillHistory(ListenerHistory &history)
{
    QStringList names;
    for (int i = 0; i < kStations; ++i) {
        names << stationName(i);
    }
    for (int i = 0; i < kRecords; ++i) {
        history.add_history(names[i % kStations], countOf(i));
    }
}

Choices timeChoices(frmGraph &window, const ListenerHistory &history, int rounds)
{
    Choices result;
    auto *combo = window.findChild<QComboBox *>(QStringLiteral("Combo_stations"));
    if (!combo || combo->count() != kStations + 1) {
        result.failure = "the window does not list the stations";
        return result;
    }
    for (int round = 0; round < rounds; ++round) {
        for (int station = 0; station < kStations; ++station) {
            QElapsedTimer timer;
            timer.start();
            choose(*combo, station + 1);
            result.choiceMs.push_back(elapsedMs(timer));
            // The curve starts at the first of the counts the chart ends with.
            if (!window.isFilling() ||
                window.chartValues() !=
                    ChartValues{double(stationCount(station, kPerStation - kShown))}) {
                result.failure = "choosing " + stationName(station).toLatin1() +
                                 " did not start its curve with its first count to stay";
                return result;
            }
            timer.restart();
            const std::vector<qint32> counts = history.counts(stationName(station));
            result.countsMs.push_back(elapsedMs(timer));
            if (counts.size() != std::size_t(kPerStation)) {
                result.failure = "the history lost records of " + stationName(station).toLatin1();
                return result;
            }
        }
    }
    return result;
}

Completions timeCompletions(frmGraph &window, int stations)
{
    Completions result;
    auto *combo = window.findChild<QComboBox *>(QStringLiteral("Combo_stations"));
    if (!combo) {
        result.failure = "the window has no station list";
        return result;
    }
    for (int station = 0; station < stations; ++station) {
        QElapsedTimer timer;
        timer.start();
        choose(*combo, station + 1);
        while (window.isFilling() && timer.elapsed() < kCompletionLimitMs) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        result.completeMs.push_back(elapsedMs(timer));
        if (window.isFilling()) {
            result.failure = "the chart of " + stationName(station).toLatin1() +
                             " was not complete within " +
                             QByteArray::number(kCompletionLimitMs / 1000) + " s";
            return result;
        }
        ChartValues newest;
        for (int i = kPerStation - kShown; i < kPerStation; ++i) {
            newest.push_back(stationCount(station, i));
        }
        if (window.chartValues() != newest) {
            result.failure = "the chart of " + stationName(station).toLatin1() +
                             " did not end with its newest " + QByteArray::number(kShown) +
                             " counts";
            return result;
        }
    }
    return result;
}

Draws timeDraws(int runs)
{
    Draws result;
    auto values = std::make_shared<ChartValues>();
    for (int i = 0; i < clsLineGraph::kPoints; ++i) {
        values->push_back(countOf(i));
    }
    ChartPicture picture;
    picture.setBorderStyle(0);
    picture.resize(kChartWidth, kChartHeight);
    clsLineGraph onPicture = chartOf(picture, values);
    CountingSurface counting;
    clsLineGraph onCounting = chartOf(counting, values);
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        onPicture.Draw();
        result.pictureMs.push_back(elapsedMs(timer));
        timer.restart();
        onCounting.Draw();
        result.arithmeticMs.push_back(elapsedMs(timer));
    }
    if (picture.picture().size() !=
            QSize(kChartWidth, kChartHeight) * picture.devicePixelRatioF() ||
        !showsGreen(picture.picture())) {
        result.failure = "the chart widget shows no curve";
    } else if (counting.lines != clsLineGraph::kPoints || counting.rectangles != 30) {
        result.failure = "the chart did not draw 100 lines over a grid of 30 lines";
    }
    return result;
}

} // namespace GraphBench
