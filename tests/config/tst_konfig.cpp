// SPDX-License-Identifier: MIT
#include "ApiAddress.h"
#include "KonfigKeys.h"
#include "NumberText.h"
#include "ProgramFolder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// The field named like the key, as a QVariant, so one table can check every key.
QVariant field(const KonfigSettings &s, const QString &key)
{
    for (const KonfigKeys::Key &k : KonfigKeys::all()) {
        if (k.name == key) {
            return std::visit([&s](auto member) { return QVariant::fromValue(s.*member); },
                              k.field);
        }
    }
    return {};
}

KonfigSettings loadFrom(const QByteArray &ini, const QLocale &locale = QLocale::c())
{
    QTemporaryDir dir;
    KonfigSettings s;
    s.ini_path = ProgramFolder::iniPath(dir.path());
    QFile f(s.ini_path);
    if (!ini.isNull() && f.open(QIODevice::WriteOnly)) {
        f.write(ini);
        f.close();
    }
    KonfigKeys::readFile(s, locale);
    return s;
}

} // namespace

class TestKonfig : public QObject
{
    Q_OBJECT

private slots:
    void noFileGivesDefaults();
    void conversions_data();
    void conversions();
    void userLocaleNumbers_data();
    void userLocaleNumbers();
    void leadingNumber_data();
    void leadingNumber();
    void apiAddress_data();
    void apiAddress();
};

void TestKonfig::noFileGivesDefaults()
{
    const KonfigSettings s = loadFrom(QByteArray());
    QCOMPARE(s.stations, u""_s);
    QCOMPARE(s.BackgroundColor, u"2131691"_s);
    QCOMPARE(s.OutlineColor, u"0"_s);
    QCOMPARE(s.Opaque, 225);
    QVERIFY(s.Text_Ouline && s.Text_Shadow);
    QCOMPARE(s.Text_Size, 18);
    QCOMPARE(s.UpdateInterval, 3);
    QCOMPARE(s.autostart, 0);
    QVERIFY(!s.only_changes);
    QCOMPARE(s.changes_visible_in_seconds, 10);
    QVERIFY(!s.write_title2file);
    QCOMPARE(s.window_pos_x, 0);
    QCOMPARE(s.window_pos_y, 0);
    QCOMPARE(s.horizontal, 0);
    // A file without the section reads the same.
    KonfigSettings other = loadFrom("[Andere]\nOpaque=1\n");
    other.ini_path = s.ini_path;
    QCOMPARE(other, s);
}

void TestKonfig::conversions_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("expected");

    auto row = [](const char *name, const char *key, const QString &text, QVariant v) {
        QTest::newRow(name) << QString::fromLatin1(key) << text << v;
    };
    row("stations trimmed then lower", "stations", u"  Eins;ZWEI  "_s, u"eins;zwei"_s);
    row("colour trimmed", "BackgroundColor", u"\"  255 \""_s, u"255"_s);
    row("interval negative", "UpdateInterval", u"-2"_s, qint16(3));
    row("interval zero", "UpdateInterval", u"0"_s, qint16(0));
    row("interval above 546", "UpdateInterval", u"600"_s, qint16(546));
    row("interval beyond 16 bits", "UpdateInterval", u"40000"_s, qint16(3));
    row("interval letters", "UpdateInterval", u"oft"_s, qint16(3));
    row("interval half to even", "UpdateInterval", u"2.5"_s, qint16(2));
    row("opaque letters", "Opaque", u"abc"_s, qint16(225));
    row("opaque beyond 16 bits", "Opaque", u"70000"_s, qint16(225));
    row("opaque number", "Opaque", u"128"_s, qint16(128));
    row("text size empty", "Text_Size", u""_s, qint16(18));
    row("text size half to even", "Text_Size", u"20.5"_s, qint16(20));
    row("outline 0", "Text_Ouline", u"0"_s, false);
    row("outline -1", "Text_Ouline", u"-1"_s, true);
    row("outline True", "Text_Ouline", u"True"_s, true);
    row("outline fAlSe", "Text_Ouline", u"fAlSe"_s, false);
    row("outline unreadable", "Text_Ouline", u"ja"_s, true);
    row("shadow 0", "Text_Shadow", u"0"_s, false);
    row("only changes 1", "only_changes", u"1"_s, true);
    row("only changes unreadable", "only_changes", u"vielleicht"_s, false);
    row("seconds leading number", "changes_visible_in_seconds", u"25 Sekunden"_s, qint16(25));
    row("seconds letters", "changes_visible_in_seconds", u"abc"_s, qint16(0));
    row("title files 2", "write_title2file", u"2"_s, true);
    row("title files letters", "write_title2file", u"ja"_s, false);
    row("title files rounds to 0", "write_title2file", u"0.5"_s, false);
    row("title files rounds to 2", "write_title2file", u"1.5"_s, true);
    row("title files tiny", "write_title2file", u"1e-400"_s, false);
    row("x half to even down", "window_pos_x", u"1500.5"_s, qint32(1500));
    row("x half to even up", "window_pos_x", u"1501.5"_s, qint32(1502));
    row("x letters", "window_pos_x", u"links"_s, qint32(0));
    row("x blanks inside", "window_pos_x", u"1 2 3"_s, qint32(123));
    row("x beyond 32 bits", "window_pos_x", u"99999999999"_s, qint32(0));
    row("y negative", "window_pos_y", u"-300"_s, qint32(-300));
    row("horizontal 1", "horizontal", u"1"_s, qint32(1));
    row("autostart 1", "autostart", u"1"_s, qint16(1));
    row("api host", "api_host", u" 127.0.0.1:8080 "_s, u"127.0.0.1:8080"_s);
}

