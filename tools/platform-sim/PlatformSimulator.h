// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QTcpServer;
class QTcpSocket;

// A stand-in for the radio platform's public HTTP API: a real HTTP/1.1 server on
// 127.0.0.1 that answers "/station/<name>/listeners" with a decimal number as plain
// text and "/station/<name>/current_song" with a JSON document. Tests, the poll
// benchmark and the demo all run the program against it instead of the internet.
//
// Each station's answers can be scripted: a fixed count or body, a delay, an HTTP
// status, or a misbehaviour of the kinds hostile or broken servers show (bodies that
// never end, slowly or at full speed; an oversized body; a flood of header lines; a
// connection dropped, reset mid-body, or never answered). Every request is logged in
// arrival order.
class PlatformSimulator : public QObject
{
    Q_OBJECT

public:
    enum class Fault
    {
        None,          // answer normally
        NeverEnding,   // send headers and then a trickle of digits that never finishes
        Oversized,     // a valid reply whose body is 10 MB of digits
        Drop,          // close the connection without answering; a client that had reused a
                       // kept-alive connection may retry once, so the request is logged twice
        FastEndless,   // a chunked body of digits that never ends, as fast as the client reads
        HeaderFlood,   // a status line, then header lines as fast as the client takes them
        Reset,         // announce the whole body, send resetAfterBytes of it, then reset
        ResetUnframed, // no length announced: send resetAfterBytes of the body, then reset
        Silent,        // read the request and never answer
    };

    // Fault names for the command line: none, trickle, oversized, drop, endless,
    // header-flood, reset, reset-unframed, silent. False when name is none of them.
    static bool faultFromName(QStringView name, Fault &fault);

    // How one station's listener request is answered.
    struct ListenerReply
    {
        int count = 0;    // used when body is null
        QByteArray body;  // when not null: sent as it is instead of the count
        int status = 200; // HTTP status code of the reply
        int delayMs = 0;  // wait this long before answering (never blocks the server)
        Fault fault = Fault::None;
        int resetAfterBytes = 0; // Reset: body bytes sent before the reset
        QByteArray location;     // sent as the Location header when not empty
    };

    // How one station's current-song request is answered.
    struct SongReply
    {
        int id = 1;
        QString title = QStringLiteral("Titel");
        QString artist = QStringLiteral("Interpret");
        QString album = QStringLiteral("Album");
        QByteArray body; // when not null: sent as it is instead of the document
        int status = 200;
        int delayMs = 0;
        Fault fault = Fault::None;
        int resetAfterBytes = 0;
    };

    explicit PlatformSimulator(QObject *parent = nullptr);
    ~PlatformSimulator() override;

    // Listens on 127.0.0.1; port 0 picks a free port. Returns false when it cannot.
    bool listen(quint16 port = 0);
    quint16 port() const;
    // "http://127.0.0.1:<port>", the value to put into the program's api_host key.
    QString baseUrl() const;

    // Stations that have no scripted reply answer with count 0 and song id 1. Station
    // names are matched without regard to case.
    void setListenerReply(const QString &station, const ListenerReply &reply);
    void setSongReply(const QString &station, const SongReply &reply);
    void setCount(const QString &station, int count); // keeps the rest of the station's reply
    // Applied to every station without a reply of its own.
    void setDefaultListenerReply(const ListenerReply &reply);

    // Demo mode: every station's count drifts at random every few seconds and its
    // song changes every 20 to 60 seconds; scripted replies are the starting point. A station
    // first asked for in demo mode starts as if it had been seeded.
    void setDemoMode(bool on);
    // Gives each station a plausible random count (20 to 300) and song unless it has a
    // scripted reply already; this also makes it drift in demo mode.
    void seedStations(const QStringList &stations);

    // "GET /station/alpha/listeners" style lines, in order of arrival, percent-encoding
    // kept as received. Requests for unknown paths are logged too (and answered 404).
    QStringList requestLog() const;
    void clearRequestLog();
    // Largest number of requests that were being answered at the same moment: received
    // and not yet fully answered (a never-ending answer counts until the client leaves).
    int peakConcurrentRequests() const;
    // Requests received and not yet fully answered, the same way; 0 once every answer,
    // delayed ones included, has gone out or its client has left.
    int requestsInFlight() const;

signals:
    void requestReceived(const QString &line);

private:
    struct Private;
    std::unique_ptr<Private> d;
};
