// SPDX-License-Identifier: MIT
#include "ApiAddress.h"
#include "KonfigKeys.h"
#include "NumberText.h"
#include "ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

using Edit = std::function<void(KonfigSettings &)>;

// What a file without the section reads as, spelled out rather than taken from the key table.
KonfigSettings fileDefaults()
{
    KonfigSettings s;
    s.stations = u""_s;
    s.BackgroundColor = u"2131691"_s;
    s.OutlineColor = u"0"_s;
    s.Opaque = 225;
    s.Text_Ouline = true;
    s.Text_Shadow = true;
    s.Text_Size = 18;
    s.UpdateInterval = 3;
    s.autostart = 0;
    s.only_changes = false;
    s.changes_visible_in_seconds = 10;
    s.write_title2file = false;
    s.window_pos_x = 0;
    s.window_pos_y = 0;
    s.horizontal = 0;
    s.api_host = u""_s;
    return s;
}

// Field by field, so a failure names the field that went wrong.
void compareFields(const KonfigSettings &actual, const KonfigSettings &expected)
{
    QCOMPARE(actual.stations, expected.stations);
    QCOMPARE(actual.BackgroundColor, expected.BackgroundColor);
    QCOMPARE(actual.OutlineColor, expected.OutlineColor);
    QCOMPARE(actual.Opaque, expected.Opaque);
    QCOMPARE(actual.Text_Ouline, expected.Text_Ouline);
    QCOMPARE(actual.Text_Shadow, expected.Text_Shadow);
    QCOMPARE(actual.Text_Size, expected.Text_Size);
    QCOMPARE(actual.UpdateInterval, expected.UpdateInterval);
    QCOMPARE(actual.autostart, expected.autostart);
    QCOMPARE(actual.only_changes, expected.only_changes);
    QCOMPARE(actual.changes_visible_in_seconds, expected.changes_visible_in_seconds);
    QCOMPARE(actual.write_title2file, expected.write_title2file);
    QCOMPARE(actual.window_pos_x, expected.window_pos_x);
    QCOMPARE(actual.window_pos_y, expected.window_pos_y);
    QCOMPARE(actual.horizontal, expected.horizontal);
    QCOMPARE(actual.api_host, expected.api_host);
}

// ini is written as the file's bytes; a null array means no file at all.
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
    s.ini_path.clear();
    return s;
}

// "ok-1;ok-2;...;ok-count"
QString numberedStations(int count)
{
    QStringList names;
    for (int i = 1; i <= count; ++i) {
        names << u"ok-"_s + QString::number(i);
    }
    return names.join(u';');
}

} // namespace

Q_DECLARE_METATYPE(Edit)

class TestKonfig : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void conversions_data();
    void conversions();
    void stationsCut_data();
    void stationsCut();
    void leadingNumber_data();
    void leadingNumber();
    void apiAddress_data();
    void apiAddress();
    void programFolderFromVariable_data();
    void programFolderFromVariable();
    void unreadableProgramFolder();
};

void TestKonfig::init()
{
    // Every expected warning is announced with ignoreMessage; any other one fails.
    QTest::failOnWarning(QRegularExpression(u"."_s));
}