void TestKonfig::conversions()
{
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(QVariant, expected);
    const KonfigSettings s = loadFrom("[Konfig]\r\n" + key.toUtf8() + '=' + text.toUtf8() + "\r\n");
    QCOMPARE(field(s, key), expected);
}

void TestKonfig::userLocaleNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("expected");
    QTest::newRow("decimal comma") << u"20,5"_s << QVariant(qint16(20));
    QTest::newRow("decimal comma up") << u"21,5"_s << QVariant(qint16(22));
    QTest::newRow("C format still read") << u"21.5"_s << QVariant(qint16(22));
    QTest::newRow("garbage") << u"2x"_s << QVariant(qint16(18));
}

void TestKonfig::userLocaleNumbers()
{
    QFETCH(QString, text);
    QFETCH(QVariant, expected);
    const KonfigSettings s =
        loadFrom("[Konfig]\nText_Size=" + text.toUtf8() + '\n', QLocale(QLocale::German));
    QCOMPARE(QVariant(s.Text_Size), expected);
}

void TestKonfig::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("empty") << u""_s << 0.0;
    QTest::newRow("digits then text") << u"0057abc"_s << 57.0;
    QTest::newRow("sign and fraction") << u" -12.75x"_s << -12.75;
    QTest::newRow("exponent") << u"1e3"_s << 1000.0;
    QTest::newRow("exponent without digits") << u"7e"_s << 7.0;
    QTest::newRow("second point ends") << u"1.2.3"_s << 1.2;
    QTest::newRow("comma ends") << u"1,5"_s << 1.0;
    QTest::newRow("no digits") << u"-."_s << 0.0;
    QTest::newRow("too small is 0") << u"-12e-400"_s << 0.0;
    QTest::newRow("too small with fraction") << u"0.0001e-320"_s << 0.0;
    QTest::newRow("too large") << u"0.1e400"_s << HUGE_VAL;
}

void TestKonfig::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(NumberText::leadingNumber(text), expected);
}

void TestKonfig::apiAddress_data()
{
    QTest::addColumn<QString>("apiHost");
    QTest::addColumn<QString>("station");
    QTest::addColumn<QString>("url");
    QTest::newRow("built-in host")
        << u""_s << u"eins"_s << u"http://api.mirkan.example/station/eins/listeners"_s;
    QTest::newRow("host and port")
        << u"127.0.0.1:8080"_s << u"eins"_s << u"http://127.0.0.1:8080/station/eins/listeners"_s;
    QTest::newRow("whole base") << u"https://radio.test/api/"_s << u"eins"_s
                                << u"https://radio.test/api/station/eins/listeners"_s;
    QTest::newRow("name cannot leave its segment")
        << u"h"_s << u"a b/../c?d#e"_s << u"http://h/station/a%20b%2F..%2Fc%3Fd%23e/listeners"_s;
}

void TestKonfig::apiAddress()
{
    QFETCH(QString, apiHost);
    QFETCH(QString, station);
    QFETCH(QString, url);
    KonfigSettings s;
    s.api_host = apiHost;
    QCOMPARE(ApiAddress::stationUrl(s, station, u"listeners"), url);
}

QTEST_GUILESS_MAIN(TestKonfig)
#include "tst_konfig.moc"
