// SPDX-License-Identifier: MIT
#include "PlatformSimulator.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;
using Fault = PlatformSimulator::Fault;
using ListenerReply = PlatformSimulator::ListenerReply;
using SongReply = PlatformSimulator::SongReply;

Q_DECLARE_METATYPE(Fault)

namespace {

bool isDigits(const QByteArray &bytes)
{
    return std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return c >= '0' && c <= '9'; });
}

struct Response
{
    int status = 0;
    QHash<QByteArray, QByteArray> headers;
    QByteArray body;
};

// Takes one complete response off the front of buffer; false while it is incomplete.
bool takeResponse(QByteArray &buffer, Response &response)
{
    const qsizetype headEnd = buffer.indexOf("\r\n\r\n");
    if (headEnd < 0) {
        return false;
    }
    const QList<QByteArray> lines = buffer.first(headEnd).split('\n');
    Response parsed;
    parsed.status = lines.first().split(' ').value(1).toInt();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        parsed.headers.insert(lines[i].first(colon).toLower(),
                              lines[i].sliced(colon + 1).trimmed());
    }
    const qsizetype length = parsed.headers.value("content-length").toLongLong();
    if (buffer.size() < headEnd + 4 + length) {
        return false;
    }
    parsed.body = buffer.mid(headEnd + 4, length);
    buffer.remove(0, headEnd + 4 + length);
    response = parsed;
    return true;
}

// A client that speaks HTTP by hand, for what a browser-like client never sends.
class RawClient
{
public:
    explicit RawClient(quint16 port)
    {
        QObject::connect(&m_socket, &QTcpSocket::readyRead, &m_socket,
                         [this] { m_received += m_socket.readAll(); });
        m_socket.connectToHost(QHostAddress::LocalHost, port);
    }

    bool send(const QByteArray &bytes)
    {
        if (!QTest::qWaitFor([this] { return m_socket.state() == QAbstractSocket::ConnectedState; },
                             2000)) {
            return false;
        }
        return m_socket.write(bytes) == bytes.size() && m_socket.flush();
    }
    bool get(const QByteArray &path)
    {
        return send("GET " + path + " HTTP/1.1\r\nHost: x\r\n\r\n");
    }
    bool read(Response &response, int timeoutMs = 2000)
    {
        return QTest::qWaitFor([&] { return takeResponse(m_received, response); }, timeoutMs);
    }
    bool waitClosed(int timeoutMs = 2000)
    {
        return QTest::qWaitFor(
            [this] { return m_socket.state() == QAbstractSocket::UnconnectedState; }, timeoutMs);
    }
    bool isOpen() const { return m_socket.state() == QAbstractSocket::ConnectedState; }
    QByteArray received() const { return m_received; }
    void abort() { m_socket.abort(); }

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

    void listenerAnswer_data();
    void listenerAnswer();
    void setCountKeepsTheRestOfTheScript();
    void currentSong_data();
    void currentSong();
    void routing_data();
    void routing();
    void connectionPersistence_data();
    void connectionPersistence();
    void pipelinedRequestsAreAnsweredAndLoggedInOrder();
    void requestSplitAcrossPackets();
    void malformedRequestIsRejected();
    void delayedAnswerDoesNotHoldUpOthers();
    void dropClosesWithoutAnswer();
    void oversizedBodyArrivesWhole();
    void neverEndingBodyTrickles();
    void clientLeavingMidAnswer_data();
    void clientLeavingMidAnswer();
    void concurrentRequestsAreCounted();
    void demoStationsStartPlausibly();

private:
    struct Fetched
    {
        bool finished = false;
        QNetworkReply::NetworkError error = QNetworkReply::NoError;
        int status = 0;
        QByteArray contentType;
        QByteArray body;
    };

    QUrl url(const QString &path) const { return QUrl(m_sim->baseUrl() + path); }
    Fetched fetch(const QString &path, int timeoutMs = 3000);

    std::unique_ptr<PlatformSimulator> m_sim;
    std::unique_ptr<QNetworkAccessManager> m_nam;
};

