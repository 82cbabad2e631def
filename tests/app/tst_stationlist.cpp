// SPDX-License-Identifier: MIT
#include "DisplayText.h"
#include "StationList.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestStationList : public QObject
{
    Q_OBJECT

private slots:
    void splitStations_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("empty setting keeps the list") << QString() << QStringList{u"old"_s};
        QTest::newRow("blanks around names") << u"a; b ;c"_s << QStringList{u"a"_s, u"b"_s, u"c"_s};
        QTest::newRow("empty part inside") << u"a;;b"_s << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("trailing separator") << u"a;b;"_s << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("umlauts spelled out, capital ones lowered")
            << u"Müller;ÖL;Bär"_s << QStringList{u"mueller"_s, u"öl"_s, u"baer"_s};
        QTest::newRow("only separators") << u"; ;"_s << QStringList{u""_s};
        QTest::newRow("only blanks are trimmed")
            << u" a\t ;\nb "_s << QStringList{u"a\t"_s, u"\nb"_s};
    }

    void splitStations()
    {
        QFETCH(QString, setting);
        StationList list{station_entry{u"old"_s}};
        list[0].count = 5;
        list[0].song_id = 9;
        const StationList before = list;
        split_stations(setting, list);
        QStringList got;
        for (const station_entry &s : list) {
            got << s.name;
        }
        QTEST(got, "names");
        if (setting.isEmpty()) {
            QVERIFY(list == before);
        } else {
            // A rebuilt list starts afresh: no counts, minimum 999999, maximum 0.
            QCOMPARE(list[0], station_entry{got[0]});
        }
    }

    void stationMinMax()
    {
        StationList list;
        split_stations(u"eins;zwei"_s, list);
        list[1].min_listeners = 3;
        list[1].max_listeners = 40;
        QCOMPARE(station_max(list, u"ZWEI"_s), 40);
        QCOMPARE(station_min(list, u"zwei"_s), 3);
        QCOMPARE(station_max(list, u"drei"_s), 0);
        QCOMPARE(station_min(list, u"drei"_s), 0);
    }

    void changeMarker_data()
    {
        QTest::addColumn<qint64>("difference");
        QTest::addColumn<QString>("marker");
        // Small ones are in the poll tests; a difference of two 32-bit counts needs more bits.
        QTest::newRow("large") << qint64(12345) << u" +12345"_s;
        QTest::newRow("beyond 32 bits") << qint64(-4294967295) << u"  -4294967295"_s;
    }

    void changeMarker()
    {
        QFETCH(qint64, difference);
        QTEST(DisplayText::changeMarker(difference), "marker");
    }
};

QTEST_GUILESS_MAIN(TestStationList)
#include "tst_stationlist.moc"
