// SPDX-License-Identifier: MIT
#include "Fakes.h"
#include "KonfigKeys.h"
#include "PlatformSimulator.h"
#include "SongTracker.h"
#include "frmMain.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using Reply = PlatformSimulator::ListenerReply;
using Fault = PlatformSimulator::Fault;

Reply delayed(int count, int delayMs)
{
    Reply r;
    r.count = count;
    r.delayMs = delayMs;
    return r;
}

// frmMain against the simulator on loopback, in a fresh program folder.
struct World : AppWorld
{
    PlatformSimulator sim;

    explicit World(const QByteArray &extraKeys = {}, int timeoutMs = 700) : AppWorld(timeoutMs)
    {
        if (!sim.listen()) {
            qFatal("simulator cannot listen");
        }
        writeIni(extraKeys);
    }

    void writeIni(const QByteArray &keys) const
    {
        writeIniFile("[Konfig]\r\napi_host=" + sim.baseUrl().toUtf8() + "\r\n" + keys);
    }

    // Starts the program and waits until its first poll has ended.
    bool start()
    {
        form.Form_Load();
        return settle();
    }

    bool settle()
    {
        // The tray is busy exactly while a poll runs.
        return QTest::qWaitFor([this] { return !tray.isBusy(); }, 15000);
    }

    int requestsFor(const QString &path) const
    {
        return int(sim.requestLog().count(u"GET "_s + path));
    }
};

} // namespace

class TestPoll : public QObject
{
    Q_OBJECT

private slots:
    void layouts_data();
    void layouts();
    void onlyChangesMarkers();
    void oddAnswers_data();
    void oddAnswers();
    void unreachableServer();
    void minimumMaximumAndHistory();
    void namesStayInTheirPathSegment();
    void refreshShowsAllThenBlanks();
    void overlappingRequestsCoalesce();
    void displayThatRunsTheEventLoop();
    void reloadKeepsARequestedRefresh();
    void resultsAppliedInListOrder();
    void manyStations();
    void reloadAbandonsRunningPoll();
    void hostileServers_data();
    void hostileServers();
    void pollEndsAfterOneTimeOut();
    void slowHostLosesNothing();
    void pollStartedInsideTheDisplay_data();
    void pollStartedInsideTheDisplay();
    void busyTipHoldsWhilePolling();
};

void TestPoll::layouts_data()
{
    QTest::addColumn<QByteArray>("keys");
    QTest::addColumn<QString>("text");
    QTest::newRow("one per line") << QByteArray("stations=alpha;beta;gamma\r\n")
                                  << u"ALPHA : 0057\r\nBETA: 0003\r\nGAMMA: 0120"_s;
    QTest::newRow("side by side") << QByteArray("stations=alpha;beta;gamma\r\nhorizontal=1\r\n")
                                  << u"ALPHA : 0057 -- BETA: 0003 -- GAMMA: 0120"_s;
    QTest::newRow("one station") << QByteArray("stations=gamma\r\nhorizontal=1\r\n")
                                 << u"GAMMA : 0120"_s;
    QTest::newRow("sharp s") << QByteArray("stations=straße\r\n") << u"STRAßE : 0000"_s;
}

void TestPoll::layouts()
{
    QFETCH(QByteArray, keys);
    QFETCH(QString, text);
    World w(keys);
    w.sim.setCount(u"alpha"_s, 57);
    w.sim.setCount(u"beta"_s, 3);
    w.sim.setCount(u"gamma"_s, 120);
    QVERIFY(w.start());
    // Shown once, at the end of the poll; the tray was busy meanwhile and is normal again.
    QCOMPARE(w.display.texts, QStringList{text});
    QVERIFY(!w.tray.isBusy());
}

void TestPoll::onlyChangesMarkers()
{
    World w("stations=alpha;beta;gamma\r\nonly_changes=1\r\n");
    w.sim.setCount(u"alpha"_s, 57);
    w.sim.setCount(u"beta"_s, 3);
    w.sim.setCount(u"gamma"_s, 120);
    QVERIFY(w.start());
    // After a rebuild every count starts at 0, so every station is a change,
    // and the display grows station by station.
    QCOMPARE(w.display.texts,
             (QStringList{u"ALPHA : 0057 +0057"_s, u"ALPHA : 0057 +0057\r\nBETA: 0003 +0003"_s,
                          u"ALPHA : 0057 +0057\r\nBETA: 0003 +0003\r\nGAMMA: 0120 +0120"_s}));

    w.display.texts.clear();
    w.sim.setCount(u"beta"_s, 5);
    w.sim.setCount(u"gamma"_s, 116);
    w.form.check_stations();
    QVERIFY(w.settle());
    QCOMPARE(w.display.texts,
             (QStringList{u"BETA : 0005 +0002"_s, u"BETA : 0005 +0002\r\nGAMMA: 0116  -0004"_s}));

    // No change: the display is not touched.
    w.display.texts.clear();
    w.form.check_stations();
    QVERIFY(w.settle());
    QVERIFY(w.display.texts.isEmpty());
}

