// SPDX-License-Identifier: MIT
// The command line, the console display it switches on, and the platform chosen
// under Wayland.
#include "CommandLine.h"
#include "ConsoleTextDisplay.h"
#include "Fakes.h"
#include "TeeTextDisplay.h"
#include "WaylandFallback.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Action = CommandLine::Action;

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Action>("action");
        QTest::addColumn<bool>("console");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("shown"); // what the message must contain
        // --version also runs on the built program, in tst_instancelock.
        const QString usage = u"Usage: Mirkan_DesktopTool [options]\n"_s;
        QTest::newRow("nothing") << QStringList() << Action::Run << false << 0 << QString();
        QTest::newRow("console") << QStringList{u"--console"_s} << Action::Run << true << 0
                                 << QString();
        QTest::newRow("help") << QStringList{u"-h"_s} << Action::ShowHelp << false << 0 << usage;
        QTest::newRow("help beside console")
            << QStringList{u"--console"_s, u"--help"_s} << Action::ShowHelp << false << 0 << usage;
        QTest::newRow("unknown option")
            << QStringList{u"--bogus"_s} << Action::Fail << false << 2
            << u"Mirkan_DesktopTool: Unknown option 'bogus'.\n\n"_s + usage;
        // A typo must not hide behind a help that exits 0.
        QTest::newRow("unknown beside help")
            << QStringList{u"--help"_s, u"--bogus"_s} << Action::Fail << false << 2 << usage;
        QTest::newRow("value to a switch")
            << QStringList{u"--console=1"_s} << Action::Fail << false << 2 << u"--console"_s;
        QTest::newRow("argument") << QStringList{u"stations.ini"_s} << Action::Fail << false << 2
                                  << u"Unexpected argument 'stations.ini'."_s;
    }

    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(Action, action);
        QFETCH(bool, console);
        QFETCH(int, exitCode);
        QFETCH(QString, shown);
        arguments.prepend(u"/opt/mirkan/Mirkan_DesktopTool"_s);
        const CommandLine line = CommandLine::parse(arguments);
        QCOMPARE(line.action(), action);
        QCOMPARE(line.console(), console);
        QCOMPARE(line.exitCode(), exitCode);
        QVERIFY2(line.message().contains(shown), qPrintable(line.message()));
        QCOMPARE(line.message().isEmpty(), action == Action::Run);
        QVERIFY(!line.message().contains(u"<executable_name>"_s));
    }

    void console_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown"); // between the time and the line end
        QTest::newRow("blanked") << QString() << u"(leer)"_s;
        QTest::newRow("umlauts and signs") << u"Größe ß é ~ 😀"_s << u"Größe ß é ~ 😀"_s;
        QTest::newRow("line separators")
            << u"ALPHA : 0057\r\nBETA: 0003"_s << u"ALPHA : 0057\n    BETA: 0003"_s;
        QTest::newRow("window title and bell") << u"\x1b]0;hacked\a"_s << u"\\x1b]0;hacked\\x07"_s;
        QTest::newRow("lone LF") << u"0057\n9999"_s << u"0057\\x0a9999"_s;
        QTest::newRow("CR before CR LF") << u"a\r\r\nb"_s << u"a\\x0d\n    b"_s;
        QTest::newRow("tab and NUL") << QStringView(u"a\tb\0c", 5).toString() << u"a\\x09b\\x00c"_s;
        QTest::newRow("DEL") << u"a\x7f"_s << u"a\\x7f"_s;
        QTest::newRow("C1 range") << u"\u0080\u009b2J\u009f\u00a0"_s
                                  << u"\\x80\\x9b2J\\x9f\u00a0"_s;
    }

    void console()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(ConsoleTextDisplay::block(QTime(9, 5, 7), text), u"[09:05:07] "_s + shown + u'\n');
    }

    void waylandPlatform_data()
    {
        QTest::addColumn<QByteArray>("waylandDisplay");
        QTest::addColumn<QByteArray>("qpaPlatform");
        QTest::addColumn<QByteArray>("chosen");
        QTest::newRow("X11 session") << QByteArray() << QByteArray() << QByteArray();
        QTest::newRow("Wayland session")
            << QByteArray("wayland-0") << QByteArray() << QByteArray("xcb;wayland");
        QTest::newRow("user chose Wayland")
            << QByteArray("wayland-0") << QByteArray("wayland") << QByteArray();
    }

    void waylandPlatform()
    {
        QFETCH(QByteArray, waylandDisplay);
        QFETCH(QByteArray, qpaPlatform);
        QTEST(WaylandFallback::platformFor(waylandDisplay, qpaPlatform), "chosen");
    }

    void consoleBesideTheOverlay()
    {
        RecordingDisplay primary;
        RecordingDisplay console;
        TeeTextDisplay tee(primary, &console);
        tee.set_Print_Text(u"A : 0001"_s);
        tee.show();
        QCOMPARE(primary.texts, QStringList{u"A : 0001"_s});
        QCOMPARE(console.texts, QStringList{u"A : 0001"_s});
        QVERIFY(primary.shown);
        QVERIFY(console.shown);
        QCOMPARE(tee.get_text(), u"A : 0001"_s);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
