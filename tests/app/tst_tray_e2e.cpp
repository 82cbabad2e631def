// SPDX-License-Identifier: MIT
// The built program with a small tray host (trayer) on a virtual desktop: the icon
// docks, a double-click polls, the right button opens the menu, "Beenden" and SIGTERM
// end the program with status 0 and leave no lock behind.
#include "DesktopSession.h"

using namespace Qt::StringLiterals;

namespace {

// The icon's window inside the tray host, indented deeper than the top-level windows.
QRect dockedIcon(DesktopSession &desktop)
{
    return desktop.window(uR"(\n {8,}0x[0-9a-f]+ "Mirkan_DesktopTool": )"_s);
}

int windowsOfTheProgram(DesktopSession &desktop)
{
    return int(desktop
                   .run(u"xdotool"_s,
                        {u"search"_s, u"--onlyvisible"_s, u"--class"_s, u"Mirkan_DesktopTool"_s})
                   .count('\n'));
}

} // namespace

class TestTrayE2E : public QObject
{
    Q_OBJECT

private slots:
    void iconMenuAndEnding_data();
    void iconMenuAndEnding();
};

void TestTrayE2E::iconMenuAndEnding_data()
{
    QTest::addColumn<bool>("byMenu");
    QTest::newRow("Beenden") << true;
    QTest::newRow("SIGTERM") << false;
}

void TestTrayE2E::iconMenuAndEnding()
{
    QFETCH(bool, byMenu);
    const QString missing =
        DesktopSession::missingTool({u"Xvfb"_s, u"trayer"_s, u"xdotool"_s, u"xwininfo"_s});
    if (!missing.isEmpty()) {
        QSKIP(qPrintable(u"needs "_s + missing + u" (scripts/setup)"_s));
    }
    DesktopSession desktop;
    QVERIFY(desktop.startX());
    QVERIFY(desktop.start(u"trayer"_s, {u"--edge"_s, u"bottom"_s, u"--align"_s, u"right"_s,
                                        u"--widthtype"_s, u"request"_s, u"--height"_s, u"28"_s}));
    QProcess *simulator = desktop.start(QStringLiteral(MIRKAN_SIMULATOR), {u"--log"_s});
    QVERIFY(simulator);
    QTRY_VERIFY(simulator->canReadLine());
    desktop.writeIni("stations=alpha\r\napi_host=127.0.0.1:" + simulator->readLine().trimmed() +
                     "\r\n");
    QProcess *program = desktop.start(QStringLiteral(MIRKAN_PROGRAM), {});
    QVERIFY(program);
    QRect icon;
    QTRY_VERIFY_WITH_TIMEOUT((icon = dockedIcon(desktop)).isValid(), 15000);
    QVERIFY(icon.width() > 0 && icon.width() <= 48);
    const QString x = QString::number(icon.center().x());
    const QString y = QString::number(icon.center().y());
    QByteArray log;
    const auto polls = [&] {
        log += simulator->readAll();
        return log.count("GET /station/alpha/listeners");
    };
    QTRY_COMPARE_WITH_TIMEOUT(polls(), 1, 5000);

    // A double-click polls at once.
    QCOMPARE(desktop.status(u"xdotool"_s, {u"mousemove"_s, x, y, u"click"_s, u"--repeat"_s, u"2"_s,
                                           u"--delay"_s, u"80"_s, u"1"_s}),
             0);
    QTRY_COMPARE_WITH_TIMEOUT(polls(), 2, 5000);

    // The right button opens the menu: one more window of the program shows.
    const int before = windowsOfTheProgram(desktop);
    QCOMPARE(desktop.status(u"xdotool"_s, {u"mousemove"_s, x, y, u"click"_s, u"3"_s}), 0);
    QTRY_COMPARE_WITH_TIMEOUT(windowsOfTheProgram(desktop), before + 1, 5000);

    if (byMenu) {
        // "Beenden" is the menu's last entry: up from the bottom, then Enter.
        QCOMPARE(desktop.status(u"xdotool"_s, {u"key"_s, u"Up"_s, u"Return"_s}), 0);
    } else {
        desktop.run(u"xdotool"_s, {u"key"_s, u"Escape"_s});
        program->terminate(); // SIGTERM
    }
    QVERIFY(program->waitForFinished(5000));
    QCOMPARE(program->exitStatus(), QProcess::NormalExit);
    QCOMPARE(program->exitCode(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!dockedIcon(desktop).isValid(), 5000);
    QVERIFY(!QFile::exists(QDir(desktop.folder()).filePath(u"Mirkan_DesktopTool.lock"_s)));
}

QTEST_GUILESS_MAIN(TestTrayE2E)
#include "tst_tray_e2e.moc"
