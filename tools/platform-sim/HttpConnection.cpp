// SPDX-License-Identifier: MIT
#include "HttpConnection.h"

#include "FillerBody.h"
#include "HttpReply.h"
#include "SocketReset.h"
#include "TrickleBody.h"

#include <QTcpSocket>

HttpConnection::HttpConnection(QTcpSocket *socket, QObject *parent)
    : QObject(parent), m_socket(socket)
{
    socket->setParent(this);
    // Heads and streamed digits go out as separate small writes; do not let Nagle hold them.
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(socket, &QTcpSocket::readyRead, this, &HttpConnection::readIncoming);
    connect(socket, &QTcpSocket::disconnected, this, &HttpConnection::onDisconnected);
    if (socket->state() != QAbstractSocket::ConnectedState) {
        onDisconnected();
    }
}

void HttpConnection::send(const HttpReply &reply)
{
    if (!m_busy) {
        return; // the client went away while the answer was pending
    }
    if (isConnected()) {
        m_socket->write(reply.head(m_keepAlive) + reply.body);
    }
    finishRequest();
}

void HttpConnection::sendFiller(const HttpReply &reply, qint64 size)
{
    if (!m_busy) {
        return;
    }
    if (!isConnected()) {
        finishRequest();
        return;
    }
    m_socket->write(reply.head(size, m_keepAlive));
    auto *filler = new FillerBody(m_socket, size, FillerBody::digits(), this);
    connect(filler, &FillerBody::finished, this, [this, filler] {
        filler->deleteLater();
        finishRequest();
    });
    filler->start();
}

void HttpConnection::sendTrickle(const HttpReply &reply, qint64 announcedSize)
{
    if (!m_busy) {
        return;
    }
    // The answer never completes, so the connection cannot serve another request.
    m_keepAlive = false;
    m_closing = true;
    if (isConnected()) {
        m_socket->write(reply.head(announcedSize, false));
        new TrickleBody(m_socket, this);
    }
}

void HttpConnection::sendEndless(const QByteArray &head, const QByteArray &pattern)
{
    if (!m_busy) {
        return;
    }
    m_keepAlive = false;
    m_closing = true;
    if (isConnected()) {
        m_socket->write(head);
        (new FillerBody(m_socket, -1, pattern, this))->start();
    }
}

void HttpConnection::sendCutShort(const HttpReply &reply, qsizetype bodyBytes, bool announceLength)
{
    if (!m_busy) {
        return;
    }
    m_keepAlive = false;
    m_closing = true;
    if (isConnected()) {
        m_socket->write(reply.head(announceLength ? reply.body.size() : -1, false) +
                        reply.body.first(std::min(bodyBytes, reply.body.size())));
        resetConnection(m_socket); // reports the end of the request through onDisconnected
    }
    if (m_busy) {
        finishRequest();
    }
}

void HttpConnection::drop()
{
    if (!m_busy) {
        return;
    }
    m_keepAlive = false;
    finishRequest();
}

void HttpConnection::readIncoming()
{
    const QByteArray data = m_socket->readAll();
    if (m_closing) {
        return;
    }
    m_buffer += data;
    if (m_buffer.size() > kMaxBuffered) {
        m_closing = true;
        m_socket->abort();
        return;
    }
    processBuffer();
}

void HttpConnection::processBuffer()
{
    if (m_processing) {
        return; // the loop below is running further up the stack and continues by itself
    }
    m_processing = true;
    while (!m_busy && !m_closing && isConnected()) {
        HttpRequest request;
        const HttpRequest::Parse result = HttpRequest::parse(m_buffer, request);
        if (result == HttpRequest::Parse::Incomplete) {
            break;
        }
        if (result == HttpRequest::Parse::Invalid) {
            rejectMalformed();
            break;
        }
        m_busy = true;
        m_keepAlive = request.keepAlive();
        emit requestReady(this, request);
    }
    m_processing = false;
}

void HttpConnection::rejectMalformed()
{
    const HttpReply reply = HttpReply::errorPage(400);
    m_socket->write(reply.head(false) + reply.body);
    m_closing = true;
    m_buffer.clear();
    m_socket->disconnectFromHost();
}

void HttpConnection::finishRequest()
{
    m_busy = false;
    emit requestFinished();
    if (!m_keepAlive) {
        m_closing = true;
        m_buffer.clear();
        // Pending bytes of the answer are still sent before the connection closes.
        if (isConnected()) {
            m_socket->disconnectFromHost();
        }
        return;
    }
    processBuffer();
}

void HttpConnection::onDisconnected()
{
    m_closing = true;
    if (m_busy) {
        m_busy = false;
        emit requestFinished();
    }
    deleteLater();
}

bool HttpConnection::isConnected() const
{
    return m_socket->state() == QAbstractSocket::ConnectedState;
}
