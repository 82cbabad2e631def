// SPDX-License-Identifier: MIT
#include "SocketReset.h"

#include <QTcpSocket>

#ifdef _WIN32
#include <winsock2.h>
using NativeSocket = SOCKET;
#else
#include <sys/socket.h>
using NativeSocket = int;
#endif

void resetConnection(QTcpSocket *socket)
{
    socket->flush();
    // A zero linger time makes closing the socket send RST.
    linger immediate{};
    immediate.l_onoff = 1;
    immediate.l_linger = 0;
    setsockopt(static_cast<NativeSocket>(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER,
               reinterpret_cast<const char *>(&immediate), sizeof immediate);
    socket->abort();
}
