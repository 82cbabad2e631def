// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// The current-song JSON document as the platform sends it: "id", "title", "artist"
// (an object with "name" and more), "album", and the extra fields a real platform
// adds. Non-ASCII characters are sent as \u escapes, so the document is plain ASCII
// whatever code page the reader assumes.
class SongDocument
{
public:
    QString station;
    int id = 0;
    QString title;
    QString artist;
    QString album;
    QDateTime startedAt;

    QByteArray toJson() const;
    int duration() const; // seconds

    // JSON text with every non-ASCII UTF-16 unit written as a \u escape.
    static QByteArray escapeNonAscii(const QString &json);
};
