// SPDX-License-Identifier: MIT
#include "IniDocument.h"
#include "IniFile.h"

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

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The mark and the code units written out byte by byte, independent of any codec.
QByteArray utf16(std::u16string_view text, bool littleEndian)
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

QByteArray utf16le(std::u16string_view text)
{
    return utf16(text, true);
}

QByteArray utf16be(std::u16string_view text)
{
    return utf16(text, false);
}

} // namespace

class TestIniFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void read_data();
    void read();
    void write_data();
    void write();
    void encodingRoundTrip_data();
    void encodingRoundTrip();
    void missingPlacesGiveDefault();
    void createsFileWithCrlf();
    void writeReplacesAtomically();
    void notAPlainFile_data();
    void notAPlainFile();
    void linkToPlainFileIsFollowed();
    void sizeLimit();
    void readOnlyFolderKeepsFile();
    void failedWriteKeepsFile();
    void garbageAndHugeLines();
};

void TestIniFile::init()
{
    // Every expected warning is announced with ignoreMessage; any other one fails.
    QTest::failOnWarning(QRegularExpression(u"."_s));
}

void TestIniFile::read_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("expected"); // of key x; "<default>" when the default comes back

    const auto row = [](const char *name, const QByteArray &file, const QString &expected) {
        QTest::newRow(name) << file << expected;
    };
    const QString def = u"<default>"_s;
    row("names without regard to case and blanks", "[ kONFIG ]\r\n  X  =1\r\n", u"1"_s);
    row("section ends at first ]", "[Konfig]junk]\nx=1\n", u"1"_s);
    row("blanks around value", "[Konfig]\nx=   a b   \n", u"a b"_s);
    row("double quotes removed, inner blanks kept", "[Konfig]\nx= \" a \" \n", u" a "_s);
    row("single quotes removed", "[Konfig]\nx='v'\n", u"v"_s);
    row("mismatched quotes kept", "[Konfig]\nx=\"v'\n", u"\"v'"_s);
    row("only one pair removed", "[Konfig]\nx=\"\"v\"\"\n", u"\"v\""_s);
    row("comment line", "[Konfig]\n ;x=1\n", def);
    row("semicolon inside value", "[Konfig]\nx=a;b\n", u"a;b"_s);
    row("value with =", "[Konfig]\nx=a=b\n", u"a=b"_s);
    row("first duplicate wins", "[Konfig]\nx=1\nx=2\n", u"1"_s);
    row("repeated section unseen", "[Konfig]\na=1\n[Other]\n[Konfig]\nx=2\n", def);
    row("key outside the section", "x=1\n[Other]\nx=1\n[Konfig]\n", def);
    row("line without =", "[Konfig]\nx\n", def);
    row("empty value is not default", "[Konfig]\nx=\n", u""_s);
    row("mixed line ends", "[Konfig]\r\ny=1\rz=2\nx=3", u"3"_s);
    row("cut to 1023", "[Konfig]\nx=" + QByteArray(2000, 'z') + "\n", QString(1023, u'z'));
    row("cut never splits a character",
        "[Konfig]\nx=" + QByteArray(1022, 'z') + "\xF0\x9F\x98\x80\n", QString(1022, u'z'));
    row("utf-8 with bom", "\xEF\xBB\xBF[Konfig]\nx=M\xC3\xBCller\n", u"Müller"_s);
    row("windows-1252", "[Konfig]\nx=M\xFCller \x80\n", u"Müller €"_s);
    row("bom, then windows-1252", "\xEF\xBB\xBF[Konfig]\nx=M\xFCller\n", u"Müller"_s);
    row("utf-16le with mark, as Notepad saves Unicode",
        utf16le(u"; \u00c4nderung\r\n[Konfig]\r\nx = M\u00fcller \u20ac\r\n"), u"Müller €"_s);
    row("utf-16be with mark", utf16be(u"[Konfig]\nx=\u65e5\U0001F600\n"), u"日😀"_s);
    row("utf-16le without final line end", utf16le(u"[Konfig]\r\nx=1"), u"1"_s);
}

