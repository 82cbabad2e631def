// SPDX-License-Identifier: MIT
#include "ListenerPoll.h"

#include "ApiAddress.h"
#include "KonfigSettings.h"
#include "ListenerHistory.h"
#include "SongTracker.h"
#include "TextDisplay.h"
#include "TrayView.h"
#include "WebDownloader.h"

#include <QUrl>

using namespace Qt::StringLiterals;

ListenerPoll::ListenerPoll(Context context, QObject *parent) : QObject(parent), m_ctx(context) {}

ListenerPoll::~ListenerPoll()
{
    cancel();
}

void ListenerPoll::request(Mode mode)
{
    if (m_running) {
        m_pending = true;
        m_pendingShowAll = m_pendingShowAll || mode == Mode::ShowAll;
        return;
    }
    if (m_pending) {
        mode = (m_pendingShowAll || mode == Mode::ShowAll) ? Mode::ShowAll : Mode::AsConfigured;
        m_pending = false;
        m_pendingShowAll = false;
    }
    start(mode);
}

void ListenerPoll::cancel()
{
    if (!m_running) {
        return;
    }
    // A full refresh the user asked for still happens, on the new list.
    if (m_running->mode == Mode::ShowAll) {
        m_pending = true;
        m_pendingShowAll = true;
    }
    const std::vector<quint64> downloads = std::move(m_running->downloads);
    const quint64 generation = m_running->generation;
    m_running.reset();
    for (const quint64 id : downloads) {
        m_ctx.downloader.abort(id);
    }
    m_ctx.downloader.endGroup(generation);
    m_ctx.songs.cancelAll();
    m_ctx.tray.set_tray_busy(false);
}

bool ListenerPoll::isCurrent(quint64 generation) const
{
    return m_running && m_running->generation == generation;
}

// Every call that leaves this class (display, tray, signals, song tracker) may run a
// nested event loop in which this poll ends or another starts; each is followed by
// a check that the same poll is still running.
void ListenerPoll::start(Mode mode)
{
    const quint64 generation = ++m_generation;
    m_running.emplace();
    Running &run = *m_running;
    run.generation = generation;
    run.mode = mode;
    run.onlyChanges = mode == Mode::AsConfigured && m_ctx.konfig.only_changes;
    run.text = DisplayText::Builder(m_ctx.konfig.horizontal != 0);

    m_ctx.tray.set_tray_busy(true);
    if (!isCurrent(generation)) {
        return;
    }
    if (m_ctx.konfig.stations.isEmpty()) {
        m_running->textShown = true;
        m_ctx.display.set_Print_Text(QString::fromUtf16(DisplayText::kNoStations));
        if (isCurrent(generation)) {
            finish();
        }
        return;
    }

    const std::size_t n = m_ctx.stations.size();
    m_running->answers.resize(n);
    m_running->downloads.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const QString url =
            ApiAddress::stationUrl(m_ctx.konfig, m_ctx.stations[i].name, u"listeners");
        // The downloader never answers inside get, so the poll cannot change meanwhile.
        m_running->downloads.push_back(m_ctx.downloader.get(
            QUrl(url),
            [this, generation, i](const QString &answer) { onAnswer(generation, i, answer); },
            generation));
    }
    finishIfDone(generation);
}

void ListenerPoll::onAnswer(quint64 generation, std::size_t index, const QString &answer)
{
    if (!isCurrent(generation)) {
        return;
    }
    m_running->answers[index] = answer;
    if (m_running->applying) {
        return; // arrived in a nested event loop: this poll's apply loop takes it up
    }
    // Apply every result whose predecessors are all in, in list order. The flag
    // belongs to this poll: a poll started inside a nested loop applies its own.
    m_running->applying = true;
    while (isCurrent(generation) && m_running->nextToApply < m_running->answers.size() &&
           m_running->answers[m_running->nextToApply]) {
        const std::size_t i = m_running->nextToApply++;
        apply(i, *m_running->answers[i]);
    }
    if (!isCurrent(generation)) {
        return;
    }
    m_running->applying = false;
    finishIfDone(generation);
}

void ListenerPoll::apply(std::size_t index, const QString &rawAnswer)
{
    const quint64 generation = m_running->generation;
    station_entry &station = m_ctx.stations[index];
    const QString answer = DisplayText::format0000(rawAnswer);
    const qint32 count = DisplayText::answerCount(answer);

    station.last_count = station.count;
    station.count = count;
    station.min_listeners = std::min(station.min_listeners, count);
    station.max_listeners = std::max(station.max_listeners, count);
    m_ctx.history.add_history(station.name, count);
    // Counted before anything leaves this class, so the poll cannot end without it.
    ++m_running->songsPending;

    if (!m_running->onlyChanges) {
        m_running->text.append(station.name, answer);
    } else if (station.count != station.last_count) {
        const qint64 difference = qint64(station.count) - station.last_count;
        m_running->text.append(station.name, answer, DisplayText::changeMarker(difference));
        m_ctx.display.set_Print_Text(m_running->text.text());
        if (!isCurrent(generation)) {
            return;
        }
        emit changeShown();
        if (!isCurrent(generation)) {
            return;
        }
    }
    m_ctx.songs.get_current_song(
        lower_case(station.name), station.song_id, answer,
        [this, generation, index](qint32 songId) { onSongId(generation, index, songId); });
}

void ListenerPoll::onSongId(quint64 generation, std::size_t index, qint32 songId)
{
    if (!isCurrent(generation)) {
        return;
    }
    m_ctx.stations[index].song_id = songId;
    --m_running->songsPending;
    // A tracker that answers at once does so inside apply; the apply loop finishes then.
    if (!m_running->applying) {
        finishIfDone(generation);
    }
}

void ListenerPoll::finishIfDone(quint64 generation)
{
    if (!isCurrent(generation) || m_running->nextToApply < m_running->answers.size()) {
        return;
    }
    if (!m_running->textShown) {
        m_running->textShown = true;
        if (!m_running->onlyChanges) {
            m_ctx.display.set_Print_Text(m_running->text.text());
            if (!isCurrent(generation)) {
                return;
            }
        }
    }
    if (m_running->songsPending == 0) {
        finish();
    }
}

void ListenerPoll::finish()
{
    const Mode mode = m_running->mode;
    m_ctx.downloader.endGroup(m_running->generation);
    m_running.reset();
    m_ctx.tray.set_tray_busy(false);
    emit finished(mode);
    if (m_pending && !m_running) {
        request(Mode::AsConfigured);
    }
}
