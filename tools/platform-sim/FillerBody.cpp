// SPDX-License-Identifier: MIT
#include "FillerBody.h"

#include <QTcpSocket>

#include <algorithm>
#include <limits>

FillerBody::FillerBody(QTcpSocket *socket, qint64 size, const QByteArray &pattern, QObject *parent)
    : QObject(parent), m_socket(socket),
      m_remaining(size < 0 ? std::numeric_limits<qint64>::max() : size)
{
    // Whole patterns only, so an endless stream of lines stays lines.
    const qsizetype copies =
        std::max<qsizetype>(1, kChunkSize / std::max<qsizetype>(1, pattern.size()));
    m_chunk = pattern.repeated(copies);
}

QByteArray FillerBody::digits()
{
    return QByteArrayLiteral("0123456789");
}

void FillerBody::start()
{
    connect(m_socket, &QTcpSocket::bytesWritten, this, &FillerBody::writeMore);
    writeMore();
}

void FillerBody::writeMore()
{
    if (!m_socket || m_remaining == 0) {
        return;
    }
    while (m_remaining > 0 && m_socket->bytesToWrite() < kHighWater) {
        const qint64 n = std::min<qint64>(m_chunk.size(), m_remaining);
        if (m_socket->write(m_chunk.constData(), n) != n) {
            return; // the connection is gone; its owner cleans up
        }
        m_remaining -= n;
    }
    if (m_remaining == 0) {
        disconnect(m_socket, nullptr, this, nullptr);
        emit finished();
    }
}
