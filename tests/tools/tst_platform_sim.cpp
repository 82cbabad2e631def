// SPDX-License-Identifier: MIT
// What the poll tests and the poll benchmark rely on when they script the simulator,
// seen through a hand-driven socket so no client library smooths over a broken answer.
#include "PlatformSimulator.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <list>
#include <memory>

using namespace Qt::StringLiterals;
using Fault = PlatformSimulator::Fault;
using ListenerReply = PlatformSimulator::ListenerReply;

namespace {

bool isDigits(QByteArrayView bytes)
{
    return !bytes.isEmpty() &&
           std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return c >= '0' && c <= '9'; });
}

struct Answer
{
    int status = -1; // -1: nothing in time; 0: the connection closed without an answer
    QByteArray body;
};

// One connection that speaks HTTP by hand and reads answers off the front of what
// has arrived.
class RawClient
{
public:
    explicit RawClient(quint16 port)
    {
        QObject::connect(&m_socket, &QTcpSocket::readyRead, &m_socket,
                         [this] { m_received += m_socket.readAll(); });
        m_socket.connectToHost(QHostAddress::LocalHost, port);
    }

    bool get(const QByteArray &path)
    {
        const QByteArray request = "GET " + path + " HTTP/1.1\r\nHost: x\r\n\r\n";
        return waitFor([this] { return isOpen(); }) && m_socket.write(request) == request.size();
    }
    // Empty until the head of the first answer has arrived whole.
    QByteArray head() const
    {
        const qsizetype end = m_received.indexOf("\r\n\r\n");
        return end < 0 ? QByteArray() : m_received.first(end + 4);
    }
    qint64 announcedLength() const
    {
        static const QRegularExpression header(u"\r\ncontent-length: *(\\d+)"_s,
                                               QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch m = header.match(QString::fromLatin1(head()));
        return m.hasMatch() ? m.captured(1).toLongLong() : -1;
    }
    QByteArrayView bodySoFar() const { return QByteArrayView(m_received).sliced(head().size()); }
    // Waits for a whole answer and takes it off what has arrived.
    Answer read()
    {
        const auto whole = [this] {
            return !head().isEmpty() && bodySoFar().size() >= announcedLength();
        };
        if (!waitFor([&] { return whole() || !isOpen(); }) || !whole()) {
            return Answer{isOpen() ? -1 : 0, {}};
        }
        const qsizetype headSize = head().size();
        Answer answer{head().mid(9, 3).toInt(), m_received.mid(headSize, announcedLength())};
        m_received.remove(0, headSize + answer.body.size());
        return answer;
    }
    // Wakes on every arrival rather than polling with naps, which would throttle the
    // server running on this same thread.
    bool waitFor(const std::function<bool()> &done)
    {
        bool met = done();
        QEventLoop loop;
        const auto check = [&] {
            if (!met && (met = done())) {
                loop.quit();
            }
        };
        QObject::connect(&m_socket, &QTcpSocket::readyRead, &loop, check);
        QObject::connect(&m_socket, &QTcpSocket::stateChanged, &loop, check);
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        if (!met) {
            loop.exec();
        }
        return met;
    }
    bool isOpen() const { return m_socket.state() == QAbstractSocket::ConnectedState; }

private:
    QTcpSocket m_socket;
    QByteArray m_received;
};

} // namespace

class TestPlatformSimulator : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void scriptedAnswer_data();
    void scriptedAnswer();
    void delaysHoldBackOnlyTheirOwnAnswer();
    void oversizedBodyArrivesWhole();
    void clientLeavingMidAnswer_data();
    void clientLeavingMidAnswer();

private:
    std::unique_ptr<PlatformSimulator> m_sim;
};

void TestPlatformSimulator::init()
{
    m_sim = std::make_unique<PlatformSimulator>();
    QVERIFY(m_sim->listen());
}

void TestPlatformSimulator::cleanup()
{
    m_sim.reset();
}

void TestPlatformSimulator::scriptedAnswer_data()
{
    QTest::addColumn<QString>("station"); // empty: the default for unscripted stations
    QTest::addColumn<ListenerReply>("reply");
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<int>("wantStatus");
    QTest::addColumn<QByteArray>("wantBody");

    auto reply = [](int count, QByteArray body = {}, int status = 200) {
        ListenerReply r;
        r.count = count;
        r.body = std::move(body);
        r.status = status;
        return r;
    };
    const QByteArray alpha = "/station/alpha/listeners";
    QTest::newRow("count") << u"alpha"_s << reply(57) << alpha << 200 << QByteArray("57");
    QTest::newRow("body instead of count")
        << u"alpha"_s << reply(57, "viele") << alpha << 200 << QByteArray("viele");
    QTest::newRow("empty body") << u"alpha"_s << reply(57, "") << alpha << 200 << QByteArray();
    QTest::newRow("error status") << u"alpha"_s << reply(57, "<html>Fehler</html>", 500) << alpha
                                  << 500 << QByteArray("<html>Fehler</html>");
    QTest::newRow("another station scripted")
        << u"beta"_s << reply(57) << alpha << 200 << QByteArray("0");
    QTest::newRow("default for the unscripted")
        << QString() << reply(12) << alpha << 200 << QByteArray("12");
    QTest::newRow("percent-encoded name")
        << u"a b/c"_s << reply(42) << QByteArray("/station/a%20b%2Fc/listeners") << 200
        << QByteArray("42");
    ListenerReply drop;
    drop.fault = Fault::Drop;
    QTest::newRow("dropped") << u"alpha"_s << drop << alpha << 0 << QByteArray();
}

