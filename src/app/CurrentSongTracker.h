// SPDX-License-Identifier: MIT
#pragma once

#include "DateTimeText.h"
#include "SongTracker.h"

#include <QLocale>
#include <QString>

#include <optional>

class Clock;
class JsonBag;

// The title files: parses a station's current-song document and, when its id is new
// and above 0, appends
//     "05.12.2026","14:30:15",4711,"Titel","Interpret","Album",57
// (date and time in the locale's short forms; title, artist and album between the
// quotes as sent, except that control and bidi control characters become blanks; the
// listener count as the whole number the answer gives) with CR LF to
// "titel_<station>.txt" in the program folder.
//
// The document is read as UTF-8, or as Windows-1252 when it is not valid UTF-8; the
// files are UTF-8 without a byte-order mark on every system. A document that is not
// JSON or lacks a field, and a file that cannot be written, cost that line only: a
// warning, and the id 0, so the next poll tries again.
class CurrentSongTracker final : public SongTracker
{
public:
    CurrentSongTracker(const QString &programDir, const Clock &clock,
                       const QLocale &locale = QLocale());

    qint32 get_current_song(const QString &station, qint32 lastSongId, const QString &answer,
                            const QByteArray &document) override;

    // The document as text: UTF-8, or Windows-1252 when it is not valid UTF-8.
    static QString decode(const QByteArray &document);

private:
    // The title file's line for the song, or nullopt with a warning when the
    // document lacks one of its fields.
    std::optional<QByteArray> line(const QString &station, qint32 id, const JsonBag &bag,
                                   const QString &answer) const;

    QString m_programDir;
    const Clock &m_clock;
    DateTimeText m_text;
};
