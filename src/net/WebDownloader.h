// SPDX-License-Identifier: MIT
#pragma once

#include "HttpGet.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QUrl>

#include <deque>
#include <functional>

class QTimer;

// Small HTTP GETs whose answer is wanted as text, without ever blocking the event
// loop. Every failure - no connection, a status outside 2xx, a time-out, a body
// larger than the limit or cut short, a header block beyond its limit - gives "",
// exactly as a download that left no file. Answers are never served from a cache.
// At most kMaxParallel requests run at once; the rest wait in order.
//
// A request still running after a quarter of its time is stalled: it keeps its
// connection and its time, but no longer holds one of the kMaxParallel places, so
// requests behind it start (up to kMaxConnections open at once). Requests can be
// grouped (one poll's requests form a group). Once a request of a group has run out
// of time, that host counts as not answering for the group: the group's requests to
// it that have not had a byte of answer yet, running or waiting, fail at once instead
// of each waiting out its own time. So a host that accepts and never answers for some
// stations costs a group one time-out, not one per station, and what it does answer
// in that time still counts.
class WebDownloader : public QObject
{
    Q_OBJECT

public:
    using Done = std::function<void(const QString &answer)>;
    using Id = quint64;
    using Group = quint64; // 0: the request belongs to no group

    static constexpr int kMaxParallel = 6; // what a browser allows per host
    static constexpr int kMaxConnections = 32;
    static constexpr int kDefaultTimeoutMs = 10'000;
    static constexpr qsizetype kMaxBodyBytes = 64 * 1024;
    static constexpr int kMaxRedirects = 5;

    // timeoutMs: whole-request time limit, from the moment the request is sent,
    // redirects included.
    explicit WebDownloader(int timeoutMs = kDefaultTimeoutMs, QObject *parent = nullptr);
    ~WebDownloader() override;

    // Starts (or queues) a GET of url; done runs later on the event loop, never inside get.
    Id get(const QUrl &url, Done done, Group group = 0);
    // Forgets the request; its done never runs.
    void abort(Id id);
    // The group is over: its hosts that timed out get a fresh chance in later groups.
    void endGroup(Group group);

private:
    struct Request
    {
        Id id = 0;
        QUrl url;
        Done done;
        Group group = 0;
        HttpGet *http = nullptr;
        QTimer *timer = nullptr;
        int redirects = 0;
        bool stalled = false; // past a quarter of its time: no longer holds a place
    };

    static QString hostKey(const QUrl &url);
    bool hasTimedOut(Group group, const QUrl &url) const;
    void scheduleStart();
    void startQueued();
    void start(Request &request);
    void send(Request &request);
    void onHttpFinished(Id id, HttpGet::Outcome outcome);
    void onTimer(Id id);
    void onTimeout(Id id);
    int activeCount() const;
    void failWaiting(Group group, const QString &host);
    struct Ready
    {
        Id id = 0;
        Done done;
        QString answer;
    };

    void failLater(Request request);
    void deliverLater(Id id, Done done, const QString &answer);
    void deliverReady();
    void release(Request &request);
    void finish(Id id, const QString &answer);

    std::deque<Request> m_queue;
    QHash<Id, Request> m_running;
    std::deque<Ready> m_ready; // answered on the next pass of the event loop
    QHash<Group, QSet<QString>> m_timedOutHosts;
    Id m_nextId = 1;
    int m_timeoutMs;
    bool m_startScheduled = false;
    bool m_deliveryScheduled = false;
};
