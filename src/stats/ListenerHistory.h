// SPDX-License-Identifier: MIT
#pragma once

#include "DateTimeText.h"

#include <QHash>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

class Clock;

// One listener count of one station at one poll, as readers see it.
struct HistoryRecord
{
    QString date;    // the local date, the locale's short format with a four-digit year
    QString time;    // the local time, hours:minutes:seconds
    QString station; // exactly as the poll passed it
    qint32 count = 0;

    bool operator==(const HistoryRecord &) const = default;
};

// Every listener count of the current run, in append order, kept in memory only.
//
// A record is stored as a local wall-clock timestamp, an index into the table of
// station names and the count, 16 bytes, so weeks of polling stay small; readers
// get the date and time text back as it read at the moment of the append.
class ListenerHistory
{
public:
    explicit ListenerHistory(const Clock &clock, QLocale locale = QLocale());

    // Back to the empty state.
    void init_history();
    void add_history(const QString &station, qint32 count);

    // Number of records appended since init_history.
    qsizetype size() const { return qsizetype(m_records.size()); }
    // Record i (0 <= i <= size()); i == size() is the empty slot the next append fills.
    HistoryRecord record(qsizetype i) const;

    // Calls visit(record) for every record in append order.
    template <typename Visit> void forEach(Visit visit) const
    {
        for (qsizetype i = 0; i < size(); ++i) {
            visit(record(i));
        }
    }

    // The counts of one station (names compared without regard to letter case), in
    // append order. One pass over the records, however many stations there are.
    std::vector<qint32> counts(const QString &station) const;

    // Bytes held for the records and names, for the memory benchmark.
    std::size_t bytesUsed() const;

private:
    struct Stored
    {
        std::int64_t localSeconds; // wall-clock seconds since 1970, as if it were UTC
        std::uint32_t station;     // index into m_stations
        std::int32_t count;
    };

    const Clock &m_clock;
    DateTimeText m_text;
    std::vector<Stored> m_records;
    QStringList m_stations;
    QHash<QString, std::uint32_t> m_stationIndex;
};
