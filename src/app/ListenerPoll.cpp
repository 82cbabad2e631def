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
    for (const quint64 id : m_running->downloads) {
        m_ctx.downloader.abort(id);
    }
    m_ctx.songs.cancelAll();
    m_running.reset();
    ++m_generation;
    m_ctx.tray.set_tray_busy(false);
}

void ListenerPoll::start(Mode mode)
{
    m_ctx.tray.set_tray_busy(true);
    if (m_ctx.konfig.stations.isEmpty()) {
        m_ctx.display.set_Print_Text(QString::fromUtf16(DisplayText::kNoStations));
        m_ctx.tray.set_tray_busy(false);
        emit finished(mode);
        return;
    }

    Running run;
    run.generation = ++m_generation;
    run.mode = mode;
    run.onlyChanges = mode == Mode::AsConfigured && m_ctx.konfig.only_changes;
    run.text = DisplayText::Builder(m_ctx.konfig.horizontal != 0);
    const std::size_t n = m_ctx.stations.size();
    run.answers.resize(n);
    run.downloads.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const QString url =
            ApiAddress::stationUrl(m_ctx.konfig, m_ctx.stations[i].name, u"listeners");
        const quint64 generation = run.generation;
        run.downloads.push_back(
            m_ctx.downloader.get(QUrl(url), [this, generation, i](const QString &answer) {
                onAnswer(generation, i, answer);
            }));
    }
    m_running = std::move(run);
    if (n == 0) {
        finishIfDone();
    }
}

void ListenerPoll::onAnswer(quint64 generation, std::size_t index, const QString &answer)
{
    if (!m_running || m_running->generation != generation) {
        return;
    }
    m_running->answers[index] = answer;
    // Apply every result whose predecessors are all in, in list order.
    while (m_running && m_running->generation == generation &&
           m_running->nextToApply < m_running->answers.size() &&
           m_running->answers[m_running->nextToApply]) {
        const std::size_t i = m_running->nextToApply++;
        m_applying = true;
        apply(i, *m_running->answers[i]);
        m_applying = false;
    }
    finishIfDone();
}

void ListenerPoll::apply(std::size_t index, const QString &rawAnswer)
{
    Running &run = *m_running;
    station_entry &station = m_ctx.stations[index];
    const QString answer = DisplayText::format0000(rawAnswer);
    const qint32 count = DisplayText::answerCount(answer);

    station.last_count = station.count;
    station.count = count;
    station.min_listeners = std::min(station.min_listeners, count);
    station.max_listeners = std::max(station.max_listeners, count);
    m_ctx.history.add_history(station.name, count);

    if (!run.onlyChanges) {
        run.text.append(station.name, answer);
    } else if (station.count != station.last_count) {
        const qint64 difference = qint64(station.count) - station.last_count;
        run.text.append(station.name, answer, DisplayText::changeMarker(difference));
        m_ctx.display.set_Print_Text(run.text.text());
        emit changeShown();
    }

    ++run.songsPending;
    const quint64 generation = run.generation;
    m_ctx.songs.get_current_song(
        station.name.toLower(), station.song_id, answer,
        [this, generation, index](qint32 songId) { onSongId(generation, index, songId); });
}

void ListenerPoll::onSongId(quint64 generation, std::size_t index, qint32 songId)
{
    if (!m_running || m_running->generation != generation) {
        return;
    }
    m_ctx.stations[index].song_id = songId;
    --m_running->songsPending;
    // A tracker that answers at once does so inside apply; the answer loop finishes then.
    if (!m_applying) {
        finishIfDone();
    }
}

void ListenerPoll::finishIfDone()
{
    if (!m_running || m_running->nextToApply < m_running->answers.size()) {
        return;
    }
    Running &run = *m_running;
    if (!run.onlyChanges && !run.textShown) {
        run.textShown = true;
        m_ctx.display.set_Print_Text(run.text.text());
    }
    if (run.songsPending > 0) {
        return;
    }
    const Mode mode = run.mode;
    m_running.reset();
    m_ctx.tray.set_tray_busy(false);
    emit finished(mode);
    if (m_pending && !m_running) {
        request(Mode::AsConfigured);
    }
}
