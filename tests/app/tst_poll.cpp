// SPDX-License-Identifier: MIT
#include "SimWorld.h"

using namespace Qt::StringLiterals;

namespace {

using Reply = PlatformSimulator::ListenerReply;
using Fault = PlatformSimulator::Fault;

Reply answer(QByteArray body, int status = 200)
{
    return {.body = std::move(body), .status = status};
}

// "<prefix>0;<prefix>1;...", n names.
QByteArray numbered(const char *prefix, int n)
{
    QByteArrayList names;
    for (int i = 0; i < n; ++i) {
        names << prefix + QByteArray::number(i);
    }
    return names.join(';');
}

struct World : SimWorld
{
    using SimWorld::SimWorld;

    // "check", "refresh", "reload", or "reload:<stations>" after saving that station list.
    void act(const QString &step)
    {
        if (step == u"check") {
            form.check_stations();
        } else if (step == u"refresh") {
            form.refresh_now();
        } else {
            if (step.startsWith(u"reload:")) {
                writeIni("stations=" + step.mid(7).toUtf8() + "\r\nonly_changes=1\r\n");
            }
            form.Load_Konfig();
        }
    }
};

} // namespace

class TestPoll : public QObject
{
    Q_OBJECT

private slots:
    void layouts_data()
    {
        QTest::addColumn<QByteArray>("keys");
        QTest::addColumn<QString>("text");
        QTest::newRow("side by side") << QByteArray("stations=alpha;beta;gamma\r\nhorizontal=1\r\n")
                                      << u"ALPHA : 0057 -- BETA: 0003 -- GAMMA: 0120"_s;
        QTest::newRow("sharp s") << QByteArray("stations=straße\r\n") << u"STRAßE : 0000"_s;
    }

    void layouts()
    {
        QFETCH(QByteArray, keys);
        World w(keys);
        w.sim.setCount(u"alpha"_s, 57);
        w.sim.setCount(u"beta"_s, 3);
        w.sim.setCount(u"gamma"_s, 120);
        QVERIFY(w.start());
        QTEST(w.display.texts.join(u'|'), "text");
    }

    void onlyChangesMinimumMaximumAndHistory()
    {
        World w("stations=alpha;beta;gamma\r\nonly_changes=1\r\n");
        // The first station answers last; results are still applied in list order.
        w.sim.setListenerReply(u"alpha"_s, {.count = 57, .delayMs = 300});
        w.sim.setCount(u"beta"_s, 3);
        w.sim.setCount(u"gamma"_s, 120);
        QVERIFY(w.start());
        // After a rebuild every count starts at 0: every station is a change.
        QCOMPARE(w.display.texts,
                 (QStringList{u"ALPHA : 0057 +0057"_s, u"ALPHA : 0057 +0057\r\nBETA: 0003 +0003"_s,
                              u"ALPHA : 0057 +0057\r\nBETA: 0003 +0003\r\nGAMMA: 0120 +0120"_s}));

        w.display.texts.clear();
        w.sim.setCount(u"beta"_s, 5);
        w.sim.setCount(u"gamma"_s, 116);
        QVERIFY(w.poll());
        QCOMPARE(w.display.texts, (QStringList{u"BETA : 0005 +0002"_s,
                                               u"BETA : 0005 +0002\r\nGAMMA: 0116  -0004"_s}));
        const station_entry &gamma = w.form.stations().at(2);
        QCOMPARE(gamma.min_listeners, 116);
        QCOMPARE(gamma.max_listeners, 120);
        QCOMPARE(gamma.last_count, 120);
        QCOMPARE(gamma.count, 116);
        QStringList records;
        w.form.history().forEach([&records](const HistoryRecord &r) {
            records << r.station + u'=' + QString::number(r.count);
        });
        QCOMPARE(records, (QStringList{u"alpha=57"_s, u"beta=3"_s, u"gamma=120"_s, u"alpha=57"_s,
                                       u"beta=5"_s, u"gamma=116"_s}));

        w.display.texts.clear();
        QVERIFY(w.poll());
        QVERIFY(w.display.texts.isEmpty());
    }

