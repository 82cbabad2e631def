// SPDX-License-Identifier: MIT
#include "HttpReply.h"

QByteArray HttpReply::head(qint64 contentLength, bool keepAlive) const
{
    QByteArray out = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonPhrase(status) + "\r\n";
    if (!contentType.isEmpty()) {
        out += "Content-Type: " + contentType + "\r\n";
    }
    if (contentLength >= 0) {
        out += "Content-Length: " + QByteArray::number(contentLength) + "\r\n";
    }
    out += keepAlive ? "Connection: keep-alive\r\n" : "Connection: close\r\n";
    out += "Cache-Control: no-cache\r\nServer: platform-sim\r\n";
    for (const auto &[name, value] : extraHeaders) {
        out += name + ": " + value + "\r\n";
    }
    out += "\r\n";
    return out;
}

HttpReply HttpReply::errorPage(int status)
{
    const QByteArray title = QByteArray::number(status) + ' ' + reasonPhrase(status);
    HttpReply reply;
    reply.status = status;
    reply.contentType = "text/html; charset=utf-8";
    reply.body = "<!DOCTYPE html>\n<html><head><title>" + title + "</title></head>\n<body><h1>" +
                 title + "</h1></body></html>\n";
    return reply;
}

QByteArray HttpReply::reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 204:
        return "No Content";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 400:
        return "Bad Request";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 429:
        return "Too Many Requests";
    case 500:
        return "Internal Server Error";
    case 502:
        return "Bad Gateway";
    case 503:
        return "Service Unavailable";
    case 504:
        return "Gateway Timeout";
    default:
        return "Status";
    }
}
