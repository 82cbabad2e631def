// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

// What one answer consists of: status, content type, extra headers and body. For a
// streamed body the body stays empty and head() announces the length to come.
struct HttpReply
{
    int status = 200;
    QByteArray contentType;
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> extraHeaders;

    // Status line and headers up to and including the empty line; a negative length
    // announces none (the body then runs until the connection closes).
    QByteArray head(qint64 contentLength, bool keepAlive) const;
    QByteArray head(bool keepAlive) const { return head(body.size(), keepAlive); }

    // A small HTML page naming the status, as web servers send with their errors.
    static HttpReply errorPage(int status);
    static QByteArray reasonPhrase(int status);
};
