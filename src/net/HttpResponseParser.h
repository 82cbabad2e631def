// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Reads one HTTP/1.x response from the bytes of a connection, fed as they arrive,
// and refuses anything that could make a client hold or wait for unbounded data:
// a header block beyond kMaxHeaderBytes, a body beyond the body limit, malformed
// framing. A body is complete only by its declared length, by the last chunk, or
// (neither given) by the end of the connection; a connection that ends before a
// declared end is an error, never a short answer. Interim 1xx responses are skipped.
//
// A connection reset looks like an orderly close to a socket, so a body that runs to
// the connection's end cannot be told from one cut short. It is accepted from an
// HTTP/1.0 server, which has no other way to end a body; from an HTTP/1.1 server a
// successful answer must announce its length or come in chunks.
class HttpResponseParser
{
public:
    enum class State
    {
        NeedMore, // feed more bytes, or call finishAtEnd when the connection has ended
        Done,     // status(), header values and body() are final; later bytes are ignored
        Failed,   // the response is unusable; close the connection
    };

    static constexpr qsizetype kMaxHeaderBytes = 64 * 1024;
    static constexpr qsizetype kMaxChunkLine = 1024;

    explicit HttpResponseParser(qsizetype maxBodyBytes) : m_maxBody(maxBodyBytes) {}

    State feed(QByteArrayView bytes);
    // The connection ended (orderly or not): completes a body that runs to the end.
    State finishAtEnd();

    State state() const { return m_state; }
    int status() const { return m_status; }
    const QByteArray &body() const { return m_body; }
    // The Location header of the final response; empty when there was none.
    const QByteArray &location() const { return m_location; }

private:
    enum class Phase
    {
        Head,
        FixedBody,
        ChunkSize,
        ChunkData,
        ChunkDataEnd,
        Trailer,
        BodyToEnd,
    };

    State fail();
    State done();
    bool parseHead(QByteArrayView head);
    bool parseHeader(QByteArrayView line);
    State step();
    bool takeLine(QByteArrayView &line, qsizetype &consumed, qsizetype limit);
    bool appendBody(QByteArrayView bytes);

    qsizetype m_maxBody;
    State m_state = State::NeedMore;
    Phase m_phase = Phase::Head;
    QByteArray m_pending; // received, not yet consumed
    qsizetype m_headBytes = 0;
    int m_status = 0;
    bool m_http10 = false;
    qint64 m_contentLength = -1;
    qint64 m_remaining = 0;
    bool m_chunked = false;
    QByteArray m_location;
    QByteArray m_body;
};
