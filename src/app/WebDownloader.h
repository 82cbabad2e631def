// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <deque>
#include <functional>
#include <optional>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

// Small HTTP GETs whose answer is wanted as text, without ever blocking the event
// loop. Every failure - a network error, a status outside 2xx, a time-out, a body
// larger than the limit - gives "", exactly as a download that left no file.
// Answers are never served from a cache. At most kMaxParallel requests run at once;
// the rest wait in order.
class WebDownloader : public QObject
{
    Q_OBJECT

public:
    using Done = std::function<void(const QString &answer)>;
    using Id = quint64;

    static constexpr int kMaxParallel = 6; // what a browser allows per host
    static constexpr int kDefaultTimeoutMs = 10'000;
    static constexpr qint64 kMaxBodyBytes = 64 * 1024;

    explicit WebDownloader(QObject *parent = nullptr);
    ~WebDownloader() override;

    // Whole-request time limit, from the moment the request is sent.
    void setTimeoutMs(int ms) { m_timeoutMs = ms; }

    // Starts (or queues) a GET of url; done runs later on the event loop, never inside get.
    Id get(const QUrl &url, Done done);
    // Forgets the request; its done never runs.
    void abort(Id id);

    int runningCount() const { return int(m_running.size()); }

private:
    struct Request
    {
        Id id = 0;
        QUrl url;
        Done done;
        QByteArray body;
        QPointer<QNetworkReply> reply;
        QTimer *timer = nullptr;
    };

    // Removes a running request and lets go of its reply and timer.
    std::optional<Request> takeRunning(Id id);
    void scheduleStart();
    void startQueued();
    void start(Request &request);
    void onReadyRead(Id id);
    void onFinished(Id id);
    void fail(Id id);
    void finish(Id id, const QString &answer);

    QNetworkAccessManager *m_network;
    std::deque<Request> m_queue;
    QHash<Id, Request> m_running;
    Id m_nextId = 1;
    int m_timeoutMs = kDefaultTimeoutMs;
    bool m_startScheduled = false;
};

// The whole content of the file at path, one character per byte through the 8-bit
// code page (Windows-1252), nothing converted or stripped; "" when it is missing,
// hidden or unreadable.
QString read_textfile(const QString &path);
