// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QPointer>

class QTcpSocket;

// Streams a body of digits of a given size to a socket. Only a bounded amount waits in
// the socket's buffer at any time, and each step writes a few chunks, so a huge body
// neither costs its size in memory per connection nor stalls the event loop.
class FillerBody : public QObject
{
    Q_OBJECT

public:
    FillerBody(QTcpSocket *socket, qint64 size, QObject *parent);
    void start();

signals:
    // The last byte was handed to the socket.
    void finished();

private:
    static constexpr qint64 kChunkSize = 64 * 1024;
    static constexpr qint64 kHighWater = 4 * kChunkSize;

    void writeMore();

    QPointer<QTcpSocket> m_socket;
    qint64 m_remaining;
};
