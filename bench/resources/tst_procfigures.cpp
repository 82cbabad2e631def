// SPDX-License-Identifier: MIT
// The /proc parsers of bench_resources on file texts as the kernel writes them.
#include "ProcFigures.h"

#include <QTest>

namespace {

const QByteArray kStatTail = " S 1 4242 4242 0 -1 4194304 2345 0 0 0 150 37 0 0 20 0 5 0 "
                             "987654 912345088 11227 18446744073709551615\n";

const QByteArray kRollup = "55d0c8a4e000-7ffd5a1f3000 ---p 00000000 00:00 0   [rollup]\n"
                           "Rss:               42188 kB\n"
                           "Pss:               10012 kB\n"
                           "Shared_Clean:      36840 kB\n"
                           "Shared_Dirty:          0 kB\n"
                           "Private_Clean:       512 kB\n"
                           "Private_Dirty:      4836 kB\n"
                           "Private_Hugetlb:       0 kB\n";

} // namespace

class TestProcFigures : public QObject
{
    Q_OBJECT

private slots:
    void figures_data();
    void figures();
    void growthBetween();
};

void TestProcFigures::figures_data()
{
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<qint64>("expected"); // -1: no figure

    QTest::newRow("stat") << QByteArray("stat") << "4242 (Mirkan_DesktopTool)" + kStatTail
                          << qint64(187);
    // A name may hold blanks and parentheses, which shift a naive split.
    QTest::newRow("stat, name with ') ('")
        << QByteArray("stat") << "4242 (a) (b c)" + kStatTail << qint64(187);
    QTest::newRow("stat cut short")
        << QByteArray("stat") << QByteArray("4242 (x) S 1 4242 0") << qint64(-1);
    QTest::newRow("empty stat, process gone") << QByteArray("stat") << QByteArray() << qint64(-1);
    QTest::newRow("smaps_rollup") << QByteArray("private") << kRollup << qint64(5348);
    QTest::newRow("smaps_rollup without Private_Dirty")
        << QByteArray("private") << QByteArray(kRollup).replace("Private_Dirty", "Dirty")
        << qint64(-1);
    QTest::newRow("status") << QByteArray("switches")
                            << QByteArray("Name:\tbench\nThreads:\t4\n"
                                          "voluntary_ctxt_switches:\t1203\n"
                                          "nonvoluntary_ctxt_switches:\t17\n")
                            << qint64(1220);
    QTest::newRow("status without the involuntary ones")
        << QByteArray("switches") << QByteArray("voluntary_ctxt_switches:\t1203\n") << qint64(-1);
    QTest::newRow("schedstat") << QByteArray("schedstat") << QByteArray("3842522 14059590 3\n")
                               << qint64(3842522);
    QTest::newRow("empty schedstat, thread gone")
        << QByteArray("schedstat") << QByteArray() << qint64(-1);
}

void TestProcFigures::figures()
{
    QFETCH(QByteArray, kind);
    QFETCH(QByteArray, text);
    QFETCH(qint64, expected);
    const std::optional<qint64> got = kind == "stat"        ? ProcFigures::cpuTicks(text)
                                      : kind == "private"   ? ProcFigures::privateKiB(text)
                                      : kind == "schedstat" ? ProcFigures::runNanoseconds(text)
                                                            : ProcFigures::contextSwitches(text);
    QCOMPARE(got.value_or(-1), expected);
}

void TestProcFigures::growthBetween()
{
    // Thread 11 went on, 12 started in the window, 13 ended in it, 14's id went to a
    // new thread.
    const QMap<qint64, qint64> before = {{11, 100}, {13, 50}, {14, 900}};
    const QMap<qint64, qint64> after = {{11, 130}, {12, 7}, {14, 4}};
    QCOMPARE(ProcFigures::growthBetween(before, after), qint64(30 + 7 + 4));
}

QTEST_APPLESS_MAIN(TestProcFigures)
#include "tst_procfigures.moc"
