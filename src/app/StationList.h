// SPDX-License-Identifier: MIT
#pragma once

#include "TextCase.h"

#include <QString>

#include <vector>

// One configured station and what the polls of the current list found for it.
struct station_entry
{
    QString name; // trimmed, ä/ö/ü transliterated, lower case
    qint32 min_listeners = 999999;
    qint32 max_listeners = 0;
    qint32 last_count = 0; // count of the previous poll
    qint32 count = 0;      // count of the latest poll
    qint32 song_id = 0;    // id of the last current-song document seen

    bool operator==(const station_entry &) const = default;
};

using StationList = std::vector<station_entry>;

// Rebuilds list from the stations setting ("a; b ;c"). An empty setting leaves the
// list untouched; a setting of only separators gives one record with an empty name.
void split_stations(const QString &stations, StationList &list);

// Replaces every occurrence of search in text (case-sensitive); returns the result,
// which is also left in text.
QString replace_text(QString &text, const QString &search, const QString &replacement);

// Occurrences of search in text, overlapping ones included; -1 for an empty search.
qint32 count_text(QStringView text, QStringView search, Qt::CaseSensitivity mode);

// Highest / lowest count of the first station whose name matches (case-insensitively);
// 0 when none does.
qint32 station_max(const StationList &list, const QString &name);
qint32 station_min(const StationList &list, const QString &name);
