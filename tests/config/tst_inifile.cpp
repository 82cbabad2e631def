// SPDX-License-Identifier: MIT
#include "IniDocument.h"
#include "IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

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

} // namespace

class TestIniFile : public QObject
{
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void write_data();
    void write();
    void encodingRoundTrip_data();
    void encodingRoundTrip();
    void missingPlacesGiveDefault();
    void createsFileWithCrlf();
    void writeReplacesAtomically();
    void unreadableFileIsNeitherReadNorOverwritten();
    void readOnlyFolderKeepsFile();
    void failedWriteKeepsFile();
    void garbageAndHugeLines();
};

void TestIniFile::read_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected"); // "<default>" when the default comes back

    const QByteArray base = "[Konfig]\r\nstations=eins\r\n";
    QTest::newRow("plain") << base << "stations"
                           << "eins";
    QTest::newRow("key case") << base << "STATIONS"
                              << "eins";
    QTest::newRow("section case and blanks") << QByteArray("[ kONFIG ]\nx=1\n") << "x"
                                             << "1";
    QTest::newRow("section ends at first ]") << QByteArray("[Konfig]junk]\nx=1\n") << "x"
                                             << "1";
    QTest::newRow("blanks around key and value")
        << QByteArray("[Konfig]\n   x   =   a b   \n") << "x"
        << "a b";
    QTest::newRow("double quotes removed, inner blanks kept")
        << QByteArray("[Konfig]\nx= \" a \" \n") << "x"
        << " a ";
    QTest::newRow("single quotes removed") << QByteArray("[Konfig]\nx='v'\n") << "x"
                                           << "v";
    QTest::newRow("mismatched quotes kept") << QByteArray("[Konfig]\nx=\"v'\n") << "x"
                                            << "\"v'";
    QTest::newRow("only one pair removed") << QByteArray("[Konfig]\nx=\"\"v\"\"\n") << "x"
                                           << "\"v\"";
    QTest::newRow("comment line") << QByteArray("[Konfig]\n ;x=1\n") << "x"
                                  << "<default>";
    QTest::newRow("semicolon inside value") << QByteArray("[Konfig]\nx=a;b\n") << "x"
                                            << "a;b";
    QTest::newRow("first duplicate wins") << QByteArray("[Konfig]\nx=1\nx=2\n") << "x"
                                          << "1";
    QTest::newRow("repeated section unseen")
        << QByteArray("[Konfig]\na=1\n[Other]\n[Konfig]\nx=2\n") << "x"
        << "<default>";
    QTest::newRow("line without =") << QByteArray("[Konfig]\nx\n") << "x"
                                    << "<default>";
    QTest::newRow("empty value is not default") << QByteArray("[Konfig]\nx=\n") << "x"
                                                << "";
    QTest::newRow("CR line ends") << QByteArray("[Konfig]\rx=1\ry=2\r") << "y"
                                  << "2";
    QTest::newRow("mixed line ends") << QByteArray("[Konfig]\r\nx=1\ny=2\rz=3") << "z"
                                     << "3";
    QTest::newRow("key of other section") << QByteArray("[Other]\nx=1\n") << "x"
                                          << "<default>";
    QTest::newRow("key before any section") << QByteArray("x=1\n[Konfig]\n") << "x"
                                            << "<default>";
    QTest::newRow("value with =") << QByteArray("[Konfig]\nx=a=b\n") << "x"
                                  << "a=b";
    QTest::newRow("cut to 1023") << QByteArray("[Konfig]\nx=" + QByteArray(2000, 'z') + "\n") << "x"
                                 << QString(1023, u'z');
    QTest::newRow("utf8 with bom")
        << QByteArray("\xEF\xBB\xBF[Konfig]\nx=M\xC3\xBCller\n") << "x" << u"Müller"_s;
    QTest::newRow("windows-1252") << QByteArray("[Konfig]\nx=M\xFCller \x80\n") << "x"
                                  << u"Müller €"_s;
    QTest::newRow("bom, then windows-1252")
        << QByteArray("\xEF\xBB\xBF[Konfig]\nx=M\xFCller\n") << "x" << u"Müller"_s;
    QTest::newRow("cut never splits a character")
        << QByteArray("[Konfig]\nx=" + QByteArray(1022, 'z') + "\xF0\x9F\x98\x80\n") << "x"
        << QString(1022, u'z');
}