void TestPlatformSimulator::init()
{
    m_sim = std::make_unique<PlatformSimulator>();
    QVERIFY(m_sim->listen());
    QVERIFY(m_sim->port() != 0);
    m_nam = std::make_unique<QNetworkAccessManager>();
    m_nam->setProxy(QNetworkProxy::NoProxy);
}

void TestPlatformSimulator::cleanup()
{
    m_nam.reset();
    m_sim.reset();
}

TestPlatformSimulator::Fetched TestPlatformSimulator::fetch(const QString &path, int timeoutMs)
{
    const std::unique_ptr<QNetworkReply> reply(m_nam->get(QNetworkRequest(url(path))));
    // A signal spy spins the event loop without qWaitFor's naps, which would throttle
    // the server running on this same thread.
    QSignalSpy finished(reply.get(), &QNetworkReply::finished);
    Fetched result;
    result.finished = reply->isFinished() || finished.wait(timeoutMs);
    result.error = reply->error();
    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result.contentType = reply->rawHeader("Content-Type");
    result.body = reply->readAll();
    return result;
}

void TestPlatformSimulator::listenerAnswer_data()
{
    QTest::addColumn<QString>("station");
    QTest::addColumn<bool>("scripted");
    QTest::addColumn<int>("count");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("wantStatus");
    QTest::addColumn<QByteArray>("wantType");
    QTest::addColumn<QByteArray>("wantBody");

    const QByteArray text = "text/plain; charset=utf-8";
    const QByteArray html = "text/html; charset=utf-8";
    const QByteArray page404 = "<!DOCTYPE html>\n<html><head><title>404 Not Found</title></head>\n"
                               "<body><h1>404 Not Found</h1></body></html>\n";
    QTest::newRow("unscripted") << u"alpha"_s << false << 0 << QByteArray() << 200 << u"alpha"_s
                                << 200 << text << QByteArray("0");
    QTest::newRow("count") << u"alpha"_s << true << 57 << QByteArray() << 200 << u"alpha"_s << 200
                           << text << QByteArray("57");
    QTest::newRow("other case") << u"Alpha"_s << true << 5 << QByteArray() << 200 << u"alpha"_s
                                << 200 << text << QByteArray("5");
    QTest::newRow("not a number") << u"alpha"_s << true << 57 << QByteArray("n/a") << 200
                                  << u"alpha"_s << 200 << text << QByteArray("n/a");
    QTest::newRow("empty body") << u"alpha"_s << true << 57 << QByteArray("") << 200 << u"alpha"_s
                                << 200 << text << QByteArray();
    QTest::newRow("500 with page") << u"alpha"_s << true << 57 << QByteArray("<p>kaputt</p>") << 500
                                   << u"alpha"_s << 500 << html << QByteArray("<p>kaputt</p>");
    QTest::newRow("404 default page")
        << u"alpha"_s << true << 57 << QByteArray() << 404 << u"alpha"_s << 404 << html << page404;
    QTest::newRow("blank") << u"mein sender"_s << true << 42 << QByteArray() << 200
                           << u"mein%20sender"_s << 200 << text << QByteArray("42");
    QTest::newRow("slash") << u"a/b"_s << true << 7 << QByteArray() << 200 << u"a%2Fb"_s << 200
                           << text << QByteArray("7");
    QTest::newRow("umlaut") << u"köln"_s << true << 3 << QByteArray() << 200 << u"k%C3%B6ln"_s
                            << 200 << text << QByteArray("3");
}

void TestPlatformSimulator::listenerAnswer()
{
    QFETCH(QString, station);
    QFETCH(bool, scripted);
    QFETCH(int, count);
    QFETCH(QByteArray, body);
    QFETCH(int, status);
    QFETCH(QString, path);
    if (scripted) {
        ListenerReply reply;
        reply.count = count;
        reply.body = body;
        reply.status = status;
        m_sim->setListenerReply(station, reply);
    }
    const Fetched got = fetch(u"/station/"_s + path + u"/listeners"_s);
    QVERIFY(got.finished);
    QTEST(got.status, "wantStatus");
    QTEST(got.contentType, "wantType");
    QTEST(got.body, "wantBody");
    // The log keeps the path as it was sent, encoding and all.
    QCOMPARE(m_sim->requestLog(), QStringList{u"GET /station/"_s + path + u"/listeners"_s});
}

