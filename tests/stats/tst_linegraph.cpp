// SPDX-License-Identifier: MIT
#include "PictureSurface.h"
#include "clsLineGraph.h"

#include <QLineF>
#include <QSet>
#include <QTest>

#include <numeric>

namespace {

// Records the chart's calls; starts with drawing not kept, in twips and another background.
class RecordingSurface final : public PictureSurface
{
public:
    RecordingSurface(double width, double height, int frame) : w(width), h(height), style(frame) {}

    bool persistentDrawing() const override { return persistent; }
    void setPersistentDrawing(bool on) override { persistent = on; }
    void clear() override
    {
        lines.clear();
        rectangles.clear();
    }
    int borderStyle() const override { return style; }
    bool pixelCoordinates() const override { return pixels; }
    void setPixelCoordinates() override { pixels = true; }
    double innerWidth() const override { return pixels ? w : w * 15; }
    double innerHeight() const override { return pixels ? h : h * 15; }
    qint32 background() const override { return colour; }
    void setBackground(qint32 c) override { colour = c; }
    void line(PicturePoint a, PicturePoint b, qint32 c) override
    {
        lines.append({a.x, a.y, b.x, b.y});
        lineColours.insert(c);
    }
    void rectangle(PicturePoint a, PicturePoint b, qint32 c) override
    {
        rectangles.append({{a.x, a.y, b.x, b.y}, c});
    }

    double w, h;
    int style;
    bool persistent = false;
    bool pixels = false;
    qint32 colour = 0xFFFFFF;
    QList<QLineF> lines;
    QSet<qint32> lineColours;
    QList<std::pair<QLineF, qint32>> rectangles; // corner to opposite corner, colour
};

constexpr qint32 kLine = 65280, kGrid = 8421376, kBorder = 255, kBackground = 0x102030;

std::shared_ptr<ChartValues> draw(RecordingSurface &surface, ChartValues values, qint32 maxHeight,
                                  qint16 border, bool grid)
{
    auto shared = std::make_shared<ChartValues>(std::move(values));
    clsLineGraph graph;
    graph.setPictureBox(&surface);
    graph.setDataCollection(shared);
    graph.setMax_Height(maxHeight);
    graph.setBorderSize(border);
    graph.setGridVisible(grid);
    graph.setPicForeground(kLine);
    graph.setGridColor(kGrid);
    graph.setBorderColor(kBorder);
    graph.setPicBackground(kBackground);
    graph.Draw();
    return shared;
}

ChartValues ramp(int from, int count)
{
    ChartValues values(std::size_t(count), 0);
    std::iota(values.begin(), values.end(), from);
    return values;
}

} // namespace

class TestLineGraph : public QObject
{
    Q_OBJECT

private slots:
    void frameWithoutValues()
    {
        // Border 2 is three nested rectangles, then grid columns of (200 - 4) / 20 pixels
        // and rows of (100 - 4) / 10, all from (2, 2).
        RecordingSurface surface(200, 100, 1);
        draw(surface, {}, 0, 2, true);
        QVERIFY(surface.persistent && surface.pixels);
        QCOMPARE(surface.colour, kBackground);
        QVERIFY(surface.lines.isEmpty());
        QCOMPARE(surface.rectangles.size(), 3 + 20 + 10);
        const auto rect = [&](qsizetype i) { return surface.rectangles[i]; };
        QCOMPARE(rect(0), std::pair(QLineF(0, 0, 199, 99), kBorder));
        QCOMPARE(rect(2), std::pair(QLineF(2, 2, 197, 97), kBorder));
        QCOMPARE(rect(3), std::pair(QLineF(2, 2, 9.8f, 96), kGrid));
        QCOMPARE(rect(22), std::pair(QLineF(2, 2, 196, 96), kGrid));
        QCOMPARE(rect(23), std::pair(QLineF(2, 2, 196, 9.6f), kGrid));
        QCOMPARE(rect(32), std::pair(QLineF(2, 2, 196, 96), kGrid));

        RecordingSurface bare(200, 100, 1);
        draw(bare, {}, 0, 0, false);
        QVERIFY(bare.rectangles.isEmpty());
    }

    void curve_data()
    {
        QTest::addColumn<ChartValues>("values");
        QTest::addColumn<qint32>("maxHeight");
        QTest::addColumn<qint16>("border");
        QTest::addColumn<QList<QLineF>>("firstLines");
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<ChartValues>("kept");

        // 1000 x 300 pixels inside the border: 10 px per value, 3 px per unit on the 0..100
        // scale. Points left of or above the border move onto it.
        QTest::newRow("three values from x = 2")
            << ChartValues{10, 50, 100} << 100 << qint16(0)
            << QList<QLineF>{{2, 270, 2, 270}, {2, 270, 12, 150}, {12, 150, 22, 0}} << 3
            << ChartValues{10, 50, 100};
        QTest::newRow("above max_Height rests on the top edge")
            << ChartValues{250, 600} << 500 << qint16(5)
            << QList<QLineF>{{7, 150, 5, 150}, {5, 150, 12, 5}} << 2 << ChartValues{250, 600};
        QTest::newRow("150 values: the oldest 50 leave the caller's collection")
            << ramp(0, 150) << 200 << qint16(5)
            << QList<QLineF>{{7, 225, 5, 225}, {5, 225, 12, 223.5}} << 100 << ramp(50, 100);
    }

    void curve()
    {
        QFETCH(ChartValues, values);
        QFETCH(qint32, maxHeight);
        QFETCH(qint16, border);
        QFETCH(QList<QLineF>, firstLines);
        QFETCH(int, lineCount);
        QFETCH(ChartValues, kept);

        RecordingSurface surface(1000 + 2 * border, 300 + 2 * border, 0);
        const auto shared = draw(surface, values, maxHeight, border, false);
        QCOMPARE(surface.lines.size(), lineCount);
        QCOMPARE(surface.lines.first(firstLines.size()), firstLines);
        QCOMPARE(surface.lineColours, QSet<qint32>{kLine});
        QCOMPARE(*shared, kept);
    }
};

QTEST_GUILESS_MAIN(TestLineGraph)
#include "tst_linegraph.moc"