void TestIniFile::read()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"t.ini"_s);
    writeBytes(path, file);
    QCOMPARE(GetIniString(u"Konfig"_s, key, u"<default>"_s, path), expected);
}

void TestIniFile::write_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("replace in place, keep key case, comments and blanks")
        << QByteArray("; top\r\n[Konfig]\r\n  Stations = alt ; x\r\n\r\n; c\r\nOpaque=1\r\n")
        << "stations"
        << "neu" << QByteArray("; top\r\n[Konfig]\r\nStations=neu\r\n\r\n; c\r\nOpaque=1\r\n");
    QTest::newRow("new key after last key of its section")
        << QByteArray("[Konfig]\na=1\n\n; note\n[Next]\nb=2\n") << "x"
        << "9" << QByteArray("[Konfig]\na=1\nx=9\n\n; note\n[Next]\nb=2\n");
    QTest::newRow("new key in empty section") << QByteArray("[Konfig]\n[Next]\n") << "x"
                                              << "9" << QByteArray("[Konfig]\nx=9\n[Next]\n");
    QTest::newRow("new section after missing final line end")
        << QByteArray("[Other]\na=1") << "x"
        << "9" << QByteArray("[Other]\na=1\n[Konfig]\nx=9\n");
    QTest::newRow("CR-only file keeps CR") << QByteArray("[Konfig]\ra=1\r") << "a"
                                           << "2" << QByteArray("[Konfig]\ra=2\r");
    QTest::newRow("first of duplicates replaced") << QByteArray("[Konfig]\nx=1\nx=2\n") << "x"
                                                  << "3" << QByteArray("[Konfig]\nx=3\nx=2\n");
    QTest::newRow("line breaks in value become blanks")
        << QByteArray("[Konfig]\n") << "x"
        << "a\r\nb\nc\rd" << QByteArray("[Konfig]\nx=a b c d\n");
    QTest::newRow("names trimmed") << QByteArray("[Konfig]\n") << " x "
                                   << "v" << QByteArray("[Konfig]\nx=v\n");
    QTest::newRow("written twice gives one entry") << QByteArray("[Konfig]\nx=1\n") << "X"
                                                   << "2" << QByteArray("[Konfig]\nx=2\n");
    QTest::newRow("last line without end gains one") << QByteArray("[Konfig]\na=1") << "b"
                                                     << "2" << QByteArray("[Konfig]\na=1\nb=2\n");
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

    QTest::newRow("windows-1252 stays windows-1252")
        << QByteArray("; M\xFC\r\n[Konfig]\r\n") << u"Öl €"_s
        << QByteArray("; M\xFC\r\n[Konfig]\r\nx=\xD6l \x80\r\n");
    QTest::newRow("utf-8 stays utf-8") << QByteArray("; M\xC3\xBC\n[Konfig]\n") << u"Öl"_s
                                       << QByteArray("; M\xC3\xBC\n[Konfig]\nx=\xC3\x96l\n");
    QTest::newRow("bom kept") << QByteArray("\xEF\xBB\xBF[Konfig]\n") << u"ä"_s
                              << QByteArray("\xEF\xBB\xBF[Konfig]\nx=\xC3\xA4\n");
    QTest::newRow("bom kept on windows-1252")
        << QByteArray("\xEF\xBB\xBF[Konfig]\r\n; \xFC\r\n") << u"ä"_s
        << QByteArray("\xEF\xBB\xBF[Konfig]\r\nx=\xE4\r\n; \xFC\r\n");
    QTest::newRow("1252 file switches to utf-8 rather than lose a character")
        << QByteArray("; \xFC\n[Konfig]\n") << u"日本"_s
        << QByteArray("; \xC3\xBC\n[Konfig]\nx=\xE6\x97\xA5\xE6\x9C\xAC\n");
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

void TestIniFile::unreadableFileIsNeitherReadNorOverwritten()
{
    // A folder where the file should be: it exists but cannot be read as a file.
    QTemporaryDir dir;
    const QString path = dir.filePath(u"t.ini"_s);
    QVERIFY(QDir().mkpath(path));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"Cannot read"_s));
    QCOMPARE(GetIniString(u"Konfig"_s, u"x"_s, u"d"_s, path), u"d"_s);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"Cannot read"_s));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"Not writing"_s));
    PutIniString(u"Konfig"_s, u"y"_s, u"2"_s, path);
    QVERIFY(QFileInfo(path).isDir());
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