void TestPoll::oddAnswers_data()
{
    QTest::addColumn<Reply>("reply");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("count");

    auto reply = [](QByteArray body, int status = 200, int delay = 0, QByteArray location = {}) {
        Reply r;
        r.body = std::move(body);
        r.status = status;
        r.delayMs = delay;
        r.location = std::move(location);
        return r;
    };
    QTest::newRow("number") << reply("42") << u"0042"_s << 42;
    QTest::newRow("number with line end") << reply("42\n") << u"0042"_s << 42;
    QTest::newRow("not a number") << reply("viele") << u"viele"_s << 0;
    QTest::newRow("leading digits") << reply("12 Hörer") << u"12 HÃ¶rer"_s << 12;
    QTest::newRow("404 with html") << reply("<html>404</html>", 404) << u""_s << 0;
    QTest::newRow("500 with html") << reply("<html>Fehler</html>", 500) << u""_s << 0;
    QTest::newRow("empty body") << reply("") << u""_s << 0;
    QTest::newRow("answer too late") << reply("7", 200, 3000) << u""_s << 0;
    QTest::newRow("64 KiB body") << reply("7" + QByteArray(65535, ' ')) << u"0007"_s << 7;
    QTest::newRow("64 KiB and one byte") << reply("7" + QByteArray(65536, ' ')) << u""_s << 0;
    QTest::newRow("tiny exponent") << reply("5e-400") << u"5e-400"_s << 0;
    QTest::newRow("moved") << reply("", 302, 0, "/station/beta/listeners") << u"0008"_s << 8;
    QTest::newRow("moved in a circle")
        << reply("", 301, 0, "/station/alpha/listeners") << u""_s << 0;
}

void TestPoll::oddAnswers()
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
    QCOMPARE(w.form.stations().at(0).min_listeners, count);
    QCOMPARE(w.form.history().size(), 1);
}

void TestPoll::unreachableServer()
{
    World w;
    // A port that was free a moment ago: nothing listens there.
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost));
    const quint16 port = probe.serverPort();
    probe.close();
    w.writeIniFile("[Konfig]\r\nstations=alpha;beta\r\napi_host=127.0.0.1:" +
                   QByteArray::number(port));
    QVERIFY(w.start());
    QCOMPARE(w.display.texts, QStringList{u"ALPHA : \r\nBETA: "_s});
}

void TestPoll::minimumMaximumAndHistory()
{
    World w("stations=alpha;beta\r\n");
    w.sim.setCount(u"beta"_s, 1);
    const QList<int> counts{10, 5, 20};
    for (int i = 0; i < counts.size(); ++i) {
        w.sim.setCount(u"alpha"_s, counts[i]);
        if (i == 0) {
            QVERIFY(w.start());
        } else {
            w.form.check_stations();
            QVERIFY(w.settle());
        }
    }
    const station_entry &alpha = w.form.stations().at(0);
    QCOMPARE(alpha.min_listeners, 5);
    QCOMPARE(alpha.max_listeners, 20);
    QCOMPARE(alpha.last_count, 5);
    QCOMPARE(alpha.count, 20);
    QStringList order;
    w.form.history().forEach(
        [&order](const HistoryRecord &r) { order << r.station + u'=' + QString::number(r.count); });
    QCOMPARE(order, (QStringList{u"alpha=10"_s, u"beta=1"_s, u"alpha=5"_s, u"beta=1"_s,
                                 u"alpha=20"_s, u"beta=1"_s}));
}

void TestPoll::namesStayInTheirPathSegment()
{
    World w("stations=a b;x/../y;é?#;.;..\r\n");
    QVERIFY(w.start());
    // "." and ".." cannot be sent as a segment at all; they fail like a dead server.
    QCOMPARE(w.sim.requestLog().size(), 3);
    QVERIFY(w.display.get_text().endsWith(u"\r\n.: \r\n..: "_s));
    QCOMPARE(w.requestsFor(u"/station/a%20b/listeners"_s), 1);
    QCOMPARE(w.requestsFor(u"/station/x%2F..%2Fy/listeners"_s), 1);
    QCOMPARE(w.requestsFor(u"/station/%C3%A9%3F%23/listeners"_s), 1);
}