void TestKonfig::conversions_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<Edit>("expected"); // applied to fileDefaults()
    QTest::addColumn<QLocale>("locale");

    // One key per row, each to a value that no other key holds by default, so a key
    // that lands in the wrong field fails its row.
    auto row = [](const char *name, const QByteArray &line, Edit edit,
                  const QLocale &locale = QLocale::c()) {
        QTest::newRow(name) << QByteArray("[Konfig]\r\n" + line + "\r\n") << edit << locale;
    };
    QTest::newRow("no file") << QByteArray() << Edit([](KonfigSettings &) {}) << QLocale::c();
    row("stations trimmed then lower", "stations=  Eins;ZWEI  ",
        [](KonfigSettings &s) { s.stations = u"eins;zwei"_s; });
    row("stations: one letter for one", "stations=STRASSE;Straße;İ",
        [](KonfigSettings &s) { s.stations = u"strasse;straße;İ"_s; });
    row("text colour trimmed inside quotes", "BackgroundColor=\"  255 \"",
        [](KonfigSettings &s) { s.BackgroundColor = u"255"_s; });
    row("outline colour", "OutlineColor=65280",
        [](KonfigSettings &s) { s.OutlineColor = u"65280"_s; });
    row("opaque", "Opaque=128", [](KonfigSettings &s) { s.Opaque = 128; });
    row("opaque letters", "Opaque=abc", [](KonfigSettings &) {});
    row("opaque beyond 16 bits", "Opaque=70000", [](KonfigSettings &) {});
    row("interval negative", "UpdateInterval=-2", [](KonfigSettings &s) { s.UpdateInterval = 3; });
    row("interval zero", "UpdateInterval=0", [](KonfigSettings &s) { s.UpdateInterval = 0; });
    row("interval half to even", "UpdateInterval=4.5",
        [](KonfigSettings &s) { s.UpdateInterval = 4; });
    row("interval 547", "UpdateInterval=547", [](KonfigSettings &s) { s.UpdateInterval = 546; });
    row("interval 32767", "UpdateInterval=32767",
        [](KonfigSettings &s) { s.UpdateInterval = 546; });
    row("interval 32768", "UpdateInterval=32768", [](KonfigSettings &s) { s.UpdateInterval = 3; });
    row("outline 0", "Text_Ouline=0", [](KonfigSettings &s) { s.Text_Ouline = false; });
    row("outline fAlSe", "Text_Ouline=fAlSe", [](KonfigSettings &s) { s.Text_Ouline = false; });
    row("outline unreadable", "Text_Ouline=ja", [](KonfigSettings &) {});
    row("shadow 0", "Text_Shadow=0", [](KonfigSettings &s) { s.Text_Shadow = false; });
    row("text size half to even", "Text_Size=20.5", [](KonfigSettings &s) { s.Text_Size = 20; });
    const QLocale german(QLocale::German);
    row(
        "decimal comma in the user's locale", "Text_Size=20,5",
        [](KonfigSettings &s) { s.Text_Size = 20; }, german);
    row(
        "C format still read in the user's locale", "Text_Size=21.5",
        [](KonfigSettings &s) { s.Text_Size = 22; }, german);
    row("autostart 1", "autostart=1", [](KonfigSettings &s) { s.autostart = 1; });
    row("only changes 1", "only_changes=1", [](KonfigSettings &s) { s.only_changes = true; });
    row("seconds leading number", "changes_visible_in_seconds=25 Sekunden",
        [](KonfigSettings &s) { s.changes_visible_in_seconds = 25; });
    row("seconds letters", "changes_visible_in_seconds=abc",
        [](KonfigSettings &s) { s.changes_visible_in_seconds = 0; });
    row("title files 2", "write_title2file=2",
        [](KonfigSettings &s) { s.write_title2file = true; });
    row("title files rounds to 0", "write_title2file=0.5", [](KonfigSettings &) {});
    row("x half to even down", "window_pos_x=1500.5",
        [](KonfigSettings &s) { s.window_pos_x = 1500; });
    row("x half to even up", "window_pos_x=1501.5",
        [](KonfigSettings &s) { s.window_pos_x = 1502; });
    row("x blanks inside", "window_pos_x=1 2 3", [](KonfigSettings &s) { s.window_pos_x = 123; });
    row("x beyond 32 bits", "window_pos_x=99999999999", [](KonfigSettings &) {});
    row("y negative", "window_pos_y=-300", [](KonfigSettings &s) { s.window_pos_y = -300; });
    row("horizontal 1", "horizontal=1", [](KonfigSettings &s) { s.horizontal = 1; });
    row("api host", "api_host= 127.0.0.1:8080 ",
        [](KonfigSettings &s) { s.api_host = u"127.0.0.1:8080"_s; });
}

void TestKonfig::conversions()
{
    QFETCH(QByteArray, ini);
    QFETCH(Edit, expected);
    QFETCH(QLocale, locale);
    KonfigSettings want = fileDefaults();
    expected(want);
    compareFields(loadFrom(ini, locale), want);
}

