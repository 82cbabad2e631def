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

using namespace Qt::StringLiterals;
using ListenerReply = PlatformSimulator::ListenerReply;

namespace {

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
    // Waits for a whole answer and takes it off what has arrived.
    Answer read()
    {
        const auto whole = [this] {
            return !head().isEmpty() && m_received.size() - head().size() >= announcedLength();
        };
        if (!waitFor([&] { return whole() || !isOpen(); }) || !whole()) {
            return Answer{isOpen() ? -1 : 0, {}};
        }
        const qsizetype headSize = head().size();
        Answer answer{head().mid(9, 3).toInt(), m_received.mid(headSize, announcedLength())};
        m_received.remove(0, headSize + answer.body.size());
        return answer;
    }

private:
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

    QTcpSocket m_socket;
    QByteArray m_received;
};

} // namespace

class TestPlatformSimulator : public QObject
{
    Q_OBJECT

private slots:
    void scriptedAnswerForEncodedName();
    void delaysHoldBackOnlyTheirOwnAnswer();
    void oversizedBodyArrivesWhole();
    void clientLeavingDuringDelay();
};

// Counts, bodies, statuses, faults and the default answer show in the poll tests;
// a name that reaches the simulator percent-encoded does not.
void TestPlatformSimulator::scriptedAnswerForEncodedName()
{
    PlatformSimulator sim;
    QVERIFY(sim.listen());
    sim.setCount(u"a b/c"_s, 42);
    RawClient client(sim.port());
    QVERIFY(client.get("/station/a%20b%2Fc/listeners"));
    const Answer answer = client.read();
    QCOMPARE(answer.status, 200);
    QCOMPARE(answer.body, QByteArray("42"));
    // The poll tests count requests by their path exactly as sent, encoding and all.
    QCOMPARE(sim.requestLog(), QStringList{u"GET /station/a%20b%2Fc/listeners"_s});
}

void TestPlatformSimulator::delaysHoldBackOnlyTheirOwnAnswer()
{
    PlatformSimulator sim;
    QVERIFY(sim.listen());
    constexpr int kParked = 4;
    constexpr int kDelayMs = 200;
    ListenerReply parked;
    parked.delayMs = 10 * 60 * 1000; // outlives the test
    sim.setListenerReply(u"parked"_s, parked);
    std::list<RawClient> parkedClients;
    for (int i = 0; i < kParked; ++i) {
        QVERIFY(parkedClients.emplace_back(sim.port()).get("/station/parked/listeners"));
    }
    QTRY_COMPARE(sim.requestLog().size(), kParked);

    ListenerReply slow;
    slow.count = 1;
    slow.delayMs = kDelayMs;
    sim.setListenerReply(u"slow"_s, slow);
    RawClient slowClient(sim.port());
    QElapsedTimer clock;
    clock.start();
    QVERIFY(slowClient.get("/station/slow/listeners"));
    const Answer answer = slowClient.read();
    // Only a lower bound: an answer may come late on a busy machine, never early.
    QVERIFY2(clock.elapsed() >= kDelayMs - 10, QByteArray::number(clock.elapsed()).constData());
    QCOMPARE(answer.body, QByteArray("1"));
    // The poll tests read how many requests they had running at once off this count.
    QCOMPARE(sim.peakConcurrentRequests(), kParked + 1);
}

void TestPlatformSimulator::oversizedBodyArrivesWhole()
{
    PlatformSimulator sim;
    QVERIFY(sim.listen());
    ListenerReply huge;
    huge.fault = PlatformSimulator::Fault::Oversized;
    sim.setListenerReply(u"alpha"_s, huge);
    RawClient client(sim.port());
    QVERIFY(client.get("/station/alpha/listeners"));
    const Answer answer = client.read();
    QCOMPARE(answer.status, 200);
    QCOMPARE(answer.body.size(), 10 * 1024 * 1024);
    QVERIFY(std::all_of(answer.body.cbegin(), answer.body.cend(),
                        [](char c) { return c >= '0' && c <= '9'; }));
}

void TestPlatformSimulator::clientLeavingDuringDelay()
{
    PlatformSimulator sim;
    QVERIFY(sim.listen());
    ListenerReply slow;
    slow.delayMs = 100;
    sim.setListenerReply(u"alpha"_s, slow);
    {
        RawClient client(sim.port());
        QVERIFY(client.get("/station/alpha/listeners"));
        QTRY_COMPARE(sim.requestLog().size(), 1);
    }
    // Clients that time out leave like this; the pending answer must then fire into the
    // void, not into a freed connection.
    QTest::qWait(slow.delayMs + 100);
    RawClient next(sim.port());
    QVERIFY(next.get("/station/beta/listeners"));
    QCOMPARE(next.read().status, 200);
}

QTEST_GUILESS_MAIN(TestPlatformSimulator)
#include "tst_platform_sim.moc"