void TestPlatformSimulator::setCountKeepsTheRestOfTheScript()
{
    ListenerReply busy;
    busy.status = 503;
    m_sim->setListenerReply(u"alpha"_s, busy);
    m_sim->setCount(u"alpha"_s, 9);
    QCOMPARE(fetch(u"/station/alpha/listeners"_s).status, 503);

    ListenerReply fallback;
    fallback.count = 12;
    m_sim->setDefaultListenerReply(fallback);
    QCOMPARE(fetch(u"/station/beta/listeners"_s).body, QByteArray("12"));
    m_sim->setCount(u"gamma"_s, 4);
    QCOMPARE(fetch(u"/station/gamma/listeners"_s).body, QByteArray("4"));
}

void TestPlatformSimulator::currentSong_data()
{
    QTest::addColumn<bool>("scripted");
    QTest::addColumn<SongReply>("script");
    QTest::addColumn<int>("wantStatus");
    QTest::addColumn<QByteArray>("wantType");

    const QByteArray json = "application/json; charset=utf-8";
    SongReply song;
    song.id = 4711;
    song.title = u"Grüße \"aus\" Köln"_s;
    song.artist = u"Anna Vogel & die Wellen"_s;
    song.album = u"Nächte\\Tage"_s;
    QTest::newRow("unscripted") << false << SongReply{} << 200 << json;
    QTest::newRow("scripted") << true << song << 200 << json;
    SongReply broken = song;
    broken.status = 500;
    QTest::newRow("error status") << true << broken << 500
                                  << QByteArray("text/html; charset=utf-8");
    SongReply raw = song;
    raw.body = "{\"id\": \"kaputt";
    QTest::newRow("raw body") << true << raw << 200 << json;
}

