// SPDX-License-Identifier: MIT
#pragma once

class QTcpSocket;

// Hands what was written to the system, then ends the connection with a reset (RST)
// instead of an orderly close, as a crashing server or a middlebox does.
void resetConnection(QTcpSocket *socket);