void TestPoll::refreshShowsAllThenBlanks()
{
    World w("stations=alpha;beta\r\nonly_changes=1\r\nchanges_visible_in_seconds=1\r\n");
    w.sim.setCount(u"alpha"_s, 4);
    w.sim.setCount(u"beta"_s, 9);
    QVERIFY(w.start());
    // The changes go again after a second, by the blanking timer alone.
    QCOMPARE(w.display.get_text(), u"ALPHA : 0004 +0004\r\nBETA: 0009 +0009"_s);
    QTRY_COMPARE_WITH_TIMEOUT(w.display.get_text(), QString(), 3000);

    w.form.refresh_now();
    QVERIFY(w.settle());
    QCOMPARE(w.display.get_text(), u"ALPHA : 0004\r\nBETA: 0009"_s);
    QVERIFY(w.form.konfig().only_changes);
    QTRY_COMPARE_WITH_TIMEOUT(w.display.get_text(), QString(), 3000);
}

void TestPoll::overlappingRequestsCoalesce()
{
    World w("stations=alpha\r\nonly_changes=1\r\n");
    w.sim.setListenerReply(u"alpha"_s, delayed(3, 300));
    w.form.Form_Load();
    QVERIFY(w.tray.isBusy());
    w.form.check_stations();
    w.form.refresh_now();
    w.form.check_stations();
    QVERIFY(w.settle());
    // One more poll follows the running one, and it is the full one the refresh asked
    // for: the unchanged count is shown anyway, without a marker.
    QTRY_COMPARE(w.requestsFor(u"/station/alpha/listeners"_s), 2);
    QVERIFY(w.settle());
    QTest::qWait(400);
    QCOMPARE(w.requestsFor(u"/station/alpha/listeners"_s), 2);
    QCOMPARE(w.display.texts, (QStringList{u"ALPHA : 0003 +0003"_s, u"ALPHA : 0003"_s}));
}

void TestPoll::displayThatRunsTheEventLoop()
{
    // A display that lets events run while it draws: answers, timer ticks and new
    // requests arrive in the middle of a poll, and the outcome stays the same.
    World w("stations=a;b;c;d\r\nonly_changes=1\r\n");
    for (int i = 0; i < 4; ++i) {
        w.sim.setListenerReply(QString(QChar(u'a' + i)), delayed(i + 1, 30 * (4 - i)));
    }
    int nested = 0;
    w.display.whileShowing = [&w, &nested] {
        if (nested++ == 0) {
            w.form.check_stations();
        }
        QTest::qWait(60);
    };
    QVERIFY(w.start());
    QVERIFY(w.settle());
    QTRY_COMPARE(w.requestsFor(u"/station/d/listeners"_s), 2);
    QVERIFY(w.settle());
    QCOMPARE(w.display.texts.first(), u"A : 0001 +0001"_s);
    QCOMPARE(w.display.texts.at(3),
             u"A : 0001 +0001\r\nB: 0002 +0002\r\nC: 0003 +0003\r\nD: 0004 +0004"_s);
    QCOMPARE(w.display.texts.size(), 4); // the second poll found no change
    QCOMPARE(w.form.history().size(), 8);
    QVERIFY(!w.tray.isBusy());
}

void TestPoll::reloadKeepsARequestedRefresh()
{
    World w("stations=alpha\r\nonly_changes=1\r\n");
    w.sim.setListenerReply(u"alpha"_s, delayed(1, 300));
    QVERIFY(w.start());
    w.display.texts.clear();
    w.form.refresh_now();
    QVERIFY(w.tray.isBusy());
    w.form.Load_Konfig();
    QVERIFY(w.settle());
    QCOMPARE(w.display.texts, QStringList{u"ALPHA : 0001"_s});
}

void TestPoll::resultsAppliedInListOrder()
{
    World w("stations=a;b;c\r\nonly_changes=1\r\n");
    w.sim.setListenerReply(u"a"_s, delayed(1, 400));
    w.sim.setCount(u"b"_s, 2);
    w.sim.setCount(u"c"_s, 3);
    QVERIFY(w.start());
    QCOMPARE(w.display.texts,
             (QStringList{u"A : 0001 +0001"_s, u"A : 0001 +0001\r\nB: 0002 +0002"_s,
                          u"A : 0001 +0001\r\nB: 0002 +0002\r\nC: 0003 +0003"_s}));
    QCOMPARE(w.form.history().record(0).station, u"a"_s);
    QCOMPARE(w.form.history().record(2).station, u"c"_s);
}

