// SPDX-License-Identifier: MIT
#include "PlatformSimulator.h"

#include "DemoDriver.h"
#include "FillerBody.h"
#include "HttpConnection.h"
#include "ScriptedAnswer.h"
#include "StationBook.h"
#include "StationPath.h"

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 kOversizedBytes = 10 * 1024 * 1024;
// Announced for a never-ending body; the client gives up long before.
constexpr qint64 kNeverEndingBytes = 1000 * 1000 * 1000;

} // namespace

struct PlatformSimulator::Private
{
    explicit Private(PlatformSimulator *owner) : q(owner), demo(book) {}

    void acceptConnections();
    void onRequest(HttpConnection *connection, const HttpRequest &request);
    ScriptedAnswer answerFor(const HttpRequest &request);
    static void deliver(HttpConnection &connection, const ScriptedAnswer &answer);

    PlatformSimulator *q;
    StationBook book;
    DemoDriver demo;
    QStringList log;
    int inFlight = 0;
    int peakInFlight = 0;
    QTcpServer server;
};

void PlatformSimulator::Private::acceptConnections()
{
    while (QTcpSocket *socket = server.nextPendingConnection()) {
        auto *connection = new HttpConnection(socket, q);
        QObject::connect(connection, &HttpConnection::requestReady, q,
                         [this](HttpConnection *c, const HttpRequest &r) { onRequest(c, r); });
        QObject::connect(connection, &HttpConnection::requestFinished, q, [this] { --inFlight; });
    }
}

void PlatformSimulator::Private::onRequest(HttpConnection *connection, const HttpRequest &request)
{
    const QString line =
        QString::fromLatin1(request.method) + u' ' + QString::fromLatin1(request.target);
    log.append(line);
    ++inFlight;
    peakInFlight = std::max(peakInFlight, inFlight);
    emit q->requestReceived(line);

    // The answer is fixed on arrival, so a later change of script does not alter it.
    const ScriptedAnswer answer = answerFor(request);
    if (answer.delayMs <= 0) {
        deliver(*connection, answer);
        return;
    }
    // The connection is the timer's context: the timer dies with a vanished client.
    QTimer::singleShot(answer.delayMs, connection, [guard = QPointer(connection), answer] {
        if (guard) {
            deliver(*guard, answer);
        }
    });
}

ScriptedAnswer PlatformSimulator::Private::answerFor(const HttpRequest &request)
{
    if (request.method != "GET") {
        HttpReply reply = HttpReply::errorPage(405);
        reply.extraHeaders.append(qMakePair(QByteArray("Allow"), QByteArray("GET")));
        return ScriptedAnswer::plain(reply);
    }
    const StationPath path = StationPath::parse(request.target);
    if (path.document == StationPath::Document::None) {
        return ScriptedAnswer::plain(HttpReply::errorPage(404));
    }
    if (demo.isRunning()) {
        demo.seed(path.station);
    }
    if (path.document == StationPath::Document::Listeners) {
        return ScriptedAnswer::forListeners(book.listenerReply(path.station));
    }
    return ScriptedAnswer::forSong(book.songReply(path.station), path.station,
                                   book.songStartedAt(path.station));
}

void PlatformSimulator::Private::deliver(HttpConnection &connection, const ScriptedAnswer &answer)
{
    switch (answer.fault) {
    case Fault::None:
        connection.send(answer.reply);
        break;
    case Fault::NeverEnding:
        connection.sendTrickle(answer.reply, kNeverEndingBytes);
        break;
    case Fault::Oversized:
        connection.sendFiller(answer.reply, kOversizedBytes);
        break;
    case Fault::Drop:
        connection.drop();
        break;
    case Fault::FastEndless: {
        HttpReply head = answer.reply;
        head.extraHeaders.append(qMakePair(QByteArray("Transfer-Encoding"), QByteArray("chunked")));
        connection.sendEndless(head.head(-1, false), "a\r\n" + FillerBody::digits() + "\r\n");
        break;
    }
    case Fault::HeaderFlood:
        connection.sendEndless("HTTP/1.1 200 OK\r\n", "X-Flood: 0123456789abcdef\r\n");
        break;
    case Fault::Reset:
        connection.sendCutShort(answer.reply, answer.resetAfterBytes, true);
        break;
    case Fault::ResetUnframed:
        connection.sendCutShort(answer.reply, answer.resetAfterBytes, false);
        break;
    case Fault::Silent:
        break; // the connection stays open and the request unanswered until the client leaves
    }
}

bool PlatformSimulator::faultFromName(QStringView name, Fault &fault)
{
    static const std::pair<QStringView, Fault> kNames[] = {
        {u"none", Fault::None},           {u"trickle", Fault::NeverEnding},
        {u"oversized", Fault::Oversized}, {u"drop", Fault::Drop},
        {u"endless", Fault::FastEndless}, {u"header-flood", Fault::HeaderFlood},
        {u"reset", Fault::Reset},         {u"reset-unframed", Fault::ResetUnframed},
        {u"silent", Fault::Silent},
    };
    for (const auto &[text, value] : kNames) {
        if (name == text) {
            fault = value;
            return true;
        }
    }
    return false;
}

PlatformSimulator::PlatformSimulator(QObject *parent)
    : QObject(parent), d(std::make_unique<Private>(this))
{
    connect(&d->server, &QTcpServer::newConnection, this, [this] { d->acceptConnections(); });
}

PlatformSimulator::~PlatformSimulator()
{
    // Connections report back into d; end them while d still exists.
    d->server.close();
    const auto connections = findChildren<HttpConnection *>(Qt::FindDirectChildrenOnly);
    for (HttpConnection *connection : connections) {
        disconnect(connection, nullptr, this, nullptr);
        delete connection;
    }
}

bool PlatformSimulator::listen(quint16 port)
{
    return d->server.listen(QHostAddress::LocalHost, port);
}

quint16 PlatformSimulator::port() const
{
    return d->server.serverPort();
}

QString PlatformSimulator::baseUrl() const
{
    return u"http://127.0.0.1:"_s + QString::number(port());
}

void PlatformSimulator::setListenerReply(const QString &station, const ListenerReply &reply)
{
    d->book.setListenerReply(station, reply);
}

void PlatformSimulator::setSongReply(const QString &station, const SongReply &reply)
{
    d->book.setSongReply(station, reply);
}

void PlatformSimulator::setCount(const QString &station, int count)
{
    d->book.setCount(station, count);
}

void PlatformSimulator::setDefaultListenerReply(const ListenerReply &reply)
{
    d->book.setDefaultListenerReply(reply);
}

void PlatformSimulator::setDemoMode(bool on)
{
    d->demo.setRunning(on);
}

void PlatformSimulator::seedStations(const QStringList &stations)
{
    for (const QString &station : stations) {
        d->demo.seed(station);
    }
}

QStringList PlatformSimulator::requestLog() const
{
    return d->log;
}

void PlatformSimulator::clearRequestLog()
{
    d->log.clear();
}

int PlatformSimulator::peakConcurrentRequests() const
{
    return d->peakInFlight;
}

int PlatformSimulator::requestsInFlight() const
{
    return d->inFlight;
}