void TestPlatformSimulator::scriptedAnswer()
{
    QFETCH(QString, station);
    QFETCH(ListenerReply, reply);
    QFETCH(QByteArray, path);
    if (station.isEmpty()) {
        m_sim->setDefaultListenerReply(reply);
    } else {
        m_sim->setListenerReply(station, reply);
    }
    RawClient client(m_sim->port());
    QVERIFY(client.get(path));
    const Answer answer = client.read();
    QTEST(answer.status, "wantStatus");
    QTEST(answer.body, "wantBody");
    // The poll tests count requests by their path exactly as sent, encoding and all.
    QCOMPARE(m_sim->requestLog(), QStringList{u"GET "_s + QString::fromLatin1(path)});
}

void TestPlatformSimulator::delaysHoldBackOnlyTheirOwnAnswer()
{
    constexpr int kParked = 4;
    constexpr int kDelayMs = 200;
    ListenerReply parked;
    parked.delayMs = 10 * 60 * 1000; // outlives the test
    m_sim->setListenerReply(u"parked"_s, parked);
    std::list<RawClient> parkedClients;
    for (int i = 0; i < kParked; ++i) {
        QVERIFY(parkedClients.emplace_back(m_sim->port()).get("/station/parked/listeners"));
    }
    QTRY_COMPARE(m_sim->requestLog().size(), kParked);

    ListenerReply slow;
    slow.count = 1;
    slow.delayMs = kDelayMs;
    m_sim->setListenerReply(u"slow"_s, slow);
    RawClient slowClient(m_sim->port());
    QElapsedTimer clock;
    clock.start();
    QVERIFY(slowClient.get("/station/slow/listeners"));
    const Answer answer = slowClient.read();
    // Only a lower bound: an answer may come late on a busy machine, never early.
    QVERIFY2(clock.elapsed() >= kDelayMs - 10, QByteArray::number(clock.elapsed()).constData());
    QCOMPARE(answer.body, QByteArray("1"));
    // The poll tests read how many requests they had running at once off this count.
    QCOMPARE(m_sim->peakConcurrentRequests(), kParked + 1);
}

void TestPlatformSimulator::oversizedBodyArrivesWhole()
{
    ListenerReply huge;
    huge.fault = Fault::Oversized;
    m_sim->setListenerReply(u"alpha"_s, huge);
    RawClient client(m_sim->port());
    QVERIFY(client.get("/station/alpha/listeners"));
    const Answer answer = client.read();
    QCOMPARE(answer.status, 200);
    QCOMPARE(answer.body.size(), 10 * 1024 * 1024);
    QVERIFY(isDigits(answer.body));
    // A valid answer, only a large one: the kept connection goes on serving, with the
    // count as scripted since, and the finished answer no longer counts as running.
    m_sim->setCount(u"beta"_s, 6);
    QVERIFY(client.get("/station/beta/listeners"));
    QCOMPARE(client.read().body, QByteArray("6"));
    QCOMPARE(m_sim->peakConcurrentRequests(), 1);
}

void TestPlatformSimulator::clientLeavingMidAnswer_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<int>("delayMs");

    QTest::newRow("during a delay") << Fault::None << 100;
    QTest::newRow("during a trickle") << Fault::NeverEnding << 0;
    QTest::newRow("during an oversized body") << Fault::Oversized << 0;
}

void TestPlatformSimulator::clientLeavingMidAnswer()
{
    QFETCH(Fault, fault);
    QFETCH(int, delayMs);
    ListenerReply script;
    script.fault = fault;
    script.delayMs = delayMs;
    m_sim->setListenerReply(u"alpha"_s, script);
    {
        RawClient client(m_sim->port());
        QVERIFY(client.get("/station/alpha/listeners"));
        QTRY_COMPARE(m_sim->requestLog().size(), 1);
        if (delayMs == 0) {
            // Digits that keep coming, or come in bulk, under a head that promises more.
            QVERIFY(client.waitFor([&client] { return client.bodySoFar().size() >= 3; }));
            QVERIFY(client.head().startsWith("HTTP/1.1 200 "));
            QVERIFY(client.announcedLength() > 1000000);
            QVERIFY(isDigits(client.bodySoFar()));
        }
    }
    // Clients that time out or refuse a body leave like this; pending timers and
    // streams must then fire into the void, not into a freed connection.
    QTest::qWait(delayMs + 100);
    RawClient next(m_sim->port());
    QVERIFY(next.get("/station/beta/listeners"));
    QCOMPARE(next.read().status, 200);
}

QTEST_GUILESS_MAIN(TestPlatformSimulator)
#include "tst_platform_sim.moc"
