// SPDX-License-Identifier: MIT
#include "ChartPicture.h"
#include "Clock.h"
#include "ListenerHistory.h"
#include "frmGraph.h"

#include <QComboBox>
#include <QLabel>
#include <QScreen>
#include <QTest>

#include <algorithm>
#include <numeric>

using namespace Qt::StringLiterals;

namespace {

bool showsColour(const ChartPicture &chart, QRgb colour)
{
    const QImage image = chart.picture().convertToFormat(QImage::Format_RGB32);
    const auto *pixels = reinterpret_cast<const QRgb *>(image.constBits());
    const qsizetype count = image.sizeInBytes() / qsizetype(sizeof(QRgb));
    return std::find(pixels, pixels + count, colour) != pixels + count;
}

} // namespace

class TestGraph : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void promptAndEmptyStationShowNoCurve();
    void curveEndsWithTheNewest100();
    void sizeFollowsTheWindow();

private:
    QString label(const QString &name) { return m_window->findChild<QLabel *>(name)->text(); }
    const ChartPicture &chart() { return *m_window->findChild<ChartPicture *>(u"PIC1"_s); }
    void choose(const QString &station) { m_combo->setCurrentIndex(m_combo->findText(station)); }

    SystemClock m_clock;
    ListenerHistory m_history{m_clock};
    std::unique_ptr<frmGraph> m_window;
    QComboBox *m_combo = nullptr;
};

void TestGraph::init()
{
    m_history.init_history();
    // Another station's records in between, and the name in another letter case.
    for (int i = 0; i < 250; ++i) {
        m_history.add_history(u"Alpha"_s, 1000 + i);
        if (i < 3) {
            m_history.add_history(u"beta"_s, 7 + i);
        }
    }
    const auto max = [](const QString &name) { return name == u"alpha"_s ? 1300 : 0; };
    const auto min = [](const QString &name) { return name == u"alpha"_s ? 990 : 0; };
    m_window.reset(new frmGraph({m_history,
                                 [] {
                                     return QStringList{u"alpha"_s, u"beta"_s, u"gamma"_s};
                                 },
                                 max, min}));
    m_combo = m_window->findChild<QComboBox *>(u"Combo_stations"_s);
}

void TestGraph::promptAndEmptyStationShowNoCurve()
{
    QCOMPARE(m_window->windowTitle(), u"Statistik"_s);
    QCOMPARE(label(u"Label1"_s), u"Hörerzahl Minimum:"_s);
    QCOMPARE(label(u"Label2"_s), u"Hörerzahl Maximum:"_s);
    QCOMPARE(m_combo->count(), 4);
    QCOMPARE(m_combo->itemText(0), u"Bitte eine Station auswählen:"_s);
    QCOMPARE(m_combo->itemData(0).toInt(), -1);
    QCOMPARE(m_combo->itemData(3).toInt(), 2);

    // Back to the prompt while a curve grows: 0 and 0 and a chart of only the grid.
    choose(u"alpha"_s);
    QCOMPARE(label(u"Label_max"_s), u"1300"_s);
    choose(u"Bitte eine Station auswählen:"_s);
    QVERIFY(!m_window->isFilling());
    QCOMPARE(label(u"Label_min"_s) + label(u"Label_max"_s), u"00"_s);
    QVERIFY(m_window->chartValues().empty());
    QVERIFY(showsColour(chart(), qRgb(0, 128, 128)));
    QVERIFY(!showsColour(chart(), qRgb(0, 255, 0)));

    choose(u"gamma"_s);
    QVERIFY(!m_window->isFilling());
    QVERIFY(m_window->chartValues().empty());
}

void TestGraph::curveEndsWithTheNewest100()
{
    // A choice in the middle of a curve ends it: the chart never mixes two stations.
    choose(u"alpha"_s);
    QTest::qWait(5 * frmGraph::kFillIntervalMs);
    choose(u"beta"_s);
    QTRY_VERIFY(!m_window->isFilling());
    QCOMPARE(m_window->chartValues(), (ChartValues{7, 8, 9}));

    choose(u"alpha"_s);
    QCOMPARE(label(u"Label_min"_s) + u' ' + label(u"Label_max"_s), u"990 1300"_s);
    QCOMPARE(m_window->chartValues(), ChartValues{1000});
    QTRY_VERIFY_WITH_TIMEOUT(!m_window->isFilling(), 20000);
    ChartValues newest(100);
    std::iota(newest.begin(), newest.end(), 1150);
    QCOMPARE(m_window->chartValues(), newest);
    QVERIFY(showsColour(chart(), qRgb(0, 255, 0)));
}

void TestGraph::sizeFollowsTheWindow()
{
    if (QGuiApplication::primaryScreen()->logicalDotsPerInchX() != 96) {
        QSKIP("the expected sizes are for 96 DPI, 15 twips a pixel");
    }
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    // Outer sizes, frame included. The chart keeps 500 twips of the outer width beside it
    // and 700 of the outer height below it.
    const QSize frame = m_window->frameGeometry().size() - m_window->size();
    m_window->resize(QSize(1, 1));
    QCOMPARE(m_window->frameGeometry().size(), QSize(370, 207)); // 5550 x 3100 twips
    QCOMPARE(chart().geometry(), QRect(8, 88, 337, 72));
    m_window->resize(QSize(4000, 4000) - frame);
    QCOMPARE(chart().geometry(), QRect(8, 88, 3967, 3865));
}

QTEST_MAIN(TestGraph)
#include "tst_graph.moc"
