// SPDX-License-Identifier: MIT
#include "IniDocument.h"
#include "IniFile.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <string_view>

using namespace Qt::StringLiterals;

namespace {

constexpr bool kLE = true;
constexpr bool kBE = false;

// The mark and the code units written out byte by byte, independent of any codec.
QByteArray utf16(bool littleEndian, std::u16string_view text)
{
    QByteArray bytes = littleEndian ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
    for (const char16_t unit : text) {
        const char low = char(unit & 0xFF);
        const char high = char(unit >> 8);
        bytes += littleEndian ? low : high;
        bytes += littleEndian ? high : low;
    }
    return bytes;
}

struct Scratch
{
    QTemporaryDir dir;
    QString path = dir.filePath(u"t.ini"_s);
};

} // namespace

class TestIniFile : public QObject
{
    Q_OBJECT

private slots:
    void init() { QTest::failOnWarning(QRegularExpression(u"."_s)); }

    void read_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("expected"); // of key x; "<default>" when the default comes back

        const auto row = [](const char *name, const QByteArray &file, const QString &expected) {
            QTest::newRow(name) << file << expected;
        };
        const QString def = u"<default>"_s;
        row("names without regard to case and blanks", "[ kONFIG ]\r\n  X  =1\r\n", u"1"_s);
        row("double quotes removed, inner blanks kept", "[Konfig]\nx= \" a \" \n", u" a "_s);
        row("mismatched quotes kept", "[Konfig]\nx=\"v'\n", u"\"v'"_s);
        row("only one pair removed", "[Konfig]\nx=\"\"v\"\"\n", u"\"v\""_s);
        row("comment line", "[Konfig]\n ;x=1\n", def);
        row("semicolon and = inside value", "[Konfig]\nx=a;b=c\n", u"a;b=c"_s);
        row("first duplicate wins", "[Konfig]\nx=1\nx=2\n", u"1"_s);
        row("repeated section unseen", "[Konfig]\na=1\n[Other]\n[Konfig]\nx=2\n", def);
        row("key outside the section", "x=1\n[Other]\nx=1\n[Konfig]\n", def);
        row("empty value is not default", "[Konfig]\nx=\n", u""_s);
        row("mixed line ends", "[Konfig]\r\ny=1\rz=2\nx=3", u"3"_s);
        row("cut to 1023", "[Konfig]\nx=" + QByteArray(2000, 'z') + "\n", QString(1023, u'z'));
        row("cut never splits a character",
            "[Konfig]\nx=" + QByteArray(1022, 'z') + "\xF0\x9F\x98\x80\n", QString(1022, u'z'));
        row("line after a 10 MB line", "[Konfig]\ny=" + QByteArray(10 << 20, 'a') + "\nx=2\n",
            u"2"_s);
        row("windows-1252", "[Konfig]\nx=M\xFCller \x80\n", u"Müller €"_s);
        row("bom, then windows-1252", "\xEF\xBB\xBF[Konfig]\nx=M\xFCller\n", u"Müller"_s);
        row("utf-16le with mark, as Notepad saves Unicode",
            utf16(kLE, u"; \u00c4nderung\r\n[Konfig]\r\nx = M\u00fcller \u20ac\r\n"),
            u"Müller €"_s);
    }

    void read()
    {
        QFETCH(QByteArray, file);
        Scratch ini;
        QVERIFY(writeBytes(ini.path, file));
        QTEST(GetIniString(u"Konfig"_s, u"x"_s, u"<default>"_s, ini.path), "expected");
    }

    void write_data()
    {
        QTest::addColumn<QByteArray>("before"); // null: no file yet
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");

        const auto row = [](const char *name, const QByteArray &before, const QString &key,
                            const QString &value, const QByteArray &after) {
            QTest::newRow(name) << before << key << value << after;
        };
        row("new file with CRLF", QByteArray(), u"x"_s, u"1"_s, "[Konfig]\r\nx=1\r\n");
        row("replace in place, keep key case, comments and blanks",
            "; top\r\n[Konfig]\r\n  Stations = alt ; x\r\n\r\n; c\r\nOpaque=1\r\n", u"stations"_s,
            u"neu"_s, "; top\r\n[Konfig]\r\nStations=neu\r\n\r\n; c\r\nOpaque=1\r\n");
        row("new key after last key of its section", "[Konfig]\na=1\n\n; note\n[Next]\nb=2\n",
            u"x"_s, u"9"_s, "[Konfig]\na=1\nx=9\n\n; note\n[Next]\nb=2\n");
        row("new section after missing final line end", "[Other]\na=1", u"x"_s, u"9"_s,
            "[Other]\na=1\n[Konfig]\nx=9\n");
        row("only a line end", "\r", u"x"_s, u"1"_s, "\r[Konfig]\rx=1\r");
        row("line breaks in value become blanks", "[Konfig]\n", u"x"_s, u"a\r\nb\nc\rd"_s,
            "[Konfig]\nx=a b c d\n");
        row("windows-1252 stays windows-1252", "; M\xFC\r\n[Konfig]\r\n", u"x"_s, u"Öl €"_s,
            "; M\xFC\r\n[Konfig]\r\nx=\xD6l \x80\r\n");
        row("utf-8 stays utf-8", "; M\xC3\xBC\n[Konfig]\n", u"x"_s, u"Öl"_s,
            "; M\xC3\xBC\n[Konfig]\nx=\xC3\x96l\n");
        row("bom kept on windows-1252", "\xEF\xBB\xBF[Konfig]\r\n; \xFC\r\n", u"x"_s, u"ä"_s,
            "\xEF\xBB\xBF[Konfig]\r\nx=\xE4\r\n; \xFC\r\n");
        row("utf-16le stays utf-16le with CRLF", utf16(kLE, u"; \u00c4\r\n[Konfig]\r\na=1\r\n"),
            u"x"_s, u"日本"_s, utf16(kLE, u"; \u00c4\r\n[Konfig]\r\na=1\r\nx=\u65e5\u672c\r\n"));
        row("utf-16be stays utf-16be with LF", utf16(kBE, u"[Konfig]\nx=alt\n"), u"x"_s, u"Öl"_s,
            utf16(kBE, u"[Konfig]\nx=\u00d6l\n"));
        row("1252 file switches to utf-8 rather than lose a character", "; \xFC\n[Konfig]\n",
            u"x"_s, u"日本"_s, "; \xC3\xBC\n[Konfig]\nx=\xE6\x97\xA5\xE6\x9C\xAC\n");
    }

    // Then more keys: settings are saved in one replacement, with the very result that one
    // write per key, each reading the file the one before it left, gives.
    void write()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, key);
        QFETCH(QString, value);
        Scratch single;
        Scratch once;
        if (!before.isNull()) {
            QVERIFY(writeBytes(single.path, before) && writeBytes(once.path, before));
        }
        PutIniString(u"Konfig"_s, key, value, single.path);
        QTEST(readBytes(single.path), "after");

        const IniFile::Writes writes = {{key, value},
                                        {u"stations"_s, u"eins;zwei"_s},
                                        {u"Opaque"_s, u"200"_s},
                                        {u"write_title2file"_s, u"日本"_s},
                                        {u"window_pos_x"_s, u" 15 "_s},
                                        {u"horizontal"_s, u"a\nb"_s}};
        for (auto it = writes.begin() + 1; it != writes.end(); ++it) {
            PutIniString(u"Konfig"_s, it->first, it->second, single.path);
        }
        QVERIFY(IniFile::save(u"Konfig"_s, writes, once.path).ok());
        QCOMPARE(readBytes(once.path), readBytes(single.path));
    }

    void notAPlainFile_data()
    {
        // Devices never end and a pipe blocks its reader: neither is opened or replaced.
        QTest::addColumn<QString>("thing"); // "fifo", "folder" or a device, which is linked to
        QTest::newRow("pipe") << u"fifo"_s;
        QTest::newRow("link to /dev/zero") << u"/dev/zero"_s;
        QTest::newRow("folder") << u"folder"_s;
    }

    void notAPlainFile()
    {
        QFETCH(QString, thing);
        Scratch ini;
        const bool viaLink = thing.startsWith(u'/');
        if (thing == u"fifo"_s) {
            if (QProcess::execute(u"mkfifo"_s, {ini.path}) != 0) {
                QSKIP("mkfifo is not available");
            }
        } else if (thing == u"folder"_s) {
            QVERIFY(QDir().mkpath(ini.path));
        } else if (!QFileInfo::exists(thing)) {
            QSKIP("no such device here");
        } else {
            QVERIFY(QFile::link(thing, ini.path));
        }
        const QStringList before = entries(ini.dir.path());

        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(u"Cannot read INI file .*not a plain file"_s));
        QCOMPARE(GetIniString(u"Konfig"_s, u"x"_s, u"d"_s, ini.path), u"d"_s);
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(u"Cannot write y .*not a plain file"_s));
        PutIniString(u"Konfig"_s, u"y"_s, u"2"_s, ini.path);

        QCOMPARE(entries(ini.dir.path()), before);
        const QFileInfo after(ini.path);
        QCOMPARE(after.symLinkTarget(), viaLink ? thing : QString());
        QVERIFY(!after.isFile());
    }

    void linkToPlainFileIsFollowed()
    {
        Scratch ini;
        const QString target = ini.dir.filePath(u"real.ini"_s);
        QVERIFY(writeBytes(target, "[Konfig]\nx=1\n"));
        QVERIFY(QFile::link(target, ini.path));
        QCOMPARE(GetIniString(u"Konfig"_s, u"x"_s, u"d"_s, ini.path), u"1"_s);
        PutIniString(u"Konfig"_s, u"x"_s, u"2"_s, ini.path);
        QCOMPARE(readBytes(target), QByteArray("[Konfig]\nx=2\n"));
        QCOMPARE(QFileInfo(ini.path).symLinkTarget(), target);
    }

    void sizeLimit()
    {
        // A sparse file: the limit is counted in bytes read, not in the size the system reports.
        Scratch ini;
        QVERIFY(writeBytes(ini.path, "[Konfig]\nx=1\n"));
        QVERIFY(QFile::resize(ini.path, IniFile::kMaxFileSize));
        QCOMPARE(GetIniString(u"Konfig"_s, u"x"_s, u"d"_s, ini.path), u"1"_s);
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
