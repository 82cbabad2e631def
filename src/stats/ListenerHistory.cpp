// SPDX-License-Identifier: MIT
#include "ListenerHistory.h"

#include "Clock.h"

ListenerHistory::ListenerHistory(const Clock &clock, QLocale locale)
    : m_clock(clock), m_text(locale)
{
}

void ListenerHistory::init_history()
{
    m_records = {};
    m_stations.clear();
    m_stationIndex.clear();
}

void ListenerHistory::add_history(const QString &station, qint32 count)
{
    auto it = m_stationIndex.constFind(station);
    if (it == m_stationIndex.cend()) {
        it = m_stationIndex.insert(station, std::uint32_t(m_stations.size()));
        m_stations.append(station);
    }
    const QDateTime now = m_clock.now();
    // Keep the wall clock as it read, so a later change of time zone or of daylight
    // saving time does not rewrite what was shown at the time of the poll.
    const QDateTime wall(now.date(), now.time(), Qt::UTC);
    m_records.push_back({wall.toSecsSinceEpoch(), *it, count});
}

HistoryRecord ListenerHistory::record(qsizetype i) const
{
    if (i < 0 || i >= size()) {
        return {};
    }
    const Stored &s = m_records[std::size_t(i)];
    const QDateTime wall = QDateTime::fromSecsSinceEpoch(s.localSeconds, Qt::UTC);
    return {m_text.date(wall.date()), m_text.time(wall.time()), m_stations[s.station], s.count};
}

std::vector<qint32> ListenerHistory::counts(const QString &station) const
{
    // Several stored spellings can match ("Alpha" and "alpha"), so decide per name once
    // and per record only look the index up.
    std::vector<bool> wanted(std::size_t(m_stations.size()), false);
    bool any = false;
    for (qsizetype i = 0; i < m_stations.size(); ++i) {
        if (m_stations[i].compare(station, Qt::CaseInsensitive) == 0) {
            wanted[std::size_t(i)] = true;
            any = true;
        }
    }
    std::vector<qint32> result;
    if (!any) {
        return result;
    }
    for (const Stored &s : m_records) {
        if (wanted[s.station]) {
            result.push_back(s.count);
        }
    }
    return result;
}

std::size_t ListenerHistory::bytesUsed() const
{
    std::size_t names = 0;
    for (const QString &s : m_stations) {
        names += sizeof(QString) + std::size_t(s.capacity()) * sizeof(QChar);
    }
    return m_records.capacity() * sizeof(Stored) + names;
}
