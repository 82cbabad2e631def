// SPDX-License-Identifier: MIT
#include "DisplayText.h"
#include "Module1.h"
#include "WebDownloader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestModule1 : public QObject
{
    Q_OBJECT

private slots:
    void splitStations_data();
    void splitStations();
    void emptySettingKeepsList();
    void rebuildResetsCounts();
    void countText_data();
    void countText();
    void replaceText();
    void stationMinMax();
    void format0000_data();
    void format0000();
    void changeMarker_data();
    void changeMarker();
    void builder_data();
    void builder();
    void readTextfile_data();
    void readTextfile();
};

void TestModule1::splitStations_data()
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
}

void TestModule1::splitStations()
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

void TestModule1::emptySettingKeepsList()
{
    StationList list(1);
    list[0].name = u"alt"_s;
    list[0].count = 17;
    split_stations(QString(), list);
    QCOMPARE(list.size(), 1u);
    QCOMPARE(list[0].count, 17);
}

void TestModule1::rebuildResetsCounts()
{
    StationList list;
    split_stations(u"a;b"_s, list);
    list[1].count = 5;
    list[1].song_id = 9;
    split_stations(u"a;b"_s, list);
    QCOMPARE(list[1], station_entry{u"b"_s});
}

void TestModule1::countText_data()
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

void TestModule1::countText()
{
    QFETCH(QString, text);
    QFETCH(QString, search);
    QFETCH(bool, textual);
    QFETCH(int, count);
    QCOMPARE(count_text(text, search, textual ? Qt::CaseInsensitive : Qt::CaseSensitive), count);
}

void TestModule1::replaceText()
{
    QString text = u"Öl ÖL öl"_s;
    QCOMPARE(replace_text(text, u"Ö"_s, u"OE"_s), u"OEl OEL öl"_s);
    QCOMPARE(text, u"OEl OEL öl"_s);
}

void TestModule1::stationMinMax()
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

void TestModule1::format0000_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("count");
    QTest::newRow("short") << u"57"_s << u"0057"_s << 57;
    QTest::newRow("long") << u"12345"_s << u"12345"_s << 12345;
    QTest::newRow("zero") << u"0"_s << u"0000"_s << 0;
    QTest::newRow("line end from server") << u"57\r\n"_s << u"0057"_s << 57;
    QTest::newRow("negative") << u"-2"_s << u"-0002"_s << -2;
    QTest::newRow("fraction rounds") << u"12.7"_s << u"0013"_s << 13;
    QTest::newRow("empty") << u""_s << u""_s << 0;
    QTest::newRow("not a number") << u"<html>404</html>"_s << u"<html>404</html>"_s << 0;
    QTest::newRow("leading digits count") << u"42 Hörer"_s << u"42 Hörer"_s << 42;
    QTest::newRow("too long for 32 bits") << u"99999999999"_s << u"99999999999"_s << 2147483647;
}

void TestModule1::format0000()
{
    QFETCH(QString, answer);
    QFETCH(QString, shown);
    QFETCH(int, count);
    QCOMPARE(DisplayText::format0000(answer), shown);
    QCOMPARE(DisplayText::answerCount(DisplayText::format0000(answer)), count);
}

void TestModule1::changeMarker_data()
{
    QTest::addColumn<qint64>("difference");
    QTest::addColumn<QString>("marker");
    QTest::newRow("rise") << qint64(2) << u" +0002"_s;
    QTest::newRow("fall") << qint64(-4) << u"  -0004"_s;
    QTest::newRow("large") << qint64(12345) << u" +12345"_s;
    QTest::newRow("beyond 32 bits") << qint64(-4294967295) << u"  -4294967295"_s;
}

void TestModule1::changeMarker()
{
    QFETCH(qint64, difference);
    QFETCH(QString, marker);
    QCOMPARE(DisplayText::changeMarker(difference), marker);
}

void TestModule1::builder_data()
{
    QTest::addColumn<bool>("sideBySide");
    QTest::addColumn<QString>("text");
    QTest::newRow("one per line") << false << u"ALPHA : 0057\r\nBETA: 0003\r\nGAMMA: 0120"_s;
    QTest::newRow("side by side") << true << u"ALPHA : 0057 -- BETA: 0003 -- GAMMA: 0120"_s;
}

void TestModule1::builder()
{
    QFETCH(bool, sideBySide);
    QFETCH(QString, text);
    DisplayText::Builder b(sideBySide);
    b.append(u"alpha"_s, u"0057"_s);
    b.append(u"beta"_s, u"0003"_s);
    b.append(u"gamma"_s, u"0120"_s);
    QCOMPARE(b.text(), text);
}

void TestModule1::readTextfile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole file, nothing stripped")
        << u"a.txt"_s << QByteArray(" 57\r\n\0x", 7) << QString::fromLatin1(" 57\r\n\0x", 7);
    QTest::newRow("one character per byte") << u"a.txt"_s << QByteArray("\xC3\xB6\x80") << u"Ã¶€"_s;
    QTest::newRow("empty file") << u"a.txt"_s << QByteArray("") << u""_s;
    QTest::newRow("hidden file counts as missing") << u".a.txt"_s << QByteArray("1") << u""_s;
    QTest::newRow("missing") << QString() << QByteArray() << u""_s;
}

void TestModule1::readTextfile()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QTemporaryDir dir;
    const QString path = dir.filePath(name.isEmpty() ? u"none.txt"_s : name);
    if (!name.isEmpty()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QCOMPARE(read_textfile(path), text);
}

QTEST_GUILESS_MAIN(TestModule1)
#include "tst_module1.moc"
