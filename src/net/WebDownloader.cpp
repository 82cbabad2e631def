// SPDX-License-Identifier: MIT
#include "WebDownloader.h"

#include "Cp1252.h"
#include "HttpGet.h"

#include <QTimer>

using namespace Qt::StringLiterals;

WebDownloader::WebDownloader(int timeoutMs, QObject *parent)
    : QObject(parent), m_timeoutMs(timeoutMs)
{
}

WebDownloader::~WebDownloader()
{
    const auto ids = m_running.keys();
    for (const Id id : ids) {
        abort(id);
    }
}

WebDownloader::Id WebDownloader::get(const QUrl &url, Done done, Group group)
{
    Request request{m_nextId++, url, std::move(done), group, nullptr, nullptr, 0};
    const Id id = request.id;
    if (hasTimedOut(group, url)) {
        failLater(std::move(request));
        return id;
    }
    m_queue.push_back(std::move(request));
    // Started from the event loop, so done never runs inside get.
    scheduleStart();
    return id;
}

void WebDownloader::abort(Id id)
{
    for (auto it = m_ready.begin(); it != m_ready.end(); ++it) {
        if (it->id == id) {
            m_ready.erase(it);
            return;
        }
    }
    for (auto it = m_queue.begin(); it != m_queue.end(); ++it) {
        if (it->id == id) {
            m_queue.erase(it);
            return;
        }
    }
    auto it = m_running.find(id);
    if (it != m_running.end()) {
        release(*it);
        m_running.erase(it);
        scheduleStart();
    }
}

void WebDownloader::endGroup(Group group)
{
    m_timedOutHosts.remove(group);
}

QString WebDownloader::hostKey(const QUrl &url)
{
    return url.scheme() + u"://"_s + url.host() + u':' + QString::number(url.port());
}

bool WebDownloader::hasTimedOut(Group group, const QUrl &url) const
{
    const auto it = m_timedOutHosts.constFind(group);
    return group != 0 && it != m_timedOutHosts.cend() && it->contains(hostKey(url));
}

void WebDownloader::scheduleStart()
{
    // One pass over the queue serves every request added before it runs.
    if (!m_startScheduled) {
        m_startScheduled = true;
        QTimer::singleShot(0, this, &WebDownloader::startQueued);
    }
}

void WebDownloader::startQueued()
{
    m_startScheduled = false;
    while (!m_queue.empty() && activeCount() < kMaxParallel && m_running.size() < kMaxConnections) {
        Request request = std::move(m_queue.front());
        m_queue.pop_front();
        const Id id = request.id;
        start(*m_running.insert(id, std::move(request)));
    }
}

void WebDownloader::start(Request &request)
{
    const Id id = request.id;
    request.timer = new QTimer(this);
    request.timer->setSingleShot(true);
    connect(request.timer, &QTimer::timeout, this, [this, id] { onTimer(id); });
    request.timer->start(m_timeoutMs / 4);
    send(request);
}

void WebDownloader::send(Request &request)
{
    const Id id = request.id;
    request.http = new HttpGet(request.url, kMaxBodyBytes, this);
    connect(request.http, &HttpGet::finished, this,
            [this, id](HttpGet::Outcome outcome) { onHttpFinished(id, outcome); });
    request.http->start();
}

void WebDownloader::onHttpFinished(Id id, HttpGet::Outcome outcome)
{
    auto it = m_running.find(id);
    if (it == m_running.end()) {
        return;
    }
    Request &request = *it;
    HttpGet *http = request.http;
    const int status = http->status();
    const bool answered = outcome == HttpGet::Outcome::Answered;
    if (answered && status >= 300 && status < 400 && status != 304 && !http->location().isEmpty() &&
        request.redirects < kMaxRedirects) {
        const QUrl next = request.url.resolved(QUrl::fromEncoded(http->location()));
        // Never from an encrypted address to a plain one.
        const bool downgrade = request.url.scheme() == u"https"_s && next.scheme() != u"https"_s;
        if (!downgrade) {
            http->disconnect(this);
            http->abort();
            http->deleteLater();
            ++request.redirects;
            request.url = next;
            send(request);
            return;
        }
    }
    const bool ok = answered && status >= 200 && status < 300;
    finish(id, ok ? Cp1252::decode(http->body()) : QString());
}

int WebDownloader::activeCount() const
{
    int active = 0;
    for (const Request &request : m_running) {
        active += request.stalled ? 0 : 1;
    }
    return active;
}

// First the stall check a quarter into the request's time, then its end.
void WebDownloader::onTimer(Id id)
{
    auto it = m_running.find(id);
    if (it == m_running.end()) {
        return;
    }
    if (it->stalled) {
        onTimeout(id);
        return;
    }
    // Still running after a quarter of its time, slow or silent: it keeps its time
    // but lets the next request start.
    it->stalled = true;
    it->timer->start(m_timeoutMs - m_timeoutMs / 4);
    startQueued();
}

void WebDownloader::onTimeout(Id id)
{
    auto it = m_running.find(id);
    if (it == m_running.end()) {
        return;
    }
    // Marked before the answer goes out: the group may end inside it.
    if (const Group group = it->group; group != 0) {
        const QString host = hostKey(it->url);
        m_timedOutHosts[group].insert(host);
        failWaiting(group, host);
    }
    finish(id, QString());
    startQueued(); // the time-out itself may have gone with the group's others
}

void WebDownloader::failWaiting(Group group, const QString &host)
{
    for (auto it = m_queue.begin(); it != m_queue.end();) {
        if (it->group == group && hostKey(it->url) == host) {
            failLater(std::move(*it));
            it = m_queue.erase(it);
        } else {
            ++it;
        }
    }
    for (auto it = m_running.begin(); it != m_running.end();) {
        if (it->group == group && !it->http->hasResponded() && hostKey(it->url) == host) {
            release(*it);
            failLater(std::move(*it));
            it = m_running.erase(it);
        } else {
            ++it;
        }
    }
}

void WebDownloader::failLater(Request request)
{
    deliverLater(request.id, std::move(request.done), QString());
}

// Answers go out from the event loop, never from inside a socket's or a timer's
// signal: a done may run a nested event loop, in which those objects are deleted.
void WebDownloader::deliverLater(Id id, Done done, const QString &answer)
{
    m_ready.push_back(Ready{id, std::move(done), answer});
    if (!m_deliveryScheduled) {
        m_deliveryScheduled = true;
        QTimer::singleShot(0, this, &WebDownloader::deliverReady);
    }
}

void WebDownloader::deliverReady()
{
    m_deliveryScheduled = false;
    // A done may abort or add requests; each answer is taken out before it runs.
    while (!m_ready.empty()) {
        Ready ready = std::move(m_ready.front());
        m_ready.pop_front();
        if (ready.done) {
            ready.done(ready.answer);
        }
    }
}

void WebDownloader::release(Request &request)
{
    if (request.timer) {
        // May be inside the timer's own timeout signal.
        request.timer->stop();
        request.timer->deleteLater();
        request.timer = nullptr;
    }
    if (request.http) {
        request.http->disconnect(this);
        request.http->abort();
        request.http->deleteLater();
        request.http = nullptr;
    }
}

void WebDownloader::finish(Id id, const QString &answer)
{
    auto it = m_running.find(id);
    if (it == m_running.end()) {
        return;
    }
    Request request = std::move(*it);
    m_running.erase(it);
    release(request);
    startQueued();
    deliverLater(request.id, std::move(request.done), answer);
}