void TestIniFile::read()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"t.ini"_s);
    writeBytes(path, file);
    QCOMPARE(GetIniString(u"Konfig"_s, u"x"_s, u"<default>"_s, path), expected);
}

void TestIniFile::write_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    const auto row = [](const char *name, const QByteArray &before, const QString &key,
                        const QString &value, const QByteArray &after) {
        QTest::newRow(name) << before << key << value << after;
    };
    row("replace in place, keep key case, comments and blanks",
        "; top\r\n[Konfig]\r\n  Stations = alt ; x\r\n\r\n; c\r\nOpaque=1\r\n", u"stations"_s,
        u"neu"_s, "; top\r\n[Konfig]\r\nStations=neu\r\n\r\n; c\r\nOpaque=1\r\n");
    row("new key after last key of its section", "[Konfig]\na=1\n\n; note\n[Next]\nb=2\n", u"x"_s,
        u"9"_s, "[Konfig]\na=1\nx=9\n\n; note\n[Next]\nb=2\n");
    row("new key in empty section", "[Konfig]\n[Next]\n", u"x"_s, u"9"_s,
        "[Konfig]\nx=9\n[Next]\n");
    row("new section after missing final line end", "[Other]\na=1", u"x"_s, u"9"_s,
        "[Other]\na=1\n[Konfig]\nx=9\n");
    row("CR-only file keeps CR", "[Konfig]\ra=1\r", u"a"_s, u"2"_s, "[Konfig]\ra=2\r");
    row("first of duplicates replaced", "[Konfig]\nx=1\nx=2\n", u"x"_s, u"3"_s,
        "[Konfig]\nx=3\nx=2\n");
    row("line breaks in value become blanks", "[Konfig]\n", u"x"_s, u"a\r\nb\nc\rd"_s,
        "[Konfig]\nx=a b c d\n");
    row("names trimmed", "[Konfig]\n", u" x "_s, u"v"_s, "[Konfig]\nx=v\n");
    row("written twice gives one entry", "[Konfig]\nx=1\n", u"X"_s, u"2"_s, "[Konfig]\nx=2\n");
}

void TestIniFile::write()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"t.ini"_s);
    writeBytes(path, before);
    PutIniString(u"Konfig"_s, key, value, path);
    QCOMPARE(readBytes(path), after);
}

void TestIniFile::encodingRoundTrip_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    const auto row = [](const char *name, const QByteArray &before, const QString &value,
                        const QByteArray &after) {
        QTest::newRow(name) << before << value << after;
    };
    row("windows-1252 stays windows-1252", "; M\xFC\r\n[Konfig]\r\n", u"Öl €"_s,
        "; M\xFC\r\n[Konfig]\r\nx=\xD6l \x80\r\n");
    row("utf-8 stays utf-8", "; M\xC3\xBC\n[Konfig]\n", u"Öl"_s,
        "; M\xC3\xBC\n[Konfig]\nx=\xC3\x96l\n");
    row("bom kept", "\xEF\xBB\xBF[Konfig]\n", u"ä"_s, "\xEF\xBB\xBF[Konfig]\nx=\xC3\xA4\n");
    row("bom kept on windows-1252", "\xEF\xBB\xBF[Konfig]\r\n; \xFC\r\n", u"ä"_s,
        "\xEF\xBB\xBF[Konfig]\r\nx=\xE4\r\n; \xFC\r\n");
    row("utf-16le stays utf-16le with CRLF", utf16le(u"; \u00c4\r\n[Konfig]\r\na=1\r\n"), u"日本"_s,
        utf16le(u"; \u00c4\r\n[Konfig]\r\na=1\r\nx=\u65e5\u672c\r\n"));
    row("utf-16be stays utf-16be with LF", utf16be(u"[Konfig]\nx=alt\n"), u"Öl"_s,
        utf16be(u"[Konfig]\nx=\u00d6l\n"));
    row("1252 file switches to utf-8 rather than lose a character", "; \xFC\n[Konfig]\n", u"日本"_s,
        "; \xC3\xBC\n[Konfig]\nx=\xE6\x97\xA5\xE6\x9C\xAC\n");
}

