// SPDX-License-Identifier: MIT
#include "ChartPicture.h"
#include "Clock.h"
#include "ListenerHistory.h"
#include "TestTime.h"
#include "frmGraph.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>

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
        // Another station's records in between, and the name in another letter case.
        for (int i = 0; i < 250; ++i) {
            m_history.add_history(u"Alpha"_s, 1000 + i);
            if (i < 3) {
                m_history.add_history(u"beta"_s, 7 + i);
            }
        }
        m_alphaMax = 1300;
        m_maxAsked = 0;
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

        // Caption and value start at the same top, however tall each label is: "Hö" and "0"
        // of one face differ by the umlaut's dots at most.
        const QImage picture = m_window->grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (const auto &[caption, value] :
             {std::pair(u"Label1"_s, u"Label_min"_s), std::pair(u"Label2"_s, u"Label_max"_s)}) {
            const int captionTop = textTop(picture, caption);
            const int valueTop = textTop(picture, value);
            QVERIFY2(captionTop >= 0 && valueTop >= 0 && std::abs(captionTop - valueTop) <= 1,
                     qPrintable(u"%1: %2 against %3"_s.arg(caption).arg(captionTop).arg(valueTop)));
        }
    }

    void longHistoryAnimatesOnlyWhatStays_data()
    {
        QTest::addColumn<int>("records");
        QTest::newRow("one") << 1;
        QTest::newRow("a full chart") << 100;
        QTest::newRow("one more than fits") << 101;
        QTest::newRow("a day of polls a minute") << 1440;
        QTest::newRow("a day of polls a second") << 86400;
    }

    // However long the history, the curve grows through the newest 100 counts only, and the
    // chart ends exactly as one fed only those would.
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
        // Guards against a hang only: 100 steps of 10 ms take a second.
        QTRY_VERIFY_WITH_TIMEOUT(!m_window->isFilling(), TestTime::patience());
        QCOMPARE(m_window->chartValues(), expectedValues);
        QCOMPARE(chart().picture(), expected);
        // The first point comes with the choice, every further one with a step.
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
        // A choice in the middle of a curve ends it: the chart never mixes two stations.
        QTest::newRow("another station while the curve grows")
            << u"beta"_s << true << ChartValues{7, 8, 9} << u"0"_s;
        // The station shown, chosen again, shows its newest counts, curve and highest.
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
        // One run of the handler per choice, though the list signals a change and a choice.
        QCOMPARE(m_maxAsked, 2);
        QTEST(label(u"Label_max"_s), "highest");
        QTRY_VERIFY_WITH_TIMEOUT(!m_window->isFilling(), TestTime::patience());
        QTEST(m_window->chartValues(), "values");
    }

    void firstOpeningChartFillsTheWindow_data()
    {
        QTest::addColumn<bool>("framedLater");
        QTest::newRow("framed as it opens") << false;
        // As an X11 window manager does: it frames the window after it is shown, which
        // moves the window but does not resize it.
        QTest::newRow("framed after it opens") << true;
    }

    // The chart takes the outer height, frame included, from the first opening on: its
    // bottom lies 700 twips (46.67 px) above the window's outer bottom, and it is 500 twips
    // (33.33 px) narrower than the outer width.
    void firstOpeningChartFillsTheWindow()
    {
        QFETCH(bool, framedLater);
        if (QGuiApplication::primaryScreen()->logicalDotsPerInchX() != 96 ||
            QGuiApplication::primaryScreen()->logicalDotsPerInchY() != 96) {
            QSKIP("the expected sizes are for 96 DPI, 15 twips a pixel");
        }
        m_window->setWindowFlag(Qt::FramelessWindowHint, framedLater);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        if (framedLater) {
            m_window->hide();
            m_window->setWindowFlag(Qt::FramelessWindowHint, false);
            m_window->windowHandle()->destroy();
            m_window->show();
            QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        }
        const QSize outer = m_window->frameGeometry().size();
        QVERIFY2(outer != m_window->size(), "the platform gives the window no frame");
        QCOMPARE(m_window->size(), QSize(639, 207)); // 9585 x 3105 twips
        QCOMPARE(chart().geometry(), QRect(8, 88, qRound(outer.width() - 500 / 15.0),
                                           qRound(outer.height() - 2020 / 15.0)));

        // Later sizes are followed too, down to the smallest outer size of 5550 x 3100 twips.
        const QSize frame = outer - m_window->size();
        m_window->resize(QSize(1, 1));
        QCOMPARE(m_window->frameGeometry().size(), QSize(370, 207));
        QCOMPARE(chart().geometry(), QRect(8, 88, 337, 72));
        m_window->resize(QSize(4000, 4000) - frame);
        QCOMPARE(chart().geometry(), QRect(8, 88, 3967, 3865));
    }

private:
    QString label(const QString &name) { return m_window->findChild<QLabel *>(name)->text(); }
    const ChartPicture &chart() { return *m_window->findChild<ChartPicture *>(u"PIC1"_s); }

    // The first row of the window's picture on which the label draws.
    int textTop(const QImage &window, const QString &name)
    {
        const QRect area = m_window->findChild<QLabel *>(name)->geometry();
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                if ((window.pixel(x, y) & 0xFFFFFF) != 0) {
                    return y;
                }
            }
        }
        return -1;
    }

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
            ++m_maxAsked;
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
    // What the station table says, and how often the window asked for the highest count
    // (once per run of its choice handler).
    qint32 m_alphaMax = 1300;
    int m_maxAsked = 0;
};

QTEST_MAIN(TestGraph)
#include "tst_graph.moc"
