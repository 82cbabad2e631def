// SPDX-License-Identifier: MIT
#pragma once

#include "HttpRequest.h"

#include <QByteArray>
#include <QObject>

class QTcpSocket;
struct HttpReply;

// One accepted client connection. It reads requests one at a time (pipelined ones
// wait in the buffer), hands each to its owner through requestReady, and keeps the
// connection open between answers when the client asks for keep-alive. The owner
// answers every request exactly once with one of the send/drop calls, now or later;
// requestFinished follows each answer, or the loss of the connection while one is
// outstanding. The object deletes itself when the client goes away.
class HttpConnection : public QObject
{
    Q_OBJECT

public:
    // Takes ownership of the connected socket.
    HttpConnection(QTcpSocket *socket, QObject *parent);

    void send(const HttpReply &reply);
    // Announces size bytes and streams a filler body without holding it in memory.
    void sendFiller(const HttpReply &reply, qint64 size);
    // Announces announcedSize bytes and then sends one digit now and then, until the
    // client gives up.
    void sendTrickle(const HttpReply &reply, qint64 announcedSize);
    // Closes the connection without answering.
    void drop();
    // Sends head, then pattern over and over until the client leaves.
    void sendEndless(const QByteArray &head, const QByteArray &pattern);
    // Sends the head (announcing the body's length or not), the first bodyBytes bytes of
    // the body, then resets the connection.
    void sendCutShort(const HttpReply &reply, qsizetype bodyBytes, bool announceLength);

signals:
    void requestReady(HttpConnection *connection, const HttpRequest &request);
    void requestFinished();

private:
    // Buffered bytes beyond this (a client pipelining without reading) end the connection.
    static constexpr qsizetype kMaxBuffered = 1024 * 1024;

    void readIncoming();
    void processBuffer();
    void rejectMalformed();
    void finishRequest();
    void onDisconnected();
    bool isConnected() const;

    QTcpSocket *m_socket;
    QByteArray m_buffer;
    bool m_busy = false;       // a request awaits its answer
    bool m_keepAlive = false;  // of the request being answered
    bool m_closing = false;    // no further requests are read
    bool m_processing = false; // guards processBuffer against re-entry from an answer
};