void TestKonfig::stationsCut_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("warning"); // "" when none is expected

    // ok-1 to ok-161 fill 1018 characters; the cut at 1023 leaves ";ok-1" of ok-162.
    const QString upTo161 = numberedStations(161);
    QCOMPARE(upTo161.size(), 1018);
    QTest::newRow("1000 stations lose the name the cut went through")
        << numberedStations(1000) << upTo161 << u"\"ok-162\" and the stations after it"_s;
    QTest::newRow("exactly 1023 characters are not cut")
        << upTo161 + u";ok-1"_s << upTo161 + u";ok-1"_s << QString();
    QTest::newRow("cut right before a separator keeps the name")
        << upTo161 + u";abcd;ok-3"_s << upTo161 + u";abcd"_s << u"\"ok-3\""_s;
    QTest::newRow("cut in blanks before a separator keeps the name")
        << upTo161 + u";ok   ;ok-3"_s << upTo161 + u";ok"_s << u"\"ok-3\""_s;
    QTest::newRow("a single name longer than the cut leaves none")
        << QString(1100, u'a') << QString() << u"\"a{1100}\""_s;
    QTest::newRow("upper case is lowered after the cut")
        << upTo161.toUpper() + u";OK-162"_s << upTo161 << u"\"OK-162\""_s;
}

void TestKonfig::stationsCut()
{
    QFETCH(QString, stored);
    QFETCH(QString, expected);
    QFETCH(QString, warning);
    if (!warning.isEmpty()) {
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(u"longer than 1023 characters; "_s + warning));
    }
    const KonfigSettings s = loadFrom("[Konfig]\nstations=" + stored.toUtf8() + '\n');
    // The ends first: Qt shows only the start of a long text that differs.
    QCOMPARE(s.stations.right(12), expected.right(12));
    QCOMPARE(s.stations, expected);
}

void TestKonfig::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("digits then text") << u"0057abc"_s << 57.0;
    QTest::newRow("sign and fraction") << u" -12.75x"_s << -12.75;
    QTest::newRow("exponent") << u"1e3"_s << 1000.0;
    QTest::newRow("exponent without digits") << u"7e"_s << 7.0;
    QTest::newRow("second point ends") << u"1.2.3"_s << 1.2;
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
    QTest::newRow("whole base") << u"https://radio.test/api/"_s << u"eins"_s
                                << u"https://radio.test/api/station/eins/listeners"_s;
    QTest::newRow("host and port; the name cannot leave its segment")
        << u"127.0.0.1:8080"_s << u"a b/../c?d#e"_s
        << u"http://127.0.0.1:8080/station/a%20b%2F..%2Fc%3Fd%23e/listeners"_s;
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

void TestKonfig::programFolderFromVariable_data()
{
    QTest::addColumn<QByteArray>("name");  // below a fresh temporary folder
    QTest::addColumn<QString>("expected"); // below it as well; "" for the executable's folder
    QTest::addColumn<QString>("warning");
    QTest::newRow("UTF-8 umlaut") << QByteArray("M\xC3\xBCller") << u"Müller"_s << QString();
    // Latin-1 bytes, as a shell in a Latin-1 locale passes them.
    QTest::newRow("bytes that are no UTF-8")
        << QByteArray("M\xFCller") << QString() << u"not a file name .*M%FCller.*ignored"_s;
}

void TestKonfig::programFolderFromVariable()
{
    QFETCH(QByteArray, name);
    QFETCH(QString, expected);
    QFETCH(QString, warning);
    QTemporaryDir base;
    const QString exeDir = base.filePath(u"exe"_s);
    QVERIFY(QDir().mkpath(exeDir));
    if (!warning.isEmpty()) {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(warning));
    }
    const QString folder =
        ProgramFolder::resolve(exeDir, QFile::encodeName(base.path()) + '/' + name);
    QCOMPARE(folder, expected.isEmpty() ? exeDir : base.filePath(expected));
    // Nothing else appears: no folder under a replacement-character name.
    QStringList made = QDir(base.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    made.removeOne(u"exe"_s);
    QCOMPARE(made, expected.isEmpty() ? QStringList() : QStringList{expected});
}

void TestKonfig::unreadableProgramFolder()
{
    QTemporaryDir base;
    const QString folder = base.filePath(u"locked"_s);
    QVERIFY(QDir().mkpath(folder));
    QFile::setPermissions(folder, QFileDevice::WriteOwner);
    const auto unlock = qScopeGuard([&folder] {
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
    });
    if (QFileInfo(folder).isReadable()) {
        QSKIP("this user reads folders without read permission");
    }
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(u"No read access to the program folder"_s));
    QCOMPARE(ProgramFolder::resolve(base.filePath(u"exe"_s), QFile::encodeName(folder)), folder);
    KonfigSettings s;
    s.ini_path = ProgramFolder::iniPath(folder);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"Cannot read INI file .*denied"_s));
    KonfigKeys::readFile(s);
}

QTEST_GUILESS_MAIN(TestKonfig)
#include "tst_konfig.moc"
