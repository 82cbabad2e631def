// SPDX-License-Identifier: MIT
#include "Fakes.h"
#include "KonfigKeys.h"
#include "SongTracker.h"
#include "frmMain.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using World = AppWorld;

void writeScript(const QString &path, const QByteArray &body, bool executable)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\n" + body);
    f.close();
    if (executable) {
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    }
}

const QString kNoStations = QString::fromUtf16(DisplayText::kNoStations);

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void noFileGivesDefaultsAndNoStations();
    void badIniFileGivesDefaults_data();
    void badIniFileGivesDefaults();
    void taskbarHeightIsMeasuredOnce();
    void presentUpdaterIsStarted();
    void brokenUpdaterDoesNotStopStartup();
    void fileExists_data();
    void fileExists();
    void countdown_data();
    void countdown();
    void refreshInOnlyChangesModeBlanksAfterSeconds();
};

void TestStartup::noFileGivesDefaultsAndNoStations()
{
    World w;
    w.form.Form_Load();
    QCOMPARE(w.display.texts, QStringList{kNoStations});
    QVERIFY(w.display.shown);
    QVERIFY(w.tray.isAdded());
    QCOMPARE(w.tray.toolTip(), u"Mirkan Höreranzeige"_s);
    QCOMPARE(w.form.konfig().ini_path,
             QDir::toNativeSeparators(w.programDir.path() + u"/Mirkan_DesktopTool.ini"_s));
    QCOMPARE(w.form.konfig().UpdateInterval, 3);
    QCOMPARE(w.form.konfig().changes_visible_in_seconds, 10);
    QVERIFY(w.form.stations().empty());
    // Nothing was written that the user did not save.
    QVERIFY(QDir(w.programDir.path()).isEmpty());
    // The countdown runs by itself.
    QTRY_COMPARE_WITH_TIMEOUT(w.tray.toolTip(), u"nächste Aktualisierung in 179 Sekunden"_s, 3000);
}

void TestStartup::badIniFileGivesDefaults_data()
{
    QTest::addColumn<QByteArray>("content");
    QByteArray garbage(64 * 1024, '\0');
    for (int i = 0; i < garbage.size(); ++i) {
        garbage[i] = char((i * 7919 + 13) % 256);
    }
    QTest::newRow("binary garbage") << garbage;
    QTest::newRow("10 MB line") << "[Konfig]\r\nstations=" + QByteArray(10 << 20, 'x') + "\r\n";
    QTest::newRow("no section") << QByteArray("stations=alpha\r\nOpaque=1\r\n");
    QTest::newRow("empty") << QByteArray();
}

void TestStartup::badIniFileGivesDefaults()
{
    QFETCH(QByteArray, content);
    World w;
    w.writeIniFile(content);
    w.form.Form_Load();
    QVERIFY(w.tray.isAdded()); // start-up went to its end
    QCOMPARE(w.form.konfig().Opaque, 225);
    QCOMPARE(w.form.konfig().UpdateInterval, 3);
    QFile f(w.form.konfig().ini_path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll() == content);
}

void TestStartup::taskbarHeightIsMeasuredOnce()
{
    World w;
    w.taskbar.rect = QRect(0, 1040, 1920, 40);
    w.form.Form_Load();
    QCOMPARE(w.form.task_leiste_height(), 40);
    w.taskbar.rect = QRect(0, 1000, 1920, 80);
    w.form.Load_Konfig();
    QCOMPARE(w.form.task_leiste_height(), 40);
}

void TestStartup::presentUpdaterIsStarted()
{
    World w;
    const QString marker = QDir(w.executableDir.path()).filePath(u"marker"_s);
    writeScript(QDir(w.executableDir.path()).filePath(frmMain::updaterFileName()),
                "echo started > \"$PWD/marker\"\n", true);
    w.form.Form_Load();
    QVERIFY(w.tray.isAdded());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 10000);
}