    void oddAnswers_data()
    {
        QTest::addColumn<Reply>("reply");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("count");

        const auto moved = [](int status, QByteArray location) {
            return Reply{.status = status, .location = std::move(location)};
        };
        QTest::newRow("negative") << answer("-2") << u"-0002"_s << -2;
        QTest::newRow("fraction rounds") << answer("12.7") << u"0013"_s << 13;
        QTest::newRow("too long for 32 bits")
            << answer("99999999999") << u"99999999999"_s << 2147483647;
        QTest::newRow("not a number") << answer("viele") << u"viele"_s << 0;
        QTest::newRow("leading digits") << answer("12 Hörer") << u"12 HÃ¶rer"_s << 12;
        QTest::newRow("tiny exponent") << answer("5e-400") << u"5e-400"_s << 0;
        QTest::newRow("404 with html") << answer("<html>404</html>", 404) << u""_s << 0;
        QTest::newRow("empty body") << answer("") << u""_s << 0;
        QTest::newRow("64 KiB body") << answer("7" + QByteArray(65535, ' ')) << u"0007"_s << 7;
        QTest::newRow("64 KiB and one byte") << answer("7" + QByteArray(65536, ' ')) << u""_s << 0;
        QTest::newRow("moved") << moved(302, "/station/beta/listeners") << u"0008"_s << 8;
        QTest::newRow("moved in a circle") << moved(301, "/station/alpha/listeners") << u""_s << 0;
    }

    void oddAnswers()
    {
        QFETCH(Reply, reply);
        QFETCH(QString, shown);
        QFETCH(int, count);
        World w("stations=alpha\r\n");
        w.sim.setListenerReply(u"alpha"_s, reply);
        w.sim.setCount(u"beta"_s, 8);
        QVERIFY(w.start());
        QCOMPARE(w.display.texts, QStringList{u"ALPHA : "_s + shown});
        QCOMPARE(w.form.stations().at(0).count, count);
        QCOMPARE(w.form.stations().at(0).min_listeners, std::min(count, 999999));
        QCOMPARE(w.form.history().size(), 1);
    }

    void namesStayInTheirPathSegment()
    {
        World w("stations=a b;x/../y;é?#;.;..\r\n");
        w.sim.setCount(u"x/../y"_s, 4);
        QVERIFY(w.start());
        // "." and ".." cannot be sent as a segment at all; they fail like a dead server.
        QCOMPARE(w.display.get_text(), u"A B : 0000\r\nX/../Y: 0004\r\nÉ?#: 0000\r\n.: \r\n..: "_s);
        QCOMPARE(w.sim.requestLog().size(), 3);
        QCOMPARE(w.requestsFor(u"a%20b"_s), 1);
        QCOMPARE(w.requestsFor(u"x%2F..%2Fy"_s), 1);
        QCOMPARE(w.requestsFor(u"%C3%A9%3F%23"_s), 1);
    }

    void refreshShowsAllThenBlanks()
    {
        World w("stations=alpha;beta\r\nonly_changes=1\r\nchanges_visible_in_seconds=1\r\n");
        w.sim.setCount(u"alpha"_s, 4);
        w.sim.setCount(u"beta"_s, 9);
        QVERIFY(w.start());
        // Blanked after a second by the timer alone, on a slow machine before start() returns.
        QCOMPARE(w.display.texts.value(1), u"ALPHA : 0004 +0004\r\nBETA: 0009 +0009"_s);
        QTRY_COMPARE_WITH_TIMEOUT(w.display.get_text(), QString(), TestTime::patience());

        w.display.texts.clear();
        w.form.refresh_now();
        QVERIFY(w.settle());
        QCOMPARE(w.display.texts.value(0), u"ALPHA : 0004\r\nBETA: 0009"_s);
        QVERIFY(w.form.konfig().only_changes);
        QTRY_COMPARE_WITH_TIMEOUT(w.display.get_text(), QString(), TestTime::patience());
    }

