// SPDX-License-Identifier: MIT
#include "Clock.h"
#include "ListenerHistory.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class StepClock final : public Clock
{
public:
    QDateTime now() const override { return time; }
    QDateTime time{QDate(2026, 3, 29), QTime(1, 59, 58)};
};

} // namespace

class TestHistory : public QObject
{
    Q_OBJECT

private slots:
    void recordsAsTheyReadAtAppend()
    {
        StepClock clock;
        ListenerHistory h(clock, QLocale(QLocale::German, QLocale::Germany));
        h.add_history(u"alpha"_s, 57);
        clock.time = QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59));
        h.add_history(u"beta"_s, 3);
        h.add_history(u"alpha"_s, 57); // a station again: both records kept
        QList<HistoryRecord> seen;
        h.forEach([&seen](const HistoryRecord &r) { seen.append(r); });
        QCOMPARE(seen, (QList<HistoryRecord>{{u"29.03.2026"_s, u"01:59:58"_s, u"alpha"_s, 57},
                                             {u"31.12.2026"_s, u"23:59:59"_s, u"beta"_s, 3},
                                             {u"31.12.2026"_s, u"23:59:59"_s, u"alpha"_s, 57}}));
        // The slot the next append fills matches no station.
        QCOMPARE(h.record(3), HistoryRecord{});

        h.init_history();
        QCOMPARE(h.size(), 0);
        h.add_history(u"beta"_s, 2);
        QCOMPARE(h.record(0).station, u"beta"_s);
    }
};

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
