// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>

class QTcpSocket;

// Streams bytes to a socket: a pattern repeated until size bytes are out, or for
// ever when size is negative (until the client goes). Only a bounded amount waits in
// the socket's buffer at any time, and each step writes a few chunks, so a huge or
// endless stream neither costs its size in memory nor stalls the event loop; the
// client sets the pace, as fast as it reads.
class FillerBody : public QObject
{
    Q_OBJECT

public:
    FillerBody(QTcpSocket *socket, qint64 size, const QByteArray &pattern, QObject *parent);
    void start();

    // "0123456789" repeated: a body of digits.
    static QByteArray digits();

signals:
    // The last byte was handed to the socket (never, for an endless stream).
    void finished();

private:
    static constexpr qint64 kChunkSize = 64 * 1024;
    static constexpr qint64 kHighWater = 4 * kChunkSize;

    void writeMore();

    QPointer<QTcpSocket> m_socket;
    qint64 m_remaining;
    QByteArray m_chunk;
};