    void requestsDuringAPoll_data()
    {
        QTest::addColumn<QString>("steps"); // the first starts a poll; the rest run during it
        QTest::addColumn<QString>("texts"); // shown after the first poll, joined with |
        QTest::addColumn<int>("alphaRequests");
        QTest::addColumn<int>("records");
        // The one poll that follows is the full one the refresh asked for.
        QTest::newRow("checks and a refresh coalesce")
            << u"check refresh check"_s << u"ALPHA : 0003"_s << 3 << 3;
        QTest::newRow("reload during a refresh keeps the refresh")
            << u"refresh reload"_s << u"ALPHA : 0003"_s << 3 << 2;
        QTest::newRow("reload abandons the poll")
            << u"check reload:beta"_s << u"BETA : 0002 +0002"_s << 2 << 2;
    }

    void requestsDuringAPoll()
    {
        QFETCH(QString, steps);
        QFETCH(int, alphaRequests);
        // Changes stay on show, and the poll runs on past the steps, on a loaded machine too.
        World w("stations=alpha\r\nonly_changes=1\r\nchanges_visible_in_seconds=3600\r\n");
        w.sim.setListenerReply(u"alpha"_s, {.count = 3, .delayMs = TestTime::ms(1500)});
        w.sim.setCount(u"beta"_s, 2);
        QVERIFY(w.start());
        w.display.texts.clear();
        QStringList list = steps.split(u' ');
        w.act(list.takeFirst());
        // The running poll's request has reached the server before anything else happens.
        QTRY_COMPARE_WITH_TIMEOUT(w.requestsFor(u"alpha"_s), 2, TestTime::patience());
        for (const QString &step : list) {
            w.act(step);
        }
        QVERIFY(w.tray.busy);
        // Then every answer, an abandoned one too, has its chance to show.
        QTRY_COMPARE_WITH_TIMEOUT(w.requestsFor(u"alpha"_s), alphaRequests, TestTime::patience());
        QVERIFY(w.drain());
        QTEST(w.display.texts.join(u'|'), "texts");
        QCOMPARE(w.requestsFor(u"alpha"_s), alphaRequests);
        QTEST(int(w.form.history().size()), "records");
    }