void TestPoll::manyStations()
{
    QStringList names;
    for (int i = 0; i < 200; ++i) {
        names << u"s"_s + QString::number(i);
    }
    World w("stations=" + names.join(u';').toUtf8() + "\r\n");
    w.sim.setDefaultListenerReply(delayed(7, 20));
    QVERIFY(w.start());
    QCOMPARE(w.display.texts.size(), 1);
    QCOMPARE(w.display.texts[0].count(u"\r\n"_s), 199);
    QVERIFY(w.display.texts[0].endsWith(u"S199: 0007"_s));
    QVERIFY(w.sim.peakConcurrentRequests() <= WebDownloader::kMaxParallel);
    QVERIFY(w.sim.peakConcurrentRequests() >= 2);
}

void TestPoll::reloadAbandonsRunningPoll()
{
    World w("stations=alpha\r\n");
    w.sim.setListenerReply(u"alpha"_s, delayed(1, 500));
    w.sim.setCount(u"beta"_s, 2);
    w.form.Form_Load();
    QVERIFY(w.tray.isBusy());
    w.writeIni("stations=beta\r\n");
    w.form.Load_Konfig();
    QVERIFY(w.settle());
    QTest::qWait(700);
    QCOMPARE(w.display.texts, QStringList{u"BETA : 0002"_s});
    QCOMPARE(w.form.history().size(), 1);
}

void TestPoll::hostileServers_data()
{
    QTest::addColumn<Reply>("reply");
    auto fault = [](Fault kind, QByteArray body = "42", int resetAfter = 0) {
        Reply r;
        r.body = std::move(body);
        r.fault = kind;
        r.resetAfterBytes = resetAfter;
        return r;
    };
    QTest::newRow("endless body at full speed") << fault(Fault::FastEndless);
    QTest::newRow("endless header lines") << fault(Fault::HeaderFlood);
    QTest::newRow("reset after 1 of 100 bytes")
        << fault(Fault::Reset, "5" + QByteArray(99, ' '), 1);
    QTest::newRow("reset right after the headers") << fault(Fault::Reset, "42", 0);
    QTest::newRow("reset, no length announced") << fault(Fault::ResetUnframed, "57", 1);
    QTest::newRow("accepts and never answers") << fault(Fault::Silent);
    QTest::newRow("slow endless body") << fault(Fault::NeverEnding);
    QTest::newRow("10 MB body") << fault(Fault::Oversized);
    QTest::newRow("dropped connection") << fault(Fault::Drop);
}

// A misbehaving station costs that station its answer, nothing more: its neighbours in
// the same poll are counted, and the next poll reaches the server at once.
void TestPoll::hostileServers()
{
    QFETCH(Reply, reply);
    World w("stations=bad;good1;good2\r\n");
    w.sim.setListenerReply(u"bad"_s, reply);
    w.sim.setCount(u"good1"_s, 11);
    w.sim.setCount(u"good2"_s, 22);
    QVERIFY(w.start());
    QCOMPARE(w.display.get_text(), u"BAD : \r\nGOOD1: 0011\r\nGOOD2: 0022"_s);
    QCOMPARE(w.form.stations().at(0).count, 0);
    QCOMPARE(w.form.stations().at(0).min_listeners, 0);

    w.sim.clearRequestLog();
    w.sim.setCount(u"good1"_s, 12);
    w.form.check_stations();
    QTRY_COMPARE_WITH_TIMEOUT(w.requestsFor(u"/station/good2/listeners"_s), 1, 500);
    QCOMPARE(w.requestsFor(u"/station/good1/listeners"_s), 1);
    QVERIFY(w.settle());
    QCOMPARE(w.display.get_text(), u"BAD : \r\nGOOD1: 0012\r\nGOOD2: 0022"_s);
    QCOMPARE(w.form.history().size(), 6);
}