void TestPlatformSimulator::currentSong()
{
    QFETCH(bool, scripted);
    QFETCH(SongReply, script);
    if (scripted) {
        m_sim->setSongReply(u"alpha"_s, script);
    }
    const Fetched got = fetch(u"/station/alpha/current_song"_s);
    QVERIFY(got.finished);
    QTEST(got.status, "wantStatus");
    QTEST(got.contentType, "wantType");
    if (got.status != 200 || !script.body.isNull()) {
        QCOMPARE(got.body.isEmpty(), script.body.isEmpty() && got.status == 200);
        if (!script.body.isNull()) {
            QCOMPARE(got.body, script.body);
        }
        return;
    }
    // Readers that assume an 8-bit code page must still see the umlauts right.
    QVERIFY(std::all_of(got.body.cbegin(), got.body.cend(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x80; }));
    QJsonParseError error;
    const QJsonObject doc = QJsonDocument::fromJson(got.body, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QVERIFY(doc.value(u"id"_s).isDouble());
    QCOMPARE(doc.value(u"id"_s).toInt(), script.id);
    QCOMPARE(doc.value(u"title"_s).toString(), script.title);
    QCOMPARE(doc.value(u"album"_s).toString(), script.album);
    const QJsonObject artist = doc.value(u"artist"_s).toObject();
    QCOMPARE(artist.value(u"name"_s).toString(), script.artist);
    QVERIFY(artist.size() > 1);
    QVERIFY(doc.value(u"duration"_s).toInt() > 0);
    QVERIFY(QDateTime::fromString(doc.value(u"started_at"_s).toString(), Qt::ISODate).isValid());
    QVERIFY(doc.value(u"cover_url"_s).toString().startsWith(u"https://"_s));
}

void TestPlatformSimulator::routing_data()
{
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QByteArray>("target");
    QTest::addColumn<int>("wantStatus");

    QTest::newRow("root") << QByteArray("GET") << QByteArray("/") << 404;
    QTest::newRow("station only") << QByteArray("GET") << QByteArray("/station/alpha") << 404;
    QTest::newRow("unknown document")
        << QByteArray("GET") << QByteArray("/station/alpha/history") << 404;
    QTest::newRow("empty station") << QByteArray("GET") << QByteArray("/station//listeners") << 404;
    QTest::newRow("unencoded slash")
        << QByteArray("GET") << QByteArray("/station/a/b/listeners") << 404;
    QTest::newRow("query") << QByteArray("GET") << QByteArray("/station/alpha/listeners?x=1")
                           << 200;
    QTest::newRow("absolute form")
        << QByteArray("GET") << QByteArray("http://127.0.0.1/station/alpha/listeners") << 200;
    QTest::newRow("post") << QByteArray("POST") << QByteArray("/station/alpha/listeners") << 405;
    QTest::newRow("head") << QByteArray("HEAD") << QByteArray("/station/alpha/listeners") << 405;
}

void TestPlatformSimulator::routing()
{
    QFETCH(QByteArray, method);
    QFETCH(QByteArray, target);
    RawClient client(m_sim->port());
    QVERIFY(client.send(method + ' ' + target + " HTTP/1.1\r\nContent-Length: 0\r\n\r\n"));
    Response response;
    QVERIFY(client.read(response));
    QTEST(response.status, "wantStatus");
    if (response.status == 405) {
        QCOMPARE(response.headers.value("allow"), QByteArray("GET"));
    }
    QCOMPARE(m_sim->requestLog(), QStringList{QString::fromLatin1(method + ' ' + target)});
}

void TestPlatformSimulator::connectionPersistence_data()
{
    QTest::addColumn<QByteArray>("version");
    QTest::addColumn<QByteArray>("connection");
    QTest::addColumn<bool>("staysOpen");

    QTest::newRow("1.1") << QByteArray("HTTP/1.1") << QByteArray() << true;
    QTest::newRow("1.1 close") << QByteArray("HTTP/1.1") << QByteArray("Close") << false;
    QTest::newRow("1.0") << QByteArray("HTTP/1.0") << QByteArray() << false;
    QTest::newRow("1.0 keep-alive") << QByteArray("HTTP/1.0") << QByteArray("Keep-Alive") << true;
}

void TestPlatformSimulator::connectionPersistence()
{
    QFETCH(QByteArray, version);
    QFETCH(QByteArray, connection);
    QFETCH(bool, staysOpen);
    const QByteArray header =
        connection.isNull() ? QByteArray() : "Connection: " + connection + "\r\n";
    const QByteArray request = "GET /station/alpha/listeners " + version + "\r\n" + header + "\r\n";
    RawClient client(m_sim->port());
    QVERIFY(client.send(request));
    Response response;
    QVERIFY(client.read(response));
    QCOMPARE(response.body, QByteArray("0"));
    if (!staysOpen) {
        QVERIFY(client.waitClosed());
        return;
    }
    // A kept connection serves the next request.
    QVERIFY(client.send(request));
    QVERIFY(client.read(response));
    QCOMPARE(response.body, QByteArray("0"));
    QVERIFY(client.isOpen());
}

void TestPlatformSimulator::pipelinedRequestsAreAnsweredAndLoggedInOrder()
{
    m_sim->setCount(u"beta"_s, 3);
    QSignalSpy received(m_sim.get(), &PlatformSimulator::requestReceived);
    RawClient client(m_sim->port());
    // The POST body must be skipped, not read as the start of the next request.
    QVERIFY(client.send("POST /station/alpha/listeners HTTP/1.1\r\nContent-Length: 6\r\n\r\nGET /x"
                        "GET /station/beta/listeners HTTP/1.1\r\n\r\n"
                        "GET /station/beta/current_song HTTP/1.1\r\n\r\n"
                        "GET /nowhere HTTP/1.1\r\n\r\n"));
    QList<int> statuses;
    Response response;
    for (int i = 0; i < 4; ++i) {
        QVERIFY(client.read(response));
        statuses.append(response.status);
        if (i == 1) {
            QCOMPARE(response.body, QByteArray("3"));
        }
    }
    QCOMPARE(statuses, (QList<int>{405, 200, 200, 404}));
    const QStringList expected{u"POST /station/alpha/listeners"_s, u"GET /station/beta/listeners"_s,
                               u"GET /station/beta/current_song"_s, u"GET /nowhere"_s};
    QCOMPARE(m_sim->requestLog(), expected);
    QCOMPARE(received.size(), 4);
    QCOMPARE(received.at(3).at(0).toString(), expected.at(3));
    QVERIFY(client.isOpen());

    m_sim->clearRequestLog();
    QVERIFY(m_sim->requestLog().isEmpty());
}

void TestPlatformSimulator::requestSplitAcrossPackets()
{
    RawClient client(m_sim->port());
    QVERIFY(client.send("GET /station/alpha/list"));
    QTest::qWait(50);
    QVERIFY(client.send("eners HTTP/1.1\r\nHost: x\r"));
    QTest::qWait(50);
    QVERIFY(client.send("\n\r\n"));
    Response response;
    QVERIFY(client.read(response));
    QCOMPARE(response.status, 200);
    QCOMPARE(m_sim->requestLog(), QStringList{u"GET /station/alpha/listeners"_s});
}

void TestPlatformSimulator::malformedRequestIsRejected()
{
    RawClient client(m_sim->port());
    QVERIFY(client.send("HELLO THERE\r\n\r\n"));
    Response response;
    QVERIFY(client.read(response));
    QCOMPARE(response.status, 400);
    QVERIFY(client.waitClosed());
    QVERIFY(m_sim->requestLog().isEmpty());
}

void TestPlatformSimulator::delayedAnswerDoesNotHoldUpOthers()
{
    constexpr int kDelayMs = 400;
    ListenerReply slow;
    slow.count = 1;
    slow.delayMs = kDelayMs;
    m_sim->setListenerReply(u"slow"_s, slow);
    m_sim->setCount(u"fast"_s, 2);

    QElapsedTimer clock;
    clock.start();
    QStringList finishOrder;
    const std::unique_ptr<QNetworkReply> slowReply(
        m_nam->get(QNetworkRequest(url(u"/station/slow/listeners"_s))));
    const std::unique_ptr<QNetworkReply> fastReply(
        m_nam->get(QNetworkRequest(url(u"/station/fast/listeners"_s))));
    qint64 slowElapsed = 0;
    connect(slowReply.get(), &QNetworkReply::finished, this, [&] {
        finishOrder.append(u"slow"_s);
        slowElapsed = clock.elapsed();
    });
    connect(fastReply.get(), &QNetworkReply::finished, this,
            [&] { finishOrder.append(u"fast"_s); });
    QTRY_COMPARE_WITH_TIMEOUT(finishOrder.size(), 2, 3000);
    QCOMPARE(finishOrder, (QStringList{u"fast"_s, u"slow"_s}));
    QVERIFY2(slowElapsed >= kDelayMs - 20, QByteArray::number(slowElapsed).constData());
    QCOMPARE(slowReply->readAll(), QByteArray("1"));
}

void TestPlatformSimulator::dropClosesWithoutAnswer()
{
    ListenerReply drop;
    drop.fault = Fault::Drop;
    m_sim->setListenerReply(u"alpha"_s, drop);
    RawClient client(m_sim->port());
    QVERIFY(client.get("/station/alpha/listeners"));
    QVERIFY(client.waitClosed());
    QVERIFY(client.received().isEmpty());
    QCOMPARE(m_sim->requestLog().size(), 1);
}

void TestPlatformSimulator::oversizedBodyArrivesWhole()
{
    ListenerReply huge;
    huge.fault = Fault::Oversized;
    m_sim->setListenerReply(u"alpha"_s, huge);
    const Fetched got = fetch(u"/station/alpha/listeners"_s, 5000);
    QVERIFY(got.finished);
    QCOMPARE(got.error, QNetworkReply::NoError);
    QCOMPARE(got.body.size(), 10 * 1024 * 1024);
    QVERIFY(isDigits(got.body));
    // The connection was kept and serves the next request.
    QCOMPARE(fetch(u"/station/beta/listeners"_s).body, QByteArray("0"));
}

void TestPlatformSimulator::neverEndingBodyTrickles()
{
    SongReply endless;
    endless.fault = Fault::NeverEnding;
    m_sim->setSongReply(u"alpha"_s, endless);
    const std::unique_ptr<QNetworkReply> reply(
        m_nam->get(QNetworkRequest(url(u"/station/alpha/current_song"_s))));
    QByteArray body;
    connect(reply.get(), &QNetworkReply::readyRead, this, [&] { body += reply->readAll(); });
    // Like a client with a time-out, give up after a while.
    QTest::qWait(450);
    QVERIFY(!reply->isFinished());
    QVERIFY(reply->header(QNetworkRequest::ContentLengthHeader).toLongLong() > 1000000);
    QVERIFY2(body.size() >= 3, body.constData());
    QVERIFY(isDigits(body));
    reply->abort();
    QCOMPARE(fetch(u"/station/beta/listeners"_s).status, 200);
}

void TestPlatformSimulator::clientLeavingMidAnswer_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<int>("delayMs");

    QTest::newRow("during delay") << Fault::None << 150;
    QTest::newRow("delayed drop") << Fault::Drop << 150;
    QTest::newRow("never ending") << Fault::NeverEnding << 0;
    QTest::newRow("oversized") << Fault::Oversized << 0;
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
            QTRY_VERIFY(!client.received().isEmpty());
        }
        client.abort();
    }
    // Pending timers and streams fire into the void, and the abandoned request no
    // longer counts as being answered.
    QTest::qWait(delayMs + 250);
    QCOMPARE(fetch(u"/station/beta/listeners"_s).status, 200);
    QCOMPARE(m_sim->peakConcurrentRequests(), 1);
}

