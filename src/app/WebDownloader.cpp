// SPDX-License-Identifier: MIT
#include "WebDownloader.h"

#include "Cp1252.h"

#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

WebDownloader::WebDownloader(QObject *parent)
    : QObject(parent), m_network(new QNetworkAccessManager(this))
{
    // The platform's API keeps no session: no cookies are stored or sent.
    m_network->setCookieJar(nullptr);
}

WebDownloader::~WebDownloader()
{
    const auto ids = m_running.keys();
    for (const Id id : ids) {
        abort(id);
    }
}

WebDownloader::Id WebDownloader::get(const QUrl &url, Done done)
{
    const Id id = m_nextId++;
    m_queue.push_back(Request{id, url, std::move(done), {}, {}, nullptr});
    // Started from the event loop, so done never runs inside get.
    scheduleStart();
    return id;
}

void WebDownloader::abort(Id id)
{
    for (auto it = m_queue.begin(); it != m_queue.end(); ++it) {
        if (it->id == id) {
            m_queue.erase(it);
            return;
        }
    }
    if (takeRunning(id)) {
        scheduleStart();
    }
}

std::optional<WebDownloader::Request> WebDownloader::takeRunning(Id id)
{
    auto it = m_running.find(id);
    if (it == m_running.end()) {
        return std::nullopt;
    }
    Request request = std::move(*it);
    m_running.erase(it);
    // May be inside the timer's own timeout signal.
    request.timer->stop();
    request.timer->deleteLater();
    request.timer = nullptr;
    if (request.reply) {
        request.reply->disconnect(this);
        if (request.reply->isRunning()) {
            request.reply->abort();
        }
        request.reply->deleteLater();
    }
    return request;
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
    while (!m_queue.empty() && m_running.size() < kMaxParallel) {
        Request request = std::move(m_queue.front());
        m_queue.pop_front();
        const Id id = request.id;
        start(*m_running.insert(id, std::move(request)));
    }
}

void WebDownloader::start(Request &request)
{
    QNetworkRequest nr(request.url);
    nr.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    nr.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    nr.setRawHeader("Cache-Control", "no-cache");
    const Id id = request.id;
    request.reply = m_network->get(nr);
    request.timer = new QTimer(this);
    request.timer->setSingleShot(true);
    connect(request.timer, &QTimer::timeout, this, [this, id] { fail(id); });
    request.timer->start(m_timeoutMs);
    connect(request.reply, &QNetworkReply::readyRead, this, [this, id] { onReadyRead(id); });
    connect(request.reply, &QNetworkReply::finished, this, [this, id] { onFinished(id); });
}

void WebDownloader::onReadyRead(Id id)
{
    auto it = m_running.find(id);
    if (it == m_running.end() || !it->reply) {
        return;
    }
    it->body += it->reply->readAll();
    if (it->body.size() > kMaxBodyBytes) {
        fail(id);
    }
}

void WebDownloader::onFinished(Id id)
{
    auto it = m_running.find(id);
    if (it == m_running.end() || !it->reply) {
        return;
    }
    QNetworkReply *reply = it->reply;
    it->body += reply->readAll();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool ok = reply->error() == QNetworkReply::NoError && status >= 200 && status < 300 &&
                    it->body.size() <= kMaxBodyBytes;
    finish(id, ok ? Cp1252::decode(it->body) : QString());
}

void WebDownloader::fail(Id id)
{
    finish(id, QString());
}

void WebDownloader::finish(Id id, const QString &answer)
{
    std::optional<Request> request = takeRunning(id);
    if (!request) {
        return;
    }
    startQueued();
    if (request->done) {
        request->done(answer);
    }
}

QString read_textfile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.isHidden()) {
        return {};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return Cp1252::decode(file.readAll());
}