void TestPoll::pollEndsAfterOneTimeOut()
{
    // Twenty stations the server never answers, then one it does. Six at a time,
    // each waiting out its own time, the poll would take four time-outs.
    constexpr int kTimeoutMs = 1000;
    QStringList names;
    for (int i = 0; i < 20; ++i) {
        names << u"dead"_s + QString::number(i);
    }
    names << u"alive"_s;
    World w("stations=" + names.join(u';').toUtf8() + "\r\n", kTimeoutMs);
    Reply silent;
    silent.fault = Fault::Silent;
    w.sim.setDefaultListenerReply(silent);
    w.sim.setListenerReply(u"alive"_s, delayed(5, 0));
    QElapsedTimer clock;
    clock.start();
    QVERIFY(w.start());
    QVERIFY2(clock.elapsed() < kTimeoutMs * 13 / 10,
             QByteArray::number(clock.elapsed()).constData());
    QVERIFY(w.display.get_text().endsWith(u"\r\nDEAD19: \r\nALIVE: 0005"_s));
    QCOMPARE(w.form.stations().at(20).count, 5);
}

void TestPoll::slowHostLosesNothing()
{
    // Every answer takes longer than a quarter of the time limit, and all of them
    // together longer than the whole of it; none of them is late on its own.
    constexpr int kStations = 60;
    QStringList names;
    for (int i = 0; i < kStations; ++i) {
        names << u"s"_s + QString::number(i);
    }
    World w("stations=" + names.join(u';').toUtf8() + "\r\n", 1000);
    w.sim.setDefaultListenerReply(delayed(7, 600));
    QVERIFY(w.start());
    for (int i = 0; i < kStations; ++i) {
        QCOMPARE(w.form.stations().at(i).count, 7);
    }
    QVERIFY(w.sim.peakConcurrentRequests() <= WebDownloader::kMaxConnections);
}

void TestPoll::pollStartedInsideTheDisplay_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("finalText");
    QTest::addColumn<int>("requestsForA");
    QTest::newRow("settings reloaded") << 0 << u"C : 0003 +0003"_s << 1;
    QTest::newRow("refresh") << 1 << u"A : 0001\r\nB: 0002"_s << 2;
    QTest::newRow("timed poll") << 2 << u"A : 0001 +0001\r\nB: 0002 +0002"_s << 2;
}

// A display that runs the event loop while it draws; inside it, the settings are
// saved or a new poll is asked for, and the new poll's answers arrive while the first
// poll's drawing is still on the stack.
void TestPoll::pollStartedInsideTheDisplay()
{
    QFETCH(int, action);
    QFETCH(QString, finalText);
    QFETCH(int, requestsForA);
    World w("stations=a;b\r\nonly_changes=1\r\n");
    w.sim.setCount(u"a"_s, 1);
    w.sim.setCount(u"b"_s, 2);
    w.sim.setCount(u"c"_s, 3);
    int calls = 0;
    w.display.whileShowing = [&] {
        if (calls++ != 0) {
            return;
        }
        if (action == 0) {
            w.writeIni("stations=c\r\nonly_changes=1\r\n");
            w.form.Load_Konfig();
        } else if (action == 1) {
            w.form.refresh_now();
        } else {
            w.form.check_stations();
        }
        QTest::qWait(300);
    };
    QVERIFY(w.start());
    QTRY_COMPARE(w.requestsFor(u"/station/a/listeners"_s), requestsForA);
    QVERIFY(w.settle());
    QCOMPARE(w.display.get_text(), finalText);
    QVERIFY(!w.tray.isBusy());
    // The poll queue is free again: an ordinary poll runs to its end.
    w.form.check_stations();
    QVERIFY(w.settle());
    QCOMPARE(w.requestsFor(action == 0 ? u"/station/c/listeners"_s : u"/station/a/listeners"_s),
             action == 0 ? 2 : requestsForA + 1);
}

void TestPoll::busyTipHoldsWhilePolling()
{
    World w("stations=alpha\r\n");
    w.sim.setListenerReply(u"alpha"_s, delayed(1, 400));
    w.form.Form_Load();
    // Added while the first poll runs: the busy picture with the busy tip.
    QVERIFY(w.tray.isAdded());
    QVERIFY(w.tray.isBusy());
    QCOMPARE(w.tray.toolTip(), u"Daten werden geladen"_s);
    // The countdown counts on but leaves the tip alone until the poll ends.
    w.form.Timer1_Timer();
    QCOMPARE(w.tray.toolTip(), u"Daten werden geladen"_s);
    QVERIFY(w.settle());
    QCOMPARE(w.tray.toolTip(), u"Mirkan Höreranzeige"_s);
    w.form.Timer1_Timer();
    QCOMPARE(w.tray.toolTip(), u"nächste Aktualisierung in 178 Sekunden"_s);
}

QTEST_GUILESS_MAIN(TestPoll)
#include "tst_poll.moc"
