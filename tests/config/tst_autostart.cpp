// SPDX-License-Identifier: MIT
#include "AutostartEntry.h"
#include "LaunchAgentAutostart.h"
#include "TestFiles.h"
#include "XdgAutostart.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// The "key=value" lines of a desktop entry's one group.
QStringList desktopEntries(const QByteArray &text)
{
    QStringList entries = QString::fromUtf8(text).split(u'\n', Qt::SkipEmptyParts);
    return entries.first() == u"[Desktop Entry]"_s ? entries.mid(1) : QStringList{};
}

// The launch agent's keys as "key=value", an array's strings joined by blanks; the
// reader's error where the file is no well-formed XML.
QStringList plistEntries(const QByteArray &xml)
{
    QXmlStreamReader reader(xml);
    QStringList entries;
    while (reader.readNext() != QXmlStreamReader::Invalid && !reader.atEnd()) {
        const QStringView name = reader.name();
        if (!reader.isStartElement() || name == u"plist" || name == u"dict" || name == u"array") {
            continue;
        }
        if (name == u"key") {
            entries << reader.readElementText() + u'=';
        } else if (!entries.isEmpty()) {
            QString &entry = entries.last();
            entry += (entry.endsWith(u'=') ? u""_s : u" "_s) +
                     (name == u"string" ? reader.readElementText() : name.toString());
        }
    }
    return reader.hasError() ? QStringList{reader.errorString()} : entries;
}

} // namespace

// Entries are written below a fresh HOME and XDG_CONFIG_HOME for every test function,
// home/ and config/ in the test's folder.
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
        QTest::newRow("usual") << u"/opt/mirkan/Mirkan_DesktopTool"_s << QString()
                               << u"Mirkan_DesktopTool"_s << u"/opt/mirkan/Mirkan_DesktopTool"_s;
        QTest::newRow("renamed") << u"/opt/mirkan/Other.exe"_s << u".exe"_s << u"Other"_s
                                 << u"/opt/mirkan/Mirkan_DesktopTool.exe"_s;
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
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("desktop entry") << false << u"config/autostart/Mirkan_DesktopTool.desktop"_s
                                       << QStringList{u"Type=Application"_s,
                                                      u"Name=Mirkan_DesktopTool"_s,
                                                      u"Exec=\"/opt/A & B/Mirkan_DesktopTool\""_s,
                                                      u"Icon=mirkan-desktoptool"_s,
                                                      u"Terminal=false"_s,
                                                      u"X-Mirkan-DesktopTool-Autostart=true"_s};
        QTest::newRow("launch agent")
            << true << u"home/Library/LaunchAgents/Mirkan_DesktopTool.plist"_s
            << QStringList{u"Label=Mirkan_DesktopTool"_s,
                           u"ProgramArguments=/opt/A & B/Mirkan_DesktopTool"_s,
                           u"RunAtLoad=true"_s};
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
        QVERIFY(autostart->SetAutostart(name, u"/opt/A & B/Mirkan_DesktopTool"_s));
        QCOMPARE(filesBelow(m_dir->path()), QStringList{file});
        const QByteArray first = readBytes(m_dir->filePath(file));
        QTEST(launchAgent ? plistEntries(first) : desktopEntries(first), "entries");
        QVERIFY(autostart->SetAutostart(name, u"/opt/A & B/Mirkan_DesktopTool"_s));
        QCOMPARE(readBytes(m_dir->filePath(file)), first);
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
        QTest::newRow("backslash") << u"/opt/a\\b/x"_s << QByteArray("Exec=\"/opt/a\\\\\\\\b/x\"");
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

    // A file the user made under our name stays, whatever resembles our mark in it.
    void foreignFileKept_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("no mark") << "[Desktop Entry]\nExec=/usr/bin/true\n"_ba;
        QTest::newRow("mark in a value") << "Comment=X-Mirkan-DesktopTool-Autostart=true\n"_ba;
    }

    void foreignFileKept()
    {
        QFETCH(QByteArray, text);
        const QString path = m_dir->filePath(u"config/autostart/tool.desktop"_s);
        QVERIFY(QDir().mkpath(m_dir->filePath(u"config/autostart"_s)));
        QVERIFY(writeBytes(path, text));
        QVERIFY(!XdgAutostart().RemoveAutostart(u"tool"_s));
        QCOMPARE(readBytes(path), text);
    }

    void nameStaysInFolder_data()
    {
        QTest::addColumn<QString>("valueName");
        QTest::newRow("parent") << u".."_s;
        QTest::newRow("climbing path") << u"../../escaped"_s;
    }

    void nameStaysInFolder()
    {
        QFETCH(QString, valueName);
        XdgAutostart autostart;
        QVERIFY(autostart.SetAutostart(valueName, u"/opt/tool"_s));
        const QStringList files = filesBelow(m_dir->path());
        QCOMPARE(files.size(), 1);
        QVERIFY2(files.first().startsWith(u"config/autostart/"_s), qPrintable(files.first()));
        QVERIFY2(!files.first().contains(u"/."_s), qPrintable(files.first()));
        QVERIFY(autostart.RemoveAutostart(valueName));
        QVERIFY(filesBelow(m_dir->path()).isEmpty());
    }

private:
    std::optional<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestAutostart)
#include "tst_autostart.moc"