    void pollStartedInsideTheDisplay_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("finalText");
        QTest::addColumn<int>("requestsForA");
        QTest::newRow("settings reloaded") << u"reload:c"_s << u"C : 0003 +0003"_s << 1;
        QTest::newRow("refresh") << u"refresh"_s << u"A : 0001\r\nB: 0002"_s << 2;
    }

    // The display runs the event loop while it draws, and inside it a new poll begins and
    // gets its answers while the first poll's drawing is still on the stack.
    void pollStartedInsideTheDisplay()
    {
        QFETCH(QString, step);
        QFETCH(int, requestsForA);
        World w("stations=a;b\r\nonly_changes=1\r\n");
        w.sim.setCount(u"a"_s, 1);
        w.sim.setCount(u"b"_s, 2);
        w.sim.setCount(u"c"_s, 3);
        int calls = 0;
        w.display.whileShowing = [&] {
            if (calls++ == 0) {
                w.act(step);
                // Not a bound: on a slow machine more of the new poll runs after the drawing.
                QTest::qWait(300);
            }
        };
        QVERIFY(w.start());
        QTRY_COMPARE_WITH_TIMEOUT(w.requestsFor(u"a"_s), requestsForA, TestTime::patience());
        QVERIFY(w.settle());
        QTEST(w.display.get_text(), "finalText");
        // The poll queue is free again.
        const QString last = step == u"reload:c" ? u"c"_s : u"a"_s;
        const int before = w.requestsFor(last);
        QVERIFY(w.poll());
        QCOMPARE(w.requestsFor(last), before + 1);
    }

    void manyStations_data()
    {
        QTest::addColumn<int>("stations");
        QTest::addColumn<int>("limitMs");
        QTest::addColumn<int>("delayMs");
        QTest::addColumn<int>("minPeak"); // requests the server answered at the same moment
        QTest::addColumn<int>("maxPeak");
        QTest::newRow("quick answers")
            << 200 << TestTime::ms(8000) << 20 << 2 << WebDownloader::kMaxParallel;
        // Past the quarter of the limit that gives up a place; all together far longer
        // than the limit, none late on its own.
        const int limitMs = TestTime::ms(1600);
        QTest::newRow("answers of half the limit")
            << 60 << limitMs << limitMs / 2 << WebDownloader::kMaxParallel + 1
            << WebDownloader::kMaxConnections;
    }

    void manyStations()
    {
        QFETCH(int, stations);
        QFETCH(int, limitMs);
        QFETCH(int, delayMs);
        World w("stations=" + numbered("s", stations) + "\r\n", limitMs);
        w.sim.setDefaultListenerReply({.count = 7, .delayMs = delayMs});
        QVERIFY(w.start());
        for (int i = 0; i < stations; ++i) {
            QCOMPARE(w.form.stations().at(i).count, 7);
        }
        QCOMPARE(w.display.texts.size(), 1);
        QCOMPARE(w.display.texts[0].count(u"\r\n"_s), stations - 1);
        QVERIFY(w.display.texts[0].endsWith(u": 0007"_s));
        const int peak = w.sim.peakConcurrentRequests();
        QFETCH(int, minPeak);
        QFETCH(int, maxPeak);
        QVERIFY2(peak >= minPeak && peak <= maxPeak, QByteArray::number(peak).constData());
    }

    void hostileServers_data()
    {
        QTest::addColumn<Reply>("reply");
        // Header floods and oversized bodies fail in the parser as the endless body does.
        auto fault = [](Fault kind, QByteArray body = "42", int resetAfter = 0) {
            return Reply{.body = std::move(body), .fault = kind, .resetAfterBytes = resetAfter};
        };
        QTest::newRow("endless body at full speed") << fault(Fault::FastEndless);
        QTest::newRow("reset after 1 of 100 bytes")
            << fault(Fault::Reset, "5" + QByteArray(99, ' '), 1);
        QTest::newRow("reset, no length announced") << fault(Fault::ResetUnframed, "57", 1);
        QTest::newRow("accepts and never answers") << fault(Fault::Silent);
        QTest::newRow("slow endless body") << fault(Fault::NeverEnding);
        QTest::newRow("dropped connection") << fault(Fault::Drop);
    }

    // A misbehaving station costs that station its answer, nothing more: its neighbours in
    // the same poll are counted, and the next poll reaches the server at once.
    void hostileServers()
    {
        QFETCH(Reply, reply);
        World w("stations=bad;good1;good2\r\n", World::shortLimitMs());
        w.sim.setListenerReply(u"bad"_s, reply);
        w.sim.setCount(u"good1"_s, 11);
        w.sim.setCount(u"good2"_s, 22);
        QVERIFY(w.start());
        QCOMPARE(w.display.get_text(), u"BAD : \r\nGOOD1: 0011\r\nGOOD2: 0022"_s);
        QCOMPARE(w.form.stations().at(0).count, 0);
        QCOMPARE(w.form.stations().at(0).min_listeners, 0);

        w.sim.clearRequestLog();
        w.sim.setCount(u"good1"_s, 12);
        QVERIFY(w.poll());
        QCOMPARE(w.requestsFor(u"good1"_s), 1);
        QCOMPARE(w.requestsFor(u"good2"_s), 1);
        QCOMPARE(w.display.get_text(), u"BAD : \r\nGOOD1: 0012\r\nGOOD2: 0022"_s);
        QCOMPARE(w.form.history().size(), 6);
    }

    // Each silent request gives up its place after a quarter of the limit, so the last
    // station is asked before the first time-out fails every request still unanswered.
    void silentStationsHoldUpNoOther()
    {
        World w("stations=" + numbered("dead", 12) + ";alive\r\n", TestTime::ms(2000));
        w.sim.setDefaultListenerReply({.fault = Fault::Silent});
        w.sim.setListenerReply(u"alive"_s, {.count = 5});
        QVERIFY(w.start());
        QVERIFY(w.display.get_text().endsWith(u"\r\nDEAD11: \r\nALIVE: 0005"_s));
        QCOMPARE(w.sim.requestLog().size(), 13);
    }
};

QTEST_GUILESS_MAIN(TestPoll)
#include "tst_poll.moc"
