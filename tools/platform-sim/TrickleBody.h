// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

class QTcpSocket;

// Writes one digit to a socket every kInterval and never finishes; it stops by itself
// once the client has gone. Makes a body that never ends.
class TrickleBody : public QObject
{
    Q_OBJECT

public:
    static constexpr int kIntervalMs = 100;

    TrickleBody(QTcpSocket *socket, QObject *parent);

private:
    void writeDigit();

    QPointer<QTcpSocket> m_socket;
    QTimer m_timer;
    int m_written = 0;
};