void TestPlatformSimulator::concurrentRequestsAreCounted()
{
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(fetch(u"/station/alpha/listeners"_s).status, 200);
    }
    QCOMPARE(m_sim->peakConcurrentRequests(), 1);

    constexpr int kClients = 8;
    ListenerReply slow;
    slow.delayMs = 300;
    m_sim->setListenerReply(u"slow"_s, slow);
    std::vector<std::unique_ptr<RawClient>> clients;
    for (int i = 0; i < kClients; ++i) {
        clients.push_back(std::make_unique<RawClient>(m_sim->port()));
        QVERIFY(clients.back()->get("/station/slow/listeners"));
    }
    for (const auto &client : clients) {
        Response response;
        QVERIFY(client->read(response));
        QCOMPARE(response.status, 200);
    }
    QCOMPARE(m_sim->peakConcurrentRequests(), kClients);
}

void TestPlatformSimulator::demoStationsStartPlausibly()
{
    m_sim->setCount(u"alpha"_s, 5);
    m_sim->seedStations({u"alpha"_s, u"beta"_s});
    m_sim->setDemoMode(true);
    QCOMPARE(fetch(u"/station/alpha/listeners"_s).body, QByteArray("5"));
    // beta was seeded, gamma is taken up on its first request.
    for (const QString &station : {u"beta"_s, u"gamma"_s}) {
        const int count = fetch(u"/station/"_s + station + u"/listeners"_s).body.toInt();
        QVERIFY2(count >= 20 && count <= 300, QByteArray::number(count).constData());
        const QByteArray song = fetch(u"/station/"_s + station + u"/current_song"_s).body;
        const QJsonObject doc = QJsonDocument::fromJson(song).object();
        QVERIFY(doc.value(u"id"_s).toInt() > 1);
        QVERIFY(!doc.value(u"title"_s).toString().isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestPlatformSimulator)
#include "tst_platform_sim.moc"
