// SPDX-License-Identifier: MIT
#pragma once

#include "HttpResponseParser.h"

#include <QByteArray>
#include <QObject>
#include <QUrl>

class QTcpSocket;

// One HTTP GET over a connection of its own, closed as soon as the answer is
// complete or refused. Nothing is buffered beyond what the parser allows: the
// socket's read buffer is small, and a response that breaks a limit closes the
// connection at once, so a hostile server costs this request and nothing else.
// No retries, no cache, no cookies, no compression. finished is emitted exactly
// once, never from inside start().
class HttpGet : public QObject
{
    Q_OBJECT

public:
    enum class Outcome
    {
        Answered, // a complete response; status() tells which
        Failed,   // refused, malformed, cut short, or no connection
    };

    HttpGet(const QUrl &url, qsizetype maxBodyBytes, QObject *parent = nullptr);
    ~HttpGet() override;

    void start();
    // Closes the connection; finished is not emitted afterwards.
    void abort();

    const QUrl &url() const { return m_url; }
    int status() const { return m_parser.status(); }
    const QByteArray &body() const { return m_parser.body(); }
    const QByteArray &location() const { return m_parser.location(); }
    // True once any byte of the answer has arrived.
    bool hasResponded() const { return m_responded; }

    static QByteArray requestBytes(const QUrl &url);

signals:
    void finished(HttpGet::Outcome outcome);

private:
    void onConnected();
    void onReadyRead();
    void onClosed();
    void conclude(Outcome outcome);
    void closeSocket();

    QUrl m_url;
    HttpResponseParser m_parser;
    QTcpSocket *m_socket = nullptr;
    bool m_responded = false;
    bool m_concluded = false;
};
