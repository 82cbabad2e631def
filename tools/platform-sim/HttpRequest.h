// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QHash>

// One HTTP/1.x request as it arrived: the request line kept byte for byte, header
// names in lower case. parse() takes requests one at a time off the front of a
// connection's receive buffer, so pipelined requests are read in order.
struct HttpRequest
{
    enum class Parse
    {
        Incomplete, // wait for more bytes
        Complete,   // a request was taken off the buffer
        Invalid,    // not HTTP, or larger than we accept: answer 400 and close
    };

    // A request head larger than this is refused rather than buffered without end.
    static constexpr qsizetype kMaxHeadSize = 16 * 1024;
    // GET carries no body; a body on another method is only skipped, so keep it small.
    static constexpr qint64 kMaxBodySize = 64 * 1024;

    QByteArray method;
    QByteArray target;
    QByteArray version;
    QHash<QByteArray, QByteArray> headers;

    // Whether the connection stays open after the answer (HTTP/1.1 default, 1.0 on request).
    bool keepAlive() const;

    static Parse parse(QByteArray &buffer, HttpRequest &request);

private:
    bool parseRequestLine(QByteArrayView line);
    bool parseHeaderLine(QByteArrayView line);
    bool hasConnectionToken(QByteArrayView token) const;
};
