// SPDX-License-Identifier: MIT
#include "ApiAddress.h"
#include "IniFile.h"
#include "KonfigKeys.h"
#include "ProgramFolder.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Every field as "name=value", so a failure names the field.
QStringList fields(const KonfigSettings &s)
{
    const auto n = [](int v) { return QString::number(v); };
    return {u"stations="_s + s.stations,
            u"BackgroundColor="_s + s.BackgroundColor,
            u"OutlineColor="_s + s.OutlineColor,
            u"Opaque="_s + n(s.Opaque),
            u"Text_Ouline="_s + n(s.Text_Ouline),
            u"Text_Shadow="_s + n(s.Text_Shadow),
            u"Text_Size="_s + n(s.Text_Size),
            u"UpdateInterval="_s + n(s.UpdateInterval),
            u"autostart="_s + n(s.autostart),
            u"only_changes="_s + n(s.only_changes),
            u"changes_visible_in_seconds="_s + n(s.changes_visible_in_seconds),
            u"write_title2file="_s + n(s.write_title2file),
            u"window_pos_x="_s + n(s.window_pos_x),
            u"window_pos_y="_s + n(s.window_pos_y),
            u"horizontal="_s + n(s.horizontal),
            u"api_host="_s + s.api_host};
}

// What a file without the section reads as, spelled out rather than taken from the key table.
const QStringList kFileDefaults =
    u"stations= BackgroundColor=2131691 OutlineColor=0 Opaque=225 Text_Ouline=1 Text_Shadow=1 "
    u"Text_Size=18 UpdateInterval=3 autostart=0 only_changes=0 changes_visible_in_seconds=10 "
    u"write_title2file=0 window_pos_x=0 window_pos_y=0 horizontal=0 api_host="_s.split(u' ');

// A null ini: no file at all.
KonfigSettings loadFrom(const QByteArray &ini, const QLocale &locale = QLocale::c())
{
    QTemporaryDir dir;
    KonfigSettings s;
    s.ini_path = ProgramFolder::iniPath(dir.path());
    if (!ini.isNull()) {
        writeBytes(s.ini_path, ini);
    }
    KonfigKeys::readFile(s, locale);
    s.ini_path.clear();
    return s;
}

QString numberedStations(int count)
{
    QStringList names;
    for (int i = 1; i <= count; ++i) {
        names << u"ok-"_s + QString::number(i);
    }
    return names.join(u';');
}

} // namespace

class TestKonfig : public QObject
{
    Q_OBJECT

private slots:
    void init() { QTest::failOnWarning(QRegularExpression(u"."_s)); }

    void conversions_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("change"); // the one field that differs from the defaults
        QTest::addColumn<QLocale>("locale");

