// SPDX-License-Identifier: MIT
#include "TrickleBody.h"

#include <QTcpSocket>

TrickleBody::TrickleBody(QTcpSocket *socket, QObject *parent) : QObject(parent), m_socket(socket)
{
    connect(&m_timer, &QTimer::timeout, this, &TrickleBody::writeDigit);
    m_timer.start(kIntervalMs);
    writeDigit();
}

void TrickleBody::writeDigit()
{
    if (!m_socket || m_socket->state() != QAbstractSocket::ConnectedState) {
        m_timer.stop();
        return;
    }
    const char digit = static_cast<char>('0' + m_written % 10);
    m_socket->write(&digit, 1);
    ++m_written;
}
