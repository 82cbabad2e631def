// SPDX-License-Identifier: MIT
#include "HttpRequest.h"

#include <QList>

#include <utility>

namespace {

// Where the empty line that ends the head starts and how long the line break is;
// bare LF is accepted as well as CRLF, as most servers do.
struct HeadEnd
{
    qsizetype at = -1;
    qsizetype breakLength = 0;
};

HeadEnd findHeadEnd(const QByteArray &buffer)
{
    qsizetype from = 0;
    while (true) {
        const qsizetype lf = buffer.indexOf('\n', from);
        if (lf < 0) {
            return {};
        }
        const qsizetype next = lf + 1;
        if (buffer.mid(next, 2) == "\r\n") {
            return {next, 2};
        }
        if (buffer.mid(next, 1) == "\n") {
            return {next, 1};
        }
        from = next;
    }
}

QByteArrayView chopCr(QByteArrayView line)
{
    return line.endsWith('\r') ? line.chopped(1) : line;
}

} // namespace

bool HttpRequest::keepAlive() const
{
    if (hasConnectionToken("close")) {
        return false;
    }
    return version == "HTTP/1.1" || hasConnectionToken("keep-alive");
}

bool HttpRequest::hasConnectionToken(QByteArrayView token) const
{
    const QList<QByteArray> tokens = headers.value("connection").split(',');
    for (const QByteArray &t : tokens) {
        if (t.trimmed().compare(token, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

bool HttpRequest::parseRequestLine(QByteArrayView line)
{
    const QList<QByteArray> parts = line.toByteArray().split(' ');
    if (parts.size() != 3 || parts[0].isEmpty() || parts[1].isEmpty() ||
        !parts[2].startsWith("HTTP/1.")) {
        return false;
    }
    method = parts[0];
    target = parts[1];
    version = parts[2];
    return true;
}

bool HttpRequest::parseHeaderLine(QByteArrayView line)
{
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0) {
        return false;
    }
    const QByteArray name = line.first(colon).trimmed().toByteArray().toLower();
    const QByteArray value = line.sliced(colon + 1).trimmed().toByteArray();
    // Repeated headers combine into one comma-separated list.
    QByteArray &slot = headers[name];
    if (slot.isEmpty()) {
        slot = value;
    } else {
        slot += ", " + value;
    }
    return true;
}

HttpRequest::Parse HttpRequest::parse(QByteArray &buffer, HttpRequest &request)
{
    const HeadEnd end = findHeadEnd(buffer);
    if (end.at < 0) {
        return buffer.size() > kMaxHeadSize ? Parse::Invalid : Parse::Incomplete;
    }
    if (end.at > kMaxHeadSize) {
        return Parse::Invalid;
    }
    HttpRequest parsed;
    const QList<QByteArray> lines = buffer.first(end.at).split('\n');
    // The split leaves an empty piece after the head's last line break.
    if (!parsed.parseRequestLine(chopCr(lines.first()))) {
        return Parse::Invalid;
    }
    for (qsizetype i = 1; i < lines.size() - 1; ++i) {
        if (!parsed.parseHeaderLine(chopCr(lines[i]))) {
            return Parse::Invalid;
        }
    }
    // We never accept a chunked body: its end could not be found without decoding it.
    if (parsed.headers.contains("transfer-encoding")) {
        return Parse::Invalid;
    }
    qint64 bodySize = 0;
    if (parsed.headers.contains("content-length")) {
        bool ok = false;
        bodySize = parsed.headers.value("content-length").toLongLong(&ok);
        if (!ok || bodySize < 0 || bodySize > kMaxBodySize) {
            return Parse::Invalid;
        }
    }
    const qsizetype total = end.at + end.breakLength + bodySize;
    if (buffer.size() < total) {
        return Parse::Incomplete;
    }
    buffer.remove(0, total);
    request = std::move(parsed);
    return Parse::Complete;
}
