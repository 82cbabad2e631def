// SPDX-License-Identifier: MIT
#include "Fakes.h"
#include "TestTime.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using World = AppWorld;

const QString kNoStations = QString::fromUtf16(DisplayText::kNoStations);

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void withoutStations_data()
    {
        QTest::addColumn<QByteArray>("ini"); // "" for no file
        QTest::newRow("no file") << QByteArray();
        QByteArray garbage;
        for (int i = 0; i < 64 * 1024; ++i) {
            garbage += char(i * 7919 + 13);
        }
        QTest::newRow("binary file") << garbage;
        // The message of an empty list is no change, so the blanking timer leaves it.
        QTest::newRow("only changes")
            << QByteArray("[Konfig]\r\nonly_changes=1\r\nchanges_visible_in_seconds=1\r\n");
    }

    // Start-up goes to its end with the defaults and shows the message of an empty list;
    // nothing is written that the user did not save.
    void withoutStations()
    {
        QFETCH(QByteArray, ini);
        World w;
        if (!ini.isEmpty()) {
            QVERIFY(w.writeIniFile(ini));
        }
        w.form.Form_Load();
        QVERIFY(w.display.shown);
        QVERIFY(w.tray.added);
        QCOMPARE(w.form.konfig().ini_path, QDir::toNativeSeparators(w.iniPath()));
        QVERIFY(w.form.stations().empty());
        // The countdown runs by itself; two ticks outlast a blank after one second.
        QTRY_COMPARE_WITH_TIMEOUT(w.tray.tips.size(), 2, TestTime::patience());
        QCOMPARE(w.tray.tips.last(), u"nächste Aktualisierung in 178 Sekunden"_s);
        QCOMPARE(w.display.texts, QStringList{kNoStations});
        QCOMPARE(entries(w.programDir.path()),
                 ini.isEmpty() ? QStringList() : QStringList{u"Mirkan_DesktopTool.ini"_s});
        if (!ini.isEmpty()) {
            QCOMPARE(readBytes(w.iniPath()), ini);
        }
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
        const QString updater = w.executableDir.filePath(frmMain::updaterFileName());
        QVERIFY(writeBytes(updater, "#!/bin/sh\necho started > \"$PWD/marker\"\n"));
        if (executable) {
            QVERIFY(QFile::setPermissions(updater, QFile::permissions(updater) | QFile::ExeOwner));
        } else {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"Cannot start the updater"_s));
        }
        w.form.Form_Load();
        QVERIFY(w.tray.added);
        if (executable) {
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(w.executableDir.filePath(u"marker"_s)),
                                     TestTime::patience());
        }
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
    }

    void countdown()
    {
        QFETCH(QByteArray, interval);
        QFETCH(int, ticks);
        QFETCH(int, secondsLeft);
        World w;
        QVERIFY(w.writeIniFile("[Konfig]\r\nUpdateInterval=" + interval + "\r\n"));
        w.form.Form_Load();
        for (int i = 0; i < ticks; ++i) {
            w.form.Timer1_Timer();
        }
        // Without stations every poll shows its message once; the first came from start-up.
        QTEST(int(w.display.texts.size()) - 1, "polls");
        QCOMPARE(w.tray.tips.last(), u"nächste Aktualisierung in %1 Sekunden"_s.arg(secondsLeft));
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
