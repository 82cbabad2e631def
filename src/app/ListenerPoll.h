// SPDX-License-Identifier: MIT
#pragma once

#include "DisplayText.h"
#include "StationList.h"

#include <QObject>

#include <optional>
#include <vector>

struct KonfigSettings;
class ListenerHistory;
class SongTracker;
class TextDisplay;
class TrayView;
class WebDownloader;

// One poll of every station's listener count (and, with title files on, its current
// song), and the queue of polls.
//
// The downloads of a poll run concurrently (the downloader keeps six at a time),
// but their results are applied strictly in list order, each as soon as every
// earlier station's result of the same kind is in. So the display text, the counts,
// minimum and maximum, the history, the title-file lines and song ids and every
// intermediate display update are exactly those of polling one station after the
// other, only sooner. A poll asked for while one is running is coalesced: exactly one
// more poll follows the running one.
class ListenerPoll : public QObject
{
    Q_OBJECT

public:
    struct Context
    {
        KonfigSettings &konfig;
        StationList &stations;
        ListenerHistory &history;
        TextDisplay &display;
        TrayView &tray;
        SongTracker &songs;
        WebDownloader &downloader;
    };

    enum class Mode
    {
        AsConfigured, // only the changed stations when only_changes is on
        ShowAll,      // every station, whatever only_changes says
    };

    explicit ListenerPoll(Context context, QObject *parent = nullptr);
    ~ListenerPoll() override;

    // Starts a poll now, or once the running one has ended.
    void request(Mode mode = Mode::AsConfigured);
    // Abandons the running poll (the station list is about to be rebuilt); a
    // queued request stays queued.
    void cancel();
    bool isRunning() const { return m_running.has_value(); }

signals:
    // The only-changes display just showed a change.
    void changeShown();
    // A poll has ended; mode is the mode it ran in.
    void finished(ListenerPoll::Mode mode);

private:
    struct Running
    {
        quint64 generation = 0;
        Mode mode = Mode::AsConfigured;
        bool onlyChanges = false;
        bool songs = false; // title files on: each station's current song is fetched too
        DisplayText::Builder text{false};
        std::vector<std::optional<QString>> answers;
        std::vector<std::optional<QByteArray>> documents; // current songs, when fetched
        std::vector<quint64> downloads;
        std::size_t nextToApply = 0;
        std::size_t nextSong = 0; // follows nextToApply: a song needs its station's answer
        bool applying = false;    // the apply loop of this poll is on the stack
        bool textShown = false;
    };

    bool isCurrent(quint64 generation) const;
    void start(Mode mode);
    void fetch(std::size_t index, bool song);
    void applyReady(quint64 generation);
    void apply(std::size_t index);
    void applySong(std::size_t index);
    void finishIfDone(quint64 generation);
    void finish();

    Context m_ctx;
    std::optional<Running> m_running;
    quint64 m_generation = 0;
    bool m_pending = false;
    bool m_pendingShowAll = false;
};
