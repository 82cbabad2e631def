// SPDX-License-Identifier: MIT
#include "HttpResponseParser.h"

#include <limits>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (isDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// A decimal length without sign, blanks or junk; -1 when it is not one.
qint64 parseLength(QByteArrayView text)
{
    if (text.isEmpty() || text.size() > 18) {
        return -1;
    }
    qint64 value = 0;
    for (const char c : text) {
        if (!isDigit(c)) {
            return -1;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

HttpResponseParser::State HttpResponseParser::feed(QByteArrayView bytes)
{
    if (m_state != State::NeedMore) {
        return m_state;
    }
    m_pending.append(bytes.data(), bytes.size());
    return step();
}

HttpResponseParser::State HttpResponseParser::finishAtEnd()
{
    if (m_state != State::NeedMore) {
        return m_state;
    }
    return m_phase == Phase::BodyToEnd ? done() : fail();
}

HttpResponseParser::State HttpResponseParser::fail()
{
    m_state = State::Failed;
    m_pending.clear();
    m_body.clear();
    return m_state;
}

HttpResponseParser::State HttpResponseParser::done()
{
    m_state = State::Done;
    m_pending.clear();
    return m_state;
}

// Takes one line ending in LF (a CR before it is dropped) off the pending bytes.
// False when none is complete yet, or when a line longer than limit fails the parse.
bool HttpResponseParser::takeLine(QByteArrayView &line, qsizetype &consumed, qsizetype limit)
{
    const qsizetype end = m_pending.indexOf('\n');
    if (end < 0) {
        if (m_pending.size() > limit) {
            fail();
        }
        return false;
    }
    if (end > limit) {
        fail();
        return false;
    }
    consumed = end + 1;
    line = QByteArrayView(m_pending).first(end);
    if (line.endsWith('\r')) {
        line.chop(1);
    }
    return true;
}

bool HttpResponseParser::appendBody(QByteArrayView bytes)
{
    if (m_body.size() + bytes.size() > m_maxBody) {
        return false;
    }
    m_body.append(bytes.data(), bytes.size());
    return true;
}

HttpResponseParser::State HttpResponseParser::step()
{
    while (m_state == State::NeedMore) {
        switch (m_phase) {
        case Phase::Head:
        case Phase::Trailer: {
            // The whole head (and a chunked body's trailer) shares one budget.
            QByteArrayView line;
            qsizetype used = 0;
            if (!takeLine(line, used, kMaxHeaderBytes - m_headBytes)) {
                return m_state;
            }
            m_headBytes += used;
            const bool ok = m_phase == Phase::Head ? parseHead(line) : true;
            const bool trailerEnd = m_phase == Phase::Trailer && line.isEmpty();
            m_pending.remove(0, used);
            if (!ok) {
                return fail();
            }
            if (trailerEnd) {
                return done();
            }
            break;
        }
        case Phase::ChunkSize: {
            QByteArrayView line;
            qsizetype used = 0;
            if (!takeLine(line, used, kMaxChunkLine)) {
                return m_state;
            }
            const qsizetype extension = line.indexOf(';');
            QByteArrayView digits = (extension < 0 ? line : line.first(extension)).trimmed();
            qint64 size = digits.isEmpty() ? -1 : 0;
            for (const char c : digits) {
                const int v = hexValue(c);
                if (v < 0 || size > (std::numeric_limits<qint64>::max() >> 4)) {
                    size = -1;
                    break;
                }
                size = size * 16 + v;
            }
            m_pending.remove(0, used);
            if (size < 0 || size > m_maxBody - m_body.size()) {
                return fail();
            }
            m_remaining = size;
            m_phase = size == 0 ? Phase::Trailer : Phase::ChunkData;
            break;
        }
        case Phase::ChunkData:
        case Phase::FixedBody: {
            const qsizetype n = qsizetype(std::min<qint64>(m_remaining, m_pending.size()));
            if (!appendBody(QByteArrayView(m_pending).first(n))) {
                return fail();
            }
            m_pending.remove(0, n);
            m_remaining -= n;
            if (m_remaining > 0) {
                return m_state;
            }
            if (m_phase == Phase::FixedBody) {
                return done();
            }
            m_phase = Phase::ChunkDataEnd;
            break;
        }
        case Phase::ChunkDataEnd: {
            QByteArrayView line;
            qsizetype used = 0;
            if (!takeLine(line, used, 2)) {
                return m_state;
            }
            if (!line.isEmpty()) {
                return fail();
            }
            m_pending.remove(0, used);
            m_phase = Phase::ChunkSize;
            break;
        }
        case Phase::BodyToEnd:
            if (!appendBody(m_pending)) {
                return fail();
            }
            m_pending.clear();
            return m_state;
        }
    }
    return m_state;
}

// One line of the head: the status line, a header line, or the empty line that
// ends the head and decides how the body is framed.
bool HttpResponseParser::parseHead(QByteArrayView line)
{
    if (m_status == 0) {
        // "HTTP/1.1 200 OK"; the reason phrase is optional.
        if (!line.startsWith("HTTP/1.") || line.size() < 12 || line[8] != ' ' ||
            !isDigit(line[9]) || !isDigit(line[10]) || !isDigit(line[11]) ||
            (line.size() > 12 && line[12] != ' ')) {
            return false;
        }
        m_status = (line[9] - '0') * 100 + (line[10] - '0') * 10 + (line[11] - '0');
        m_http10 = line[7] == '0';
        return m_status >= 100;
    }
    if (!line.isEmpty()) {
        return parseHeader(line);
    }
    if (m_status < 200) {
        // An interim answer (100 Continue and the like); the real one follows. A switch
        // of protocols was never asked for.
        if (m_status == 101) {
            return false;
        }
        m_status = 0;
        m_contentLength = -1;
        m_chunked = false;
        m_location.clear();
        return true;
    }
    if (m_status == 204 || m_status == 304 || (!m_chunked && m_contentLength == 0)) {
        done();
    } else if (m_chunked) {
        m_phase = Phase::ChunkSize;
    } else if (m_contentLength > 0) {
        if (m_contentLength > m_maxBody) {
            return false;
        }
        m_remaining = m_contentLength;
        m_phase = Phase::FixedBody;
    } else if (m_http10) {
        m_phase = Phase::BodyToEnd;
    } else if (m_status < 300) {
        return false; // no way to tell a whole answer from one cut short
    } else {
        done(); // a redirect or an error: only its head matters
    }
    return true;
}

bool HttpResponseParser::parseHeader(QByteArrayView line)
{
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0) {
        return false;
    }
    const QByteArrayView name = line.first(colon);
    const QByteArrayView value = line.sliced(colon + 1).trimmed();
    if (name.compare("content-length", Qt::CaseInsensitive) == 0) {
        const qint64 length = parseLength(value);
        // Two different lengths make the end of the body a guess.
        if (length < 0 || (m_contentLength >= 0 && m_contentLength != length)) {
            return false;
        }
        m_contentLength = length;
    } else if (name.compare("transfer-encoding", Qt::CaseInsensitive) == 0) {
        // Only chunked framing can be read; no compression was offered.
        if (value.compare("chunked", Qt::CaseInsensitive) != 0) {
            return false;
        }
        m_chunked = true;
    } else if (name.compare("content-encoding", Qt::CaseInsensitive) == 0) {
        return value.compare("identity", Qt::CaseInsensitive) == 0;
    } else if (name.compare("location", Qt::CaseInsensitive) == 0) {
        m_location = value.toByteArray();
    }
    return true;
}
