// SPDX-License-Identifier: MIT
#include "ChartPicture.h"
#include "Clock.h"
#include "ListenerHistory.h"
#include "TestTime.h"
#include "frmGraph.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

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
    void init()
    {
        m_history.init_history();
        // Another station's records in between, and the name in another case.
        for (int i = 0; i < 250; ++i) {
            m_history.add_history(u"Alpha"_s, 1000 + i);
            if (i < 3) {
                m_history.add_history(u"beta"_s, 7 + i);
            }
        }
        m_alphaMax = 1300;
        openWindow(m_history);
    }

    void labelsPromptAndEmptyStation()
    {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QCOMPARE(m_window->windowTitle(), u"Statistik"_s);
        QCOMPARE(label(u"Label1"_s), u"Hörerzahl Minimum:"_s);
        QCOMPARE(label(u"Label2"_s), u"Hörerzahl Maximum:"_s);
        QCOMPARE(m_combo->count(), 4);
        QCOMPARE(m_combo->itemText(0), u"Bitte eine Station auswählen:"_s);

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

    void longHistoryAnimatesOnlyWhatStays_data()
    {
        QTest::addColumn<int>("records");
        QTest::newRow("one") << 1;
        QTest::newRow("a full chart") << 100;
        QTest::newRow("one more than fits") << 101;
    }

    // The curve grows through the newest 100 counts only and ends as one fed only those.
    void longHistoryAnimatesOnlyWhatStays()
    {
        QFETCH(int, records);
        ListenerHistory longRun(m_clock);
        ListenerHistory lastOnly(m_clock);
        const int shown = std::min(records, 100);
        for (int i = 0; i < records; ++i) {
            const qint32 count = (i * 37) % 1400;
            longRun.add_history(u"alpha"_s, count);
            longRun.add_history(u"beta"_s, 5);
            if (i >= records - shown) {
                lastOnly.add_history(u"alpha"_s, count);
            }
        }
        openWindow(lastOnly);
        choose(u"alpha"_s);
        QTRY_VERIFY_WITH_TIMEOUT(!m_window->isFilling(), TestTime::patience());
        const QImage expected = chart().picture();
        const ChartValues expectedValues = m_window->chartValues();
        QCOMPARE(expectedValues.size(), std::size_t(shown));

        openWindow(longRun);
        auto *timer = m_window->findChild<QTimer *>(u"fillTimer"_s);
        QVERIFY(timer);
        QSignalSpy steps(timer, &QTimer::timeout);
        choose(u"alpha"_s);
        QCOMPARE(m_window->chartValues(), ChartValues{expectedValues.front()});
        // 100 steps of 10 ms take a second.
        QTRY_VERIFY_WITH_TIMEOUT(!m_window->isFilling(), TestTime::patience());
        QCOMPARE(m_window->chartValues(), expectedValues);
        QCOMPARE(chart().picture(), expected);
        QCOMPARE(steps.size(), shown - 1);
    }

    void secondChoice_data()
    {
        QTest::addColumn<QString>("station");
        QTest::addColumn<bool>("whileGrowing");
        QTest::addColumn<ChartValues>("values");
        QTest::addColumn<QString>("highest");
        ChartValues newest(100);
        std::iota(newest.begin(), newest.end(), 1151);
        newest.back() = 1400;
        // The chart never mixes two stations.
        QTest::newRow("another station while the curve grows")
            << u"beta"_s << true << ChartValues{7, 8, 9} << u"0"_s;
        QTest::newRow("the same after the curve is complete")
            << u"alpha"_s << false << newest << u"1400"_s;
        QTest::newRow("the same while the curve grows")
            << u"alpha"_s << true << newest << u"1400"_s;
    }

    void secondChoice()
    {
        QFETCH(QString, station);
        QFETCH(bool, whileGrowing);
        choose(u"alpha"_s);
        if (!whileGrowing) {
            QTRY_VERIFY_WITH_TIMEOUT(!m_window->isFilling(), TestTime::patience());
        }
        QCOMPARE(m_window->isFilling(), whileGrowing);
        m_history.add_history(u"alpha"_s, 1400);
        m_alphaMax = 1400;

        choose(station);
        QTEST(label(u"Label_max"_s), "highest");
        QTRY_VERIFY_WITH_TIMEOUT(!m_window->isFilling(), TestTime::patience());
        QTEST(m_window->chartValues(), "values");
    }

private:
    QString label(const QString &name) { return m_window->findChild<QLabel *>(name)->text(); }
    const ChartPicture &chart() { return *m_window->findChild<ChartPicture *>(u"PIC1"_s); }

    // As the user does it: open the list, move to the entry and take it.
    void choose(const QString &station)
    {
        m_combo->showPopup();
        QAbstractItemView *list = m_combo->view();
        list->setCurrentIndex(list->model()->index(m_combo->findText(station), 0));
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(!list->isVisible());
    }

    void openWindow(const ListenerHistory &history)
    {
        const auto max = [this](const QString &name) {
            return name == u"alpha"_s ? m_alphaMax : 0;
        };
        const auto min = [](const QString &name) { return name == u"alpha"_s ? 990 : 0; };
        m_window.reset(new frmGraph({history,
                                     [] {
                                         return QStringList{u"alpha"_s, u"beta"_s, u"gamma"_s};
                                     },
                                     max, min}));
        m_combo = m_window->findChild<QComboBox *>(u"Combo_stations"_s);
    }

    SystemClock m_clock;
    ListenerHistory m_history{m_clock};
    std::unique_ptr<frmGraph> m_window;
    QComboBox *m_combo = nullptr;
    qint32 m_alphaMax = 1300; // what the station table says
};

QTEST_MAIN(TestGraph)
#include "tst_graph.moc"
