// SPDX-License-Identifier: MIT
#include "HttpGet.h"

#include <QCoreApplication>
#include <QTcpSocket>
#if QT_CONFIG(ssl)
#include <QSslSocket>
#endif

namespace {

// Small enough that an endless body never piles up unread; the parser takes each
// piece as it comes.
constexpr qint64 kReadChunk = 16 * 1024;

} // namespace

HttpGet::HttpGet(const QUrl &url, qsizetype maxBodyBytes, QObject *parent)
    : QObject(parent), m_url(url), m_parser(maxBodyBytes)
{
}

HttpGet::~HttpGet()
{
    closeSocket();
}

QByteArray HttpGet::requestBytes(const QUrl &url)
{
    QByteArray target = url.path(QUrl::FullyEncoded).toLatin1();
    if (target.isEmpty()) {
        target = "/";
    }
    if (url.hasQuery()) {
        target += '?' + url.query(QUrl::FullyEncoded).toLatin1();
    }
    QByteArray host = url.host(QUrl::FullyEncoded).toLatin1();
    if (host.contains(':')) {
        host = '[' + host + ']';
    }
    const int defaultPort = url.scheme() == QLatin1StringView("https") ? 443 : 80;
    if (url.port(defaultPort) != defaultPort) {
        host += ':' + QByteArray::number(url.port());
    }
    return "GET " + target + " HTTP/1.1\r\nHost: " + host +
           "\r\nUser-Agent: Mirkan_DesktopTool\r\nAccept: */*\r\n"
           "Cache-Control: no-cache\r\nPragma: no-cache\r\nConnection: close\r\n\r\n";
}

void HttpGet::start()
{
    const QString scheme = m_url.scheme();
    const bool https = scheme == QLatin1StringView("https");
    bool usable = m_url.isValid() && !m_url.host().isEmpty() &&
                  (https || scheme == QLatin1StringView("http"));
#if QT_CONFIG(ssl)
    usable = usable && (!https || QSslSocket::supportsSsl());
    m_socket = https ? new QSslSocket(this) : new QTcpSocket(this);
#else
    usable = usable && !https;
    m_socket = new QTcpSocket(this);
#endif
    if (!usable) {
        QMetaObject::invokeMethod(
            this, [this] { conclude(Outcome::Failed); }, Qt::QueuedConnection);
        return;
    }
    m_socket->setReadBufferSize(kReadChunk);
    connect(m_socket, &QTcpSocket::readyRead, this, &HttpGet::onReadyRead);
    connect(m_socket, &QTcpSocket::disconnected, this, &HttpGet::onClosed);
    connect(m_socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        if (error == QAbstractSocket::RemoteHostClosedError) {
            onClosed();
        } else {
            conclude(Outcome::Failed);
        }
    });
    const quint16 port = quint16(m_url.port(https ? 443 : 80));
#if QT_CONFIG(ssl)
    if (https) {
        auto *ssl = static_cast<QSslSocket *>(m_socket);
        connect(ssl, &QSslSocket::encrypted, this, &HttpGet::onConnected);
        ssl->connectToHostEncrypted(m_url.host(), port);
        return;
    }
#endif
    connect(m_socket, &QTcpSocket::connected, this, &HttpGet::onConnected);
    m_socket->connectToHost(m_url.host(), port);
}

void HttpGet::abort()
{
    m_concluded = true;
    closeSocket();
}

void HttpGet::onConnected()
{
    m_socket->write(requestBytes(m_url));
}

void HttpGet::onReadyRead()
{
    char buffer[kReadChunk];
    while (!m_concluded && m_socket && m_socket->bytesAvailable() > 0) {
        const qint64 n = m_socket->read(buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        m_responded = true;
        switch (m_parser.feed(QByteArrayView(buffer, n))) {
        case HttpResponseParser::State::NeedMore:
            break;
        case HttpResponseParser::State::Done:
            conclude(Outcome::Answered);
            return;
        case HttpResponseParser::State::Failed:
            conclude(Outcome::Failed);
            return;
        }
    }
}

void HttpGet::onClosed()
{
    if (m_concluded) {
        return;
    }
    onReadyRead(); // what arrived before the end still counts
    if (m_concluded) {
        return;
    }
    conclude(m_parser.finishAtEnd() == HttpResponseParser::State::Done ? Outcome::Answered
                                                                       : Outcome::Failed);
}

void HttpGet::conclude(Outcome outcome)
{
    if (m_concluded) {
        return;
    }
    m_concluded = true;
    closeSocket();
    emit finished(outcome);
}

void HttpGet::closeSocket()
{
    if (!m_socket) {
        return;
    }
    QTcpSocket *socket = m_socket;
    m_socket = nullptr;
    socket->disconnect(this);
    // Closed at once, unread bytes and all: nothing keeps streaming in the background.
    socket->abort();
    socket->deleteLater();
}