void TestIniFile::encodingRoundTrip()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"t.ini"_s);
    writeBytes(path, before);
    PutIniString(u"Konfig"_s, u"x"_s, value, path);
    QCOMPARE(readBytes(path), after);
    QCOMPARE(GetIniString(u"Konfig"_s, u"x"_s, {}, path), value);
}

void TestIniFile::missingPlacesGiveDefault()
{
    QTemporaryDir dir;
    QCOMPARE(GetIniString(u"Konfig"_s, u"x"_s, u"d"_s, dir.filePath(u"none.ini"_s)), u"d"_s);
    QCOMPARE(GetIniString(u"Konfig"_s, u"x"_s, u"d"_s, dir.filePath(u"no/dir/t.ini"_s)), u"d"_s);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"Cannot write"_s));
    PutIniString(u"Konfig"_s, u"x"_s, u"1"_s, dir.filePath(u"no/dir/t.ini"_s));
    QVERIFY(!QFile::exists(dir.filePath(u"no/dir/t.ini"_s)));
}

void TestIniFile::createsFileWithCrlf()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"new.ini"_s);
    PutIniString(u"Konfig"_s, u"stations"_s, u"eins"_s, path);
    PutIniString(u"Konfig"_s, u"Opaque"_s, u"200"_s, path);
    QCOMPARE(readBytes(path), QByteArray("[Konfig]\r\nstations=eins\r\nOpaque=200\r\n"));
}

void TestIniFile::writeReplacesAtomically()
{
    // The file is replaced by a new one (rename), never rewritten in place: a reader
    // holding the old file keeps seeing the complete old content.
    QTemporaryDir dir;
    const QString path = dir.filePath(u"t.ini"_s);
    writeBytes(path, "[Konfig]\nx=old\n");
    QFile old(path);
    QVERIFY(old.open(QIODevice::ReadOnly));
    PutIniString(u"Konfig"_s, u"x"_s, u"new"_s, path);
    QCOMPARE(old.readAll(), QByteArray("[Konfig]\nx=old\n"));
    QCOMPARE(readBytes(path), QByteArray("[Konfig]\nx=new\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"t.ini"_s});
}

void TestIniFile::notAPlainFile_data()
{
    // Devices never end and a pipe blocks its reader, so neither may be opened, let
    // alone replaced by a plain file.
    QTest::addColumn<QString>("thing"); // "fifo", "folder" or a device
    QTest::addColumn<bool>("viaLink");
    QTest::newRow("pipe") << u"fifo"_s << false;
    QTest::newRow("link to a pipe") << u"fifo"_s << true;
    QTest::newRow("link to /dev/zero") << u"/dev/zero"_s << true;
    QTest::newRow("link to /dev/urandom") << u"/dev/urandom"_s << true;
    QTest::newRow("folder") << u"folder"_s << false;
    QTest::newRow("link to a folder") << u"folder"_s << true;
}

void TestIniFile::notAPlainFile()
{
    QFETCH(QString, thing);
    QFETCH(bool, viaLink);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"t.ini"_s);
    QString made = viaLink ? dir.filePath(u"target"_s) : path;
    if (thing == u"fifo"_s) {
        if (QProcess::execute(u"mkfifo"_s, {made}) != 0) {
            QSKIP("mkfifo is not available");
        }
    } else if (thing == u"folder"_s) {
        QVERIFY(QDir().mkpath(made));
    } else {
        made = thing;
        if (!QFileInfo::exists(made)) {
            QSKIP("no such device here");
        }
    }
    if (viaLink) {
        QVERIFY(QFile::link(made, path));
    }
    const auto entries = [&dir] {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    };
    const QStringList before = entries();

    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(u"Cannot read INI file .*not a plain file"_s));
    QCOMPARE(GetIniString(u"Konfig"_s, u"x"_s, u"d"_s, path), u"d"_s);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"Not writing y .*not a plain file"_s));
    PutIniString(u"Konfig"_s, u"y"_s, u"2"_s, path);

    QCOMPARE(entries(), before);
    const QFileInfo after(path);
    QCOMPARE(after.isSymLink(), viaLink);
    if (viaLink) {
        QCOMPARE(after.symLinkTarget(), made);
    }
    QVERIFY(!after.isFile());
}

