// SPDX-License-Identifier: MIT
#include "DisplayText.h"
#include "StationList.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestStationList : public QObject
{
    Q_OBJECT

private slots:
    void splitStations_data();
    void splitStations();
    void emptySettingKeepsList();
    void rebuildResetsCounts();
    void letterCase_data();
    void letterCase();
    void countText_data();
    void countText();
    void replaceText();
    void stationMinMax();
    void format0000_data();
    void format0000();
    void changeMarker_data();
    void changeMarker();
};

void TestStationList::splitStations_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("blanks around names") << u"a; b ;c"_s << QStringList{u"a"_s, u"b"_s, u"c"_s};
    QTest::newRow("empty part inside") << u"a;;b"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("trailing separator") << u"a;b;"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("leading separator") << u";a"_s << QStringList{u"a"_s};
    QTest::newRow("umlauts, capital ones stay")
        << u"Müller;Öl;Bär"_s << QStringList{u"mueller"_s, u"öl"_s, u"baer"_s};
    QTest::newRow("lower-cased") << u"ALPHA"_s << QStringList{u"alpha"_s};
    QTest::newRow("only separators") << u"; ;"_s << QStringList{u""_s};
    QTest::newRow("single name") << u"eins"_s << QStringList{u"eins"_s};
    QTest::newRow("only blanks are trimmed") << u" a\t ;\nb "_s << QStringList{u"a\t"_s, u"\nb"_s};
    QTest::newRow("sharp s stays one letter")
        << u"STRASSE;Straße"_s << QStringList{u"strasse"_s, u"straße"_s};
}

void TestStationList::splitStations()
{
    QFETCH(QString, setting);
    QFETCH(QStringList, names);
    StationList list(3);
    list[0].name = u"old"_s;
    split_stations(setting, list);
    QStringList got;
    for (const station_entry &s : list) {
        got << s.name;
        QCOMPARE(s.min_listeners, 999999);
        QCOMPARE(s.max_listeners, 0);
    }
    QCOMPARE(got, names);
}

void TestStationList::emptySettingKeepsList()
{
    StationList list(1);
    list[0].name = u"alt"_s;
    list[0].count = 17;
    split_stations(QString(), list);
    QCOMPARE(list.size(), 1u);
    QCOMPARE(list[0].count, 17);
}

void TestStationList::rebuildResetsCounts()
{
    StationList list;
    split_stations(u"a;b"_s, list);
    list[1].count = 5;
    list[1].song_id = 9;
    split_stations(u"a;b"_s, list);
    QCOMPARE(list[1], station_entry{u"b"_s});
}

void TestStationList::letterCase_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("lower");
    QTest::newRow("sharp s") << u"straße"_s << u"STRAßE"_s << u"straße"_s;
    QTest::newRow("umlauts") << u"Öl bär"_s << u"ÖL BÄR"_s << u"öl bär"_s;
    QTest::newRow("ligature stays one letter") << u"ﬁ"_s << u"ﬁ"_s << u"ﬁ"_s;
    QTest::newRow("outside the basic plane") << u"𐐨"_s << u"𐐀"_s << u"𐐨"_s;
}

// One character in, one character out, as the Windows text functions map case.
void TestStationList::letterCase()
{
    QFETCH(QString, text);
    QFETCH(QString, upper);
    QFETCH(QString, lower);
    QCOMPARE(upper_case(text), upper);
    QCOMPARE(lower_case(text), lower);
}

void TestStationList::countText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("search");
    QTest::addColumn<bool>("textual");
    QTest::addColumn<int>("count");
    QTest::newRow("colons") << u"A:B:C"_s << u":"_s << false << 2;
    QTest::newRow("empty search") << u"A:B"_s << u""_s << false << -1;
    QTest::newRow("overlapping") << u"aaaa"_s << u"aa"_s << false << 3;
    QTest::newRow("exact misses case") << u"Ab ab"_s << u"AB"_s << false << 0;
    QTest::newRow("textual ignores case") << u"Ab ab"_s << u"AB"_s << true << 2;
    QTest::newRow("none") << u""_s << u"x"_s << false << 0;
}

void TestStationList::countText()
{
    QFETCH(QString, text);
    QFETCH(QString, search);
    QFETCH(bool, textual);
    QFETCH(int, count);
    QCOMPARE(count_text(text, search, textual ? Qt::CaseInsensitive : Qt::CaseSensitive), count);
}

void TestStationList::replaceText()
{
    QString text = u"Öl ÖL öl"_s;
    QCOMPARE(replace_text(text, u"Ö"_s, u"OE"_s), u"OEl OEL öl"_s);
    QCOMPARE(text, u"OEl OEL öl"_s);
}

void TestStationList::stationMinMax()
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

void TestStationList::format0000_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("count");
    // Short numbers, line ends, text and empty answers appear in the poll tests' displays.
    QTest::newRow("long") << u"12345"_s << u"12345"_s << 12345;
    QTest::newRow("zero") << u"0"_s << u"0000"_s << 0;
    QTest::newRow("negative") << u"-2"_s << u"-0002"_s << -2;
    QTest::newRow("fraction rounds") << u"12.7"_s << u"0013"_s << 13;
    QTest::newRow("too long for 32 bits") << u"99999999999"_s << u"99999999999"_s << 2147483647;
}

void TestStationList::format0000()
{
    QFETCH(QString, answer);
    QFETCH(QString, shown);
    QFETCH(int, count);
    QCOMPARE(DisplayText::format0000(answer), shown);
    QCOMPARE(DisplayText::answerCount(DisplayText::format0000(answer)), count);
}

void TestStationList::changeMarker_data()
{
    QTest::addColumn<qint64>("difference");
    QTest::addColumn<QString>("marker");
    // Small rises and falls appear in the poll tests' displays.
    QTest::newRow("large") << qint64(12345) << u" +12345"_s;
    QTest::newRow("beyond 32 bits") << qint64(-4294967295) << u"  -4294967295"_s;
}

void TestStationList::changeMarker()
{
    QFETCH(qint64, difference);
    QFETCH(QString, marker);
    QCOMPARE(DisplayText::changeMarker(difference), marker);
}

QTEST_GUILESS_MAIN(TestStationList)
#include "tst_stationlist.moc"
