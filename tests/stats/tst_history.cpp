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
    void recordsInAppendOrderWithEmptySlot();
    void dateAndTimeAsTheyReadAtAppend();
    void initHistoryEmpties();
};

void TestHistory::recordsInAppendOrderWithEmptySlot()
{
    StepClock clock;
    ListenerHistory h(clock, QLocale(QLocale::German, QLocale::Germany));
    h.init_history();
    h.add_history(u"alpha"_s, 57);
    h.add_history(u"beta"_s, 3);
    h.add_history(u"alpha"_s, 57); // same station, same second: both kept
    QCOMPARE(h.size(), 3);
    QList<HistoryRecord> seen;
    h.forEach([&seen](const HistoryRecord &r) { seen.append(r); });
    QCOMPARE(seen.size(), 3);
    QCOMPARE(seen[0].station, u"alpha"_s);
    QCOMPARE(seen[1], (HistoryRecord{u"29.03.2026"_s, u"01:59:58"_s, u"beta"_s, 3}));
    QCOMPARE(seen[2].count, 57);
    // The slot the next append fills matches no station.
    QCOMPARE(h.record(3), HistoryRecord{});
}

void TestHistory::dateAndTimeAsTheyReadAtAppend()
{
    StepClock clock;
    ListenerHistory h(clock, QLocale(QLocale::German, QLocale::Germany));
    h.add_history(u"a"_s, 1);
    clock.time = QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59));
    h.add_history(u"a"_s, 2);
    clock.time = clock.time.addSecs(1);
    h.add_history(u"a"_s, 3);
    QCOMPARE(h.record(0).date + u' ' + h.record(0).time, u"29.03.2026 01:59:58"_s);
    QCOMPARE(h.record(1).date + u' ' + h.record(1).time, u"31.12.2026 23:59:59"_s);
    QCOMPARE(h.record(2).date + u' ' + h.record(2).time, u"01.01.2027 00:00:00"_s);
}

void TestHistory::initHistoryEmpties()
{
    StepClock clock;
    ListenerHistory h(clock);
    h.add_history(u"a"_s, 1);
    h.init_history();
    QCOMPARE(h.size(), 0);
    h.add_history(u"b"_s, 2);
    QCOMPARE(h.record(0).station, u"b"_s);
}

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