        auto row = [](const char *name, const QByteArray &line, const char *change,
                      const QLocale &locale = QLocale::c()) {
            QTest::newRow(name) << QByteArray("[Konfig]\r\n" + line + "\r\n")
                                << QString::fromUtf8(change) << locale;
        };
        QTest::newRow("no file") << QByteArray() << QString() << QLocale::c();
        for (const char *line :
             {"stations=eins;zwei", "BackgroundColor=255", "OutlineColor=65280", "Opaque=128",
              "Text_Ouline=0", "Text_Shadow=0", "Text_Size=20", "UpdateInterval=5", "autostart=1",
              "only_changes=1", "changes_visible_in_seconds=25", "write_title2file=1",
              "window_pos_x=123", "window_pos_y=-300", "horizontal=1", "api_host=127.0.0.1:8080"}) {
            row(line, line, line);
        }
        row("stations trimmed then lower", "stations=  Eins;ZWEI  ", "stations=eins;zwei");
        row("text colour trimmed inside quotes", "BackgroundColor=\"  255 \"",
            "BackgroundColor=255");
        row("opaque letters", "Opaque=abc", "");
        row("interval negative", "UpdateInterval=-2", "");
        row("interval zero", "UpdateInterval=0", "UpdateInterval=0");
        row("interval half to even", "UpdateInterval=4.5", "UpdateInterval=4");
        row("interval 547", "UpdateInterval=547", "UpdateInterval=546");
        row("interval 32768", "UpdateInterval=32768", "");
        row("outline fAlSe", "Text_Ouline=fAlSe", "Text_Ouline=0");
        row("outline unreadable", "Text_Ouline=ja", "");
        const QLocale german(QLocale::German);
        row("decimal comma in the user's locale", "Text_Size=20,5", "Text_Size=20", german);
        row("C format still read in the user's locale", "Text_Size=21.5", "Text_Size=22", german);
        row("seconds leading number", "changes_visible_in_seconds=25 Sekunden",
            "changes_visible_in_seconds=25");
        row("seconds letters", "changes_visible_in_seconds=abc", "changes_visible_in_seconds=0");
        row("title files rounds to 0", "write_title2file=0.5", "");
        row("x blanks inside", "window_pos_x=1 2 3", "window_pos_x=123");
        row("x beyond 32 bits", "window_pos_x=99999999999", "");
    }

    void conversions()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QString, change);
        QFETCH(QLocale, locale);
        QStringList want = kFileDefaults;
        if (!change.isEmpty()) {
            const QString name = change.section(u'=', 0, 0) + u'=';
            auto field = std::find_if(want.begin(), want.end(),
                                      [&name](const QString &f) { return f.startsWith(name); });
            QVERIFY(field != want.end());
            *field = change;
        }
        QCOMPARE(fields(loadFrom(ini, locale)), want);
    }

    void stationsCut_data()
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
    }

    void stationsCut()
    {
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        QFETCH(QString, warning);
        if (!warning.isEmpty()) {
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(u"longer than 1023 characters; "_s + warning));
        }
        const KonfigSettings s = loadFrom("[Konfig]\nstations=" + stored.toUtf8() + '\n');
        QCOMPARE(s.stations, expected);
    }

    // Hosts with a port and names that need escaping are polled from the simulator elsewhere.
    void apiAddress()
    {
        KonfigSettings s;
        QCOMPARE(ApiAddress::stationUrl(s, u"eins"_s, u"listeners"),
                 u"http://api.mirkan.example/station/eins/listeners"_s);
        s.api_host = u"https://radio.test/api/"_s;
        QCOMPARE(ApiAddress::stationUrl(s, u"eins"_s, u"listeners"),
                 u"https://radio.test/api/station/eins/listeners"_s);
    }

    // Where the program cannot write beside itself (installed under /usr or Program Files),
    // its settings go to the user's configuration folder, and saving there works.
    void readOnlyProgramFolder()
    {
        QTemporaryDir base;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(base.filePath(u"config"_s)));
        const QString exeDir = base.filePath(u"exe"_s);
        QVERIFY(QDir().mkpath(exeDir));
        QCOMPARE(ProgramFolder::resolve(exeDir, {}), exeDir);

        QVERIFY(QFile::setPermissions(exeDir, QFile::ReadOwner | QFile::ExeOwner));
        bool mounted = false;
        const auto unmount = qScopeGuard([&] {
            if (mounted) {
                QProcess::execute(u"umount"_s, {exeDir});
            }
        });
        // Permissions do not bind an administrator; a read-only file system does.
        if (QFileInfo(exeDir).isWritable()) {
            mounted = QProcess::execute(u"mount"_s, {u"-t"_s, u"tmpfs"_s, u"-o"_s, u"ro,size=16k"_s,
                                                     u"tmpfs"_s, exeDir}) == 0;
            if (!mounted || QFileInfo(exeDir).isWritable()) {
                QSKIP("cannot make a folder read-only here");
            }
        }
        const QString folder = ProgramFolder::resolve(exeDir, {});
        QCOMPARE(folder, QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
        QVERIFY2(folder.startsWith(base.filePath(u"config/"_s)), qPrintable(folder));
        QVERIFY(QFileInfo(folder).isDir());
        const QString ini = ProgramFolder::iniPath(folder);
        QVERIFY(IniFile::save(u"Konfig"_s, {{u"stations"_s, u"eins"_s}}, ini).ok());
        KonfigSettings s;
        s.ini_path = ini;
        KonfigKeys::readFile(s);
        QCOMPARE(s.stations, u"eins"_s);
    }
};

QTEST_GUILESS_MAIN(TestKonfig)
#include "tst_konfig.moc"
