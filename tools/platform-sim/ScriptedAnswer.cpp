// SPDX-License-Identifier: MIT
#include "ScriptedAnswer.h"

#include "SongDocument.h"

namespace {

bool isSuccess(int status)
{
    return status >= 200 && status < 300;
}

// A scripted body goes out as it is; on an error status it is typed as the HTML page
// a web server would send, otherwise as the document normally sent there. Without a
// scripted body an error status gets a small HTML page.
HttpReply replyFor(int status, const QByteArray &scriptedBody, const QByteArray &normalBody,
                   const QByteArray &normalType)
{
    if (scriptedBody.isNull() && !isSuccess(status)) {
        return HttpReply::errorPage(status);
    }
    HttpReply reply;
    reply.status = status;
    reply.body = scriptedBody.isNull() ? normalBody : scriptedBody;
    reply.contentType = isSuccess(status) ? normalType : "text/html; charset=utf-8";
    return reply;
}

} // namespace

ScriptedAnswer ScriptedAnswer::forListeners(const PlatformSimulator::ListenerReply &script)
{
    HttpReply reply = replyFor(script.status, script.body, QByteArray::number(script.count),
                               "text/plain; charset=utf-8");
    if (!script.location.isEmpty()) {
        reply.extraHeaders.append(qMakePair(QByteArray("Location"), script.location));
    }
    return {reply, script.delayMs, script.fault, script.resetAfterBytes};
}

ScriptedAnswer ScriptedAnswer::forSong(const PlatformSimulator::SongReply &script,
                                       const QString &station, const QDateTime &startedAt)
{
    QByteArray document;
    if (script.body.isNull() && isSuccess(script.status)) {
        const SongDocument song{station,       script.id,    script.title,
                                script.artist, script.album, startedAt};
        document = song.toJson();
    }
    return {replyFor(script.status, script.body, document, "application/json; charset=utf-8"),
            script.delayMs, script.fault, script.resetAfterBytes};
}

ScriptedAnswer ScriptedAnswer::plain(const HttpReply &reply)
{
    return {reply, 0, PlatformSimulator::Fault::None, 0};
}
