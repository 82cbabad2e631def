// SPDX-License-Identifier: MIT
#include "FillerBody.h"

#include <QByteArray>
#include <QTcpSocket>

#include <algorithm>

namespace {

const QByteArray &digitChunk(qsizetype size)
{
    static const QByteArray chunk = [size] {
        QByteArray bytes(size, Qt::Uninitialized);
        for (qsizetype i = 0; i < size; ++i) {
            bytes[i] = static_cast<char>('0' + i % 10);
        }
        return bytes;
    }();
    return chunk;
}

} // namespace

FillerBody::FillerBody(QTcpSocket *socket, qint64 size, QObject *parent)
    : QObject(parent), m_socket(socket), m_remaining(size)
{
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
    const QByteArray &chunk = digitChunk(kChunkSize);
    while (m_remaining > 0 && m_socket->bytesToWrite() < kHighWater) {
        const qint64 n = std::min<qint64>(chunk.size(), m_remaining);
        if (m_socket->write(chunk.constData(), n) != n) {
            return; // the connection is gone; its owner cleans up
        }
        m_remaining -= n;
    }
    if (m_remaining == 0) {
        disconnect(m_socket, nullptr, this, nullptr);
        emit finished();
    }
}