void TestIniFile::linkToPlainFileIsFollowed()
{
    QTemporaryDir dir;
    const QString target = dir.filePath(u"real.ini"_s);
    const QString path = dir.filePath(u"t.ini"_s);
    writeBytes(target, "[Konfig]\nx=1\n");
    QVERIFY(QFile::link(target, path));
    QCOMPARE(GetIniString(u"Konfig"_s, u"x"_s, u"d"_s, path), u"1"_s);
    PutIniString(u"Konfig"_s, u"x"_s, u"2"_s, path);
    QCOMPARE(readBytes(target), QByteArray("[Konfig]\nx=2\n"));
    QCOMPARE(QFileInfo(path).symLinkTarget(), target);
}

void TestIniFile::sizeLimit()
{
    // Sparse files: the limit is counted in bytes read, not in the size the system reports.
    QTemporaryDir dir;
    const QString path = dir.filePath(u"t.ini"_s);
    writeBytes(path, "[Konfig]\nx=1\n");
    QVERIFY(QFile::resize(path, IniFile::kMaxFileSize));
    QCOMPARE(GetIniString(u"Konfig"_s, u"x"_s, u"d"_s, path), u"1"_s);
    QVERIFY(QFile::resize(path, IniFile::kMaxFileSize + 1));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"larger than 33554432 bytes"_s));
    QCOMPARE(GetIniString(u"Konfig"_s, u"x"_s, u"d"_s, path), u"d"_s);
}

void TestIniFile::readOnlyFolderKeepsFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"t.ini"_s);
    writeBytes(path, "[Konfig]\nx=1\n");
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (QFile probe(dir.filePath(u"probe"_s)); probe.open(QIODevice::WriteOnly)) {
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner);
        QSKIP("this user writes into read-only folders");
    }
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"Cannot write"_s));
    PutIniString(u"Konfig"_s, u"x"_s, u"2"_s, path);
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(readBytes(path), QByteArray("[Konfig]\nx=1\n"));
}

void TestIniFile::failedWriteKeepsFile()
{
    // A file in a folder where nothing can be created, even by an administrator.
    const QString path = u"/proc/version"_s;
    const QByteArray before = readBytes(path);
    if (before.isEmpty()) {
        QSKIP("no kernel information file on this system");
    }
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"Cannot write"_s));
    PutIniString(u"Konfig"_s, u"x"_s, u"2"_s, path);
    QCOMPARE(readBytes(path), before);
}

void TestIniFile::garbageAndHugeLines()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"t.ini"_s);
    QByteArray garbage;
    for (int i = 0; i < 100000; ++i) {
        garbage += char((i * 7919) % 256);
    }
    writeBytes(path, garbage);
    QCOMPARE(GetIniString(u"Konfig"_s, u"x"_s, u"d"_s, path), u"d"_s);

    writeBytes(path, "[Konfig]\nx=" + QByteArray(10 * 1024 * 1024, 'a') + "\ny=2\n");
    QCOMPARE(GetIniString(u"Konfig"_s, u"x"_s, u"d"_s, path).size(), 1023);
    QCOMPARE(GetIniString(u"Konfig"_s, u"y"_s, u"d"_s, path), u"2"_s);
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
