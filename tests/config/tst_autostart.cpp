// SPDX-License-Identifier: MIT
#include "AutostartEntry.h"
#include "LaunchAgentAutostart.h"
#include "TestFiles.h"
#include "XdgAutostart.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

class TestAutostart : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.emplace();
        QVERIFY(m_dir->isValid());
        qputenv("HOME", QFile::encodeName(m_dir->filePath(u"home"_s)));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir->filePath(u"config"_s)));
    }

    void entry_data()
    {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QString>("valueName");
        QTest::addColumn<QString>("command");
        QTest::newRow("suffix in capitals, blank in folder")
            << u"/opt/Mirkan Tool/OTHER.EXE"_s << u".exe"_s << u"OTHER"_s
            << u"/opt/Mirkan Tool/Mirkan_DesktopTool.exe"_s;
        QTest::newRow("dots are no suffix")
            << u"/opt/tool-1.2"_s << QString() << u"tool-1.2"_s << u"/opt/Mirkan_DesktopTool"_s;
    }

    void entry()
    {
        QFETCH(QString, executable);
        QFETCH(QString, suffix);
        QFETCH(QString, valueName);
        QFETCH(QString, command);
        const AutostartEntry e = AutostartEntry::forExecutable(executable, suffix);
        QCOMPARE(e.valueName, valueName);
        QCOMPARE(e.command, QDir::toNativeSeparators(command));
    }

    void lifecycle_data()
    {
        QTest::addColumn<bool>("launchAgent");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("desktop entry")
            << false << u"config/autostart/Mirkan_DesktopTool.desktop"_s
            << QByteArray("[Desktop Entry]\nType=Application\nName=Mirkan_DesktopTool\n"
                          "Exec=\"/opt/A & B/Mirkan_DesktopTool\"\nIcon=mirkan-desktoptool\n"
                          "Terminal=false\nX-Mirkan-DesktopTool-Autostart=true\n");
        QTest::newRow("launch agent")
            << true << u"home/Library/LaunchAgents/Mirkan_DesktopTool.plist"_s
            << QByteArray(
                   "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                   "<!-- X-Mirkan-DesktopTool-Autostart -->\n<plist version=\"1.0\">\n<dict>\n"
                   "\t<key>Label</key>\n\t<string>Mirkan_DesktopTool</string>\n"
                   "\t<key>ProgramArguments</key>\n\t<array>\n"
                   "\t\t<string>/opt/A &amp; B/Mirkan_DesktopTool</string>\n\t</array>\n"
                   "\t<key>RunAtLoad</key>\n\t<true/>\n</dict>\n</plist>\n");
    }

    void lifecycle()
    {
        QFETCH(bool, launchAgent);
        QFETCH(QString, file);
        const std::unique_ptr<Autostart> autostart =
            launchAgent ? std::unique_ptr<Autostart>(std::make_unique<LaunchAgentAutostart>())
                        : std::make_unique<XdgAutostart>();
        const QString name = u"Mirkan_DesktopTool"_s;
        QVERIFY(!autostart->RemoveAutostart(name));
        for (int i = 0; i < 2; ++i) {
            QVERIFY(autostart->SetAutostart(name, u"/opt/A & B/Mirkan_DesktopTool"_s));
            QCOMPARE(filesBelow(m_dir->path()), QStringList{file});
            QTEST(readBytes(m_dir->filePath(file)), "text");
        }
        QVERIFY(autostart->RemoveAutostart(name));
        QVERIFY(filesBelow(m_dir->path()).isEmpty());
        QVERIFY(!autostart->RemoveAutostart(name));
    }

    // The lines as they stand in the file, where the value's own escaping doubles every
    // backslash that quoting put in. (No raw strings here: moc misreads them.)
    void execLine_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("quote and dollar")
            << u"/opt/a\"b$c/x"_s << QByteArray("Exec=\"/opt/a\\\\\"b\\\\$c/x\"");
        QTest::newRow("percent, unquoted") << u"/opt/100%/x"_s << QByteArray("Exec=/opt/100%%/x");
        QTest::newRow("line break") << u"/opt/a\nb/x"_s << QByteArray("Exec=\"/opt/a\\nb/x\"");
    }

    void execLine()
    {
        QFETCH(QString, command);
        QFETCH(QByteArray, line);
        QVERIFY(XdgAutostart().SetAutostart(u"tool"_s, command));
        const QByteArray text = readBytes(m_dir->filePath(u"config/autostart/tool.desktop"_s));
        QCOMPARE(text.split('\n').value(3), line);
    }

    // A file the user made under our name stays, even with our mark inside a value.
    void foreignFileKept()
    {
        const QByteArray text = "Comment=X-Mirkan-DesktopTool-Autostart=true\n";
        const QString path = m_dir->filePath(u"config/autostart/tool.desktop"_s);
        QVERIFY(QDir().mkpath(m_dir->filePath(u"config/autostart"_s)));
        QVERIFY(writeBytes(path, text));
        QVERIFY(!XdgAutostart().RemoveAutostart(u"tool"_s));
        QCOMPARE(readBytes(path), text);
    }

private:
    std::optional<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestAutostart)
#include "tst_autostart.moc"