void TestStartup::brokenUpdaterDoesNotStopStartup()
{
    World w;
    writeScript(QDir(w.executableDir.path()).filePath(frmMain::updaterFileName()), "", false);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"Cannot start the updater"_s));
    w.form.Form_Load();
    QVERIFY(w.tray.isAdded());
}

void TestStartup::fileExists_data()
{
    QTest::addColumn<QString>("relative");
    QTest::addColumn<bool>("exists");
    QTest::newRow("file") << u"AutoUpdate.exe"_s << true;
    QTest::newRow("star") << u"*.exe"_s << true;
    QTest::newRow("question mark") << u"Auto?pdate.exe"_s << true;
    QTest::newRow("folder") << u"sub"_s << true;
    QTest::newRow("missing") << u"AutoUpdate"_s << false;
    QTest::newRow("wildcard without match") << u"*.ini"_s << false;
    QTest::newRow("missing folder") << u"none/AutoUpdate.exe"_s << false;
}

void TestStartup::fileExists()
{
    QFETCH(QString, relative);
    QFETCH(bool, exists);
    QTemporaryDir dir;
    QFile f(dir.filePath(u"AutoUpdate.exe"_s));
    QVERIFY(f.open(QIODevice::WriteOnly));
    QVERIFY(QDir(dir.path()).mkdir(u"sub"_s));
    QCOMPARE(frmMain::file_exists(QDir::toNativeSeparators(dir.filePath(relative))), exists);
}

void TestStartup::countdown_data()
{
    QTest::addColumn<QByteArray>("interval");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<int>("polls");
    QTest::addColumn<QString>("lastTip");
    QTest::newRow("1 minute, 59 ticks")
        << QByteArray("1") << 59 << 0 << u"nächste Aktualisierung in 1 Sekunden"_s;
    QTest::newRow("1 minute, 60 ticks")
        << QByteArray("1") << 60 << 1 << u"nächste Aktualisierung in 0 Sekunden"_s;
    QTest::newRow("1 minute, 121 ticks")
        << QByteArray("1") << 121 << 2 << u"nächste Aktualisierung in 59 Sekunden"_s;
    QTest::newRow("0 polls every tick")
        << QByteArray("0") << 5 << 5 << u"nächste Aktualisierung in -1 Sekunden"_s;
    QTest::newRow("default 3 minutes")
        << QByteArray("") << 180 << 1 << u"nächste Aktualisierung in 0 Sekunden"_s;
}

void TestStartup::countdown()
{
    QFETCH(QByteArray, interval);
    QFETCH(int, ticks);
    QFETCH(int, polls);
    QFETCH(QString, lastTip);
    World w;
    if (!interval.isEmpty()) {
        w.writeIniFile("[Konfig]\r\nUpdateInterval=" + interval + "\r\n");
    }
    w.form.Form_Load();
    for (int i = 0; i < ticks; ++i) {
        w.form.Timer1_Timer();
    }
    // Without stations every poll shows its message once; the first came from start-up.
    QCOMPARE(w.display.texts.size(), 1 + polls);
    QCOMPARE(w.tray.countdownTips.last(), lastTip);
}

void TestStartup::refreshInOnlyChangesModeBlanksAfterSeconds()
{
    World w;
    w.writeIniFile("[Konfig]\r\nonly_changes=1\r\nchanges_visible_in_seconds=1\r\n");
    w.form.Form_Load();
    // The message of an empty list is no change: it stays.
    QTest::qWait(1500);
    QCOMPARE(w.display.get_text(), kNoStations);
    // A refresh shows everything, and the blanking timer takes it away again.
    w.form.refresh_now();
    QVERIFY(w.form.konfig().only_changes);
    QCOMPARE(w.display.get_text(), kNoStations);
    QTRY_COMPARE_WITH_TIMEOUT(w.display.get_text(), QString(), 3000);
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
