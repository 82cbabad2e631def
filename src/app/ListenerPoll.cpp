// SPDX-License-Identifier: MIT
#include "ListenerPoll.h"

#include "ApiAddress.h"
#include "Cp1252.h"
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
        m_ctx.display.set_Print_Text(QString::fromUtf16(DisplayText::kNoStations));
        if (isCurrent(generation)) {
            finish();
        }
        return;
    }

    const std::size_t n = m_ctx.stations.size();
    // Read once: a poll either fetches every station's song or none.
    m_running->songs = m_ctx.konfig.write_title2file;
    m_running->answers.resize(n);
    m_running->documents.resize(m_running->songs ? n : 0);
    m_running->downloads.reserve(m_running->songs ? 2 * n : n);
    // The listener requests go first: current songs that never come cannot hold up
    // the counts, which were all asked for before them.
    for (std::size_t i = 0; i < n; ++i) {
        fetch(i, false);
    }
    for (std::size_t i = 0; m_running->songs && i < n; ++i) {
        fetch(i, true);
    }
    finishIfDone(generation);
}

void ListenerPoll::fetch(std::size_t index, bool song)
{
    const quint64 generation = m_running->generation;
    const QString &name = m_ctx.stations[index].name;
    const QString url =
        song ? ApiAddress::stationUrl(m_ctx.konfig, lower_case(name), u"current_song")
             : ApiAddress::stationUrl(m_ctx.konfig, name, u"listeners");
    // The downloader never answers inside get, so the poll cannot change meanwhile.
    m_running->downloads.push_back(m_ctx.downloader.get(
        QUrl(url),
        [this, generation, index, song](const QString &text) {
            if (!isCurrent(generation)) {
                return;
            }
            if (song) {
                // Each byte of a document comes as one Windows-1252 character; the
                // tracker decodes the bytes itself.
                m_running->documents[index] = Cp1252::encode(text);
            } else {
                m_running->answers[index] = text;
            }
            applyReady(generation);
        },
        generation));
}

// Applies, in list order, every listener answer whose predecessors are all in, and
// every current song whose station's answer has been applied.
void ListenerPoll::applyReady(quint64 generation)
{
    if (m_running->applying) {
        return; // arrived in a nested event loop: this poll's apply loop takes it up
    }
    // The flag belongs to this poll: a poll started inside a nested loop applies its own.
    m_running->applying = true;
    for (;;) {
        Running &run = *m_running;
        if (run.songs && run.nextSong < run.nextToApply && run.documents[run.nextSong]) {
            applySong(run.nextSong++);
        } else if (run.nextToApply < run.answers.size() && run.answers[run.nextToApply]) {
            apply(run.nextToApply++);
            if (!isCurrent(generation)) {
                return;
            }
        } else {
            break;
        }
    }
    m_running->applying = false;
    finishIfDone(generation);
}

void ListenerPoll::apply(std::size_t index)
{
    const quint64 generation = m_running->generation;
    station_entry &station = m_ctx.stations[index];
    // Kept formatted: the current-song step reads the answer as shown.
    QString &answer = *m_running->answers[index];
    answer = DisplayText::format0000(answer);
    const qint32 count = DisplayText::answerCount(answer);

    station.last_count = station.count;
    station.count = count;
    station.min_listeners = std::min(station.min_listeners, count);
    station.max_listeners = std::max(station.max_listeners, count);
    m_ctx.history.add_history(station.name, count);
    if (!m_running->songs) {
        station.song_id = 0;
    }

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
    }
}

void ListenerPoll::applySong(std::size_t index)
{
    station_entry &station = m_ctx.stations[index];
    station.song_id =
        m_ctx.songs.get_current_song(lower_case(station.name), station.song_id,
                                     *m_running->answers[index], *m_running->documents[index]);
}

// The display shows the text once every count is in; the poll ends once every song
// is in as well.
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
    if (!m_running->songs || m_running->nextSong == m_running->answers.size()) {
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
