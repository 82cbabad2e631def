// SPDX-License-Identifier: MIT
#include "Fakes.h"
#include "TestTime.h"

#include <QRegularExpression>
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
    void noFileGivesDefaultsAndNoStations()
    {
        World w;
        w.form.Form_Load();
        QCOMPARE(w.display.texts, QStringList{kNoStations});
        QVERIFY(w.display.shown);
        QVERIFY(w.tray.isAdded());
        QCOMPARE(w.form.konfig().ini_path,
                 QDir::toNativeSeparators(w.programDir.path() + u"/Mirkan_DesktopTool.ini"_s));
        QVERIFY(w.form.stations().empty());
        // Nothing was written that the user did not save.
        QVERIFY(QDir(w.programDir.path()).isEmpty());
        // The countdown runs by itself.
        QTRY_COMPARE_WITH_TIMEOUT(w.tray.toolTip(), u"nächste Aktualisierung in 179 Sekunden"_s,
                                  TestTime::patience());
    }

    void binaryIniFileGivesDefaults()
    {
        QByteArray garbage;
        for (int i = 0; i < 64 * 1024; ++i) {
            garbage += char(i * 7919 + 13);
        }
        World w;
        w.writeIniFile(garbage);
        w.form.Form_Load();
        QVERIFY(w.tray.isAdded()); // start-up went to its end
        QCOMPARE(w.form.konfig().Opaque, 225);
        QCOMPARE(w.form.konfig().UpdateInterval, 3);
        QFile f(w.form.konfig().ini_path);
        QVERIFY(f.open(QIODevice::ReadOnly) && f.readAll() == garbage);
    }

    void taskbarHeightIsMeasuredOnce()
    {
        World w;
        w.taskbar.rect = QRect(0, 1040, 1920, 40);
        w.form.Form_Load();
        QCOMPARE(w.form.task_leiste_height(), 40);
        w.taskbar.rect = QRect(0, 1000, 1920, 80);
        w.form.Load_Konfig();
        QCOMPARE(w.form.task_leiste_height(), 40);
    }

    void updater_data()
    {
        QTest::addColumn<bool>("executable");
        QTest::newRow("present") << true;
        QTest::newRow("cannot be started") << false;
    }

    void updater()
    {
        QFETCH(bool, executable);
        World w;
        const QString marker = QDir(w.executableDir.path()).filePath(u"marker"_s);
        writeScript(QDir(w.executableDir.path()).filePath(frmMain::updaterFileName()),
                    "echo started > \"$PWD/marker\"\n", executable);
        if (!executable) {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"Cannot start the updater"_s));
        }
        w.form.Form_Load();
        QVERIFY(w.tray.isAdded()); // start-up went on either way
        if (executable) {
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), TestTime::patience());
        }
    }

    // The updater's plain presence is checked above.
    void fileExists_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<bool>("exists");
        QTest::newRow("wildcards") << u"Auto?pdate.*"_s << true;
        QTest::newRow("folder") << u"sub"_s << true;
        QTest::newRow("wildcard without match") << u"*.ini"_s << false;
    }

    void fileExists()
    {
        QFETCH(QString, relative);
        QTemporaryDir dir;
        QFile f(dir.filePath(u"AutoUpdate.exe"_s));
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(QDir(dir.path()).mkdir(u"sub"_s));
        QTEST(frmMain::file_exists(QDir::toNativeSeparators(dir.filePath(relative))), "exists");
    }

    void countdown_data()
    {
        QTest::addColumn<QByteArray>("interval");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("polls");
        QTest::addColumn<int>("secondsLeft"); // in the last tip
        QTest::newRow("1 minute, 59 ticks") << QByteArray("1") << 59 << 0 << 1;
        QTest::newRow("1 minute, 60 ticks") << QByteArray("1") << 60 << 1 << 0;
        QTest::newRow("1 minute, 121 ticks") << QByteArray("1") << 121 << 2 << 59;
        QTest::newRow("0 polls every tick") << QByteArray("0") << 5 << 5 << -1;
        QTest::newRow("default 3 minutes") << QByteArray("") << 180 << 1 << 0;
    }

    void countdown()
    {
        QFETCH(QByteArray, interval);
        QFETCH(int, ticks);
        QFETCH(int, secondsLeft);
        World w;
        if (!interval.isEmpty()) {
            w.writeIniFile("[Konfig]\r\nUpdateInterval=" + interval + "\r\n");
        }
        w.form.Form_Load();
        for (int i = 0; i < ticks; ++i) {
            w.form.Timer1_Timer();
        }
        // Without stations every poll shows its message once; the first came from start-up.
        QTEST(int(w.display.texts.size()) - 1, "polls");
        QCOMPARE(w.tray.countdownTips.last(),
                 u"nächste Aktualisierung in %1 Sekunden"_s.arg(secondsLeft));
    }

    // The message of an empty list is no change, so the blanking timer leaves it.
    void noStationsMessageStaysInOnlyChangesMode()
    {
        World w;
        w.writeIniFile("[Konfig]\r\nonly_changes=1\r\nchanges_visible_in_seconds=1\r\n");
        w.form.Form_Load();
        QTest::qWait(1500);
        QCOMPARE(w.display.texts, QStringList{kNoStations});
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
