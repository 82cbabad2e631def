// SPDX-License-Identifier: MIT
#include "SimWorld.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

using Song = PlatformSimulator::SongReply;
using Fault = PlatformSimulator::Fault;

Song document(QByteArray body)
{
    return {.body = std::move(body)};
}

const QByteArray kNone = "(none)";
const QByteArray kWhen = "\"05.12.2026\",\"14:30:15\",";
// A station without a script of its own: song 1, no listeners.
const QByteArray kDefaultLine = kWhen + "1,\"Titel\",\"Interpret\",\"Album\",0\r\n";

struct World : SimWorld
{
    explicit World(const QByteArray &stations, const QByteArray &titleFiles = "1",
                   int timeoutMs = WebDownloader::kDefaultTimeoutMs)
        : SimWorld("stations=" + stations + "\r\nwrite_title2file=" + titleFiles + "\r\n",
                   timeoutMs)
    {
    }
    QByteArray titleFile(const QString &station) const
    {
        QFile f(programDir.filePath(u"titel_"_s + station + u".txt"_s));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : kNone;
    }
};

} // namespace

// Slots defined outside the class: moc misreads the raw strings of the tables.
class TestSongs : public QObject
{
    Q_OBJECT

private slots:
    void linesFollowSongChanges();
    void reloadWhileSongsAreOutstanding();
    void switchedOffFetchesNothing();
    void documents_data();
    void documents();
    void countsAsWholeNumbers_data();
    void countsAsWholeNumbers();
    void unwritableFileCostsItsLineOnly();
    void hostileNameStaysInTheFolder();
};

void TestSongs::linesFollowSongChanges()
{
    World w("alpha;beta;gamma");
    w.sim.setCount(u"alpha"_s, 57);
    // The first station answers last; each line still lands in its own station's file.
    w.sim.setSongReply(u"alpha"_s, {.id = 7, .delayMs = 300});
    w.sim.setSongReply(u"gamma"_s, {.id = 9});
    QVERIFY(w.start());
    const QByteArray first = kWhen + "7,\"Titel\",\"Interpret\",\"Album\",57\r\n";
    QCOMPARE(w.titleFile(u"alpha"_s), first);
    QCOMPARE(w.titleFile(u"beta"_s), kDefaultLine);
    QCOMPARE(w.titleFile(u"gamma"_s), kWhen + "9,\"Titel\",\"Interpret\",\"Album\",0\r\n");

    w.sim.setCount(u"alpha"_s, 1000000);
    QVERIFY(w.poll());
    QCOMPARE(w.titleFile(u"alpha"_s), first);

    w.sim.setSongReply(u"alpha"_s, {.id = 8, .title = u"Zweiter"_s});
    w.clock.time = w.clock.time.addSecs(200);
    QVERIFY(w.poll());
    QCOMPARE(w.titleFile(u"alpha"_s),
             first +
                 "\"05.12.2026\",\"14:33:35\",8,\"Zweiter\",\"Interpret\",\"Album\",1000000\r\n");
    QCOMPARE(w.form.stations().at(0).song_id, 8);
}

// A reload in the middle of a poll abandons that poll's song steps: no late line, no id
// lands on the station that now stands at that place.
void TestSongs::reloadWhileSongsAreOutstanding()
{
    World w("alpha;beta");
    w.sim.setSongReply(u"alpha"_s, {.id = 7, .delayMs = 400});
    w.form.Form_Load();
    QTRY_COMPARE_WITH_TIMEOUT(w.requestsFor(u"alpha"_s, u"current_song"), 1, TestTime::patience());
    w.writeIni("stations=beta;alpha\r\nwrite_title2file=1\r\n");
    w.form.Load_Konfig();
    QVERIFY(w.drain()); // the first poll's late answer has had its chance
    QCOMPARE(w.titleFile(u"alpha"_s), kWhen + "7,\"Titel\",\"Interpret\",\"Album\",0\r\n");
    QCOMPARE(w.titleFile(u"beta"_s), kDefaultLine);
    QCOMPARE(w.form.stations().at(0).song_id, 1);
    QCOMPARE(w.form.stations().at(1).song_id, 7);
}

void TestSongs::switchedOffFetchesNothing()
{
    World w("alpha", "0");
    QVERIFY(w.start());
    QCOMPARE(w.sim.requestLog(), QStringList{u"GET /station/alpha/listeners"_s});
    QCOMPARE(w.titleFile(u"alpha"_s), kNone);
}

void TestSongs::documents_data()
{
    QTest::addColumn<Song>("song");
    QTest::addColumn<QByteArray>("line"); // after date and time
    QTest::addColumn<int>("songId");
    QTest::addColumn<QString>("warning");
    // Raw UTF-8 and a JSON escape alike arrive as UTF-8; quotes stay as they are, line
    // breaks become blanks.
    QTest::newRow("UTF-8") << document(
                                  "{\"id\":5,\"title\":\"Gr\xc3\xbc\xc3\x9f"
                                  "e\\r\\nx\",\"artist\":{\"name\":\"\\u03a9\"},\"album\":null}")
                           << QByteArray("5,\"Gr\xc3\xbc\xc3\x9f"
                                         "e  x\",\"\xce\xa9\",\"\",0\r\n")
                           << 5 << QString();
    QTest::newRow("Windows-1252") << document("{\"id\":\"6x\",\"title\":\"\xfc\",\"artist\":{"
                                              "\"name\":\"\x80\"},\"album\":\"a\\\"b\"}")
                                  << QByteArray("6,\"\xc3\xbc\",\"\xe2\x82\xac\",\"a\"b\",0\r\n")
                                  << 6 << QString();
    // Controls of every kind become blanks, so no reader stops at a NUL, runs an escape
    // sequence or shows the line reordered; joiners and other format characters stay.
    QTest::newRow("C0 controls")
        << document(R"({"id":5,"title":"a\u0000b\u0007c\u001b[2Jd\te","artist":)"
                    R"({"name":"\u0001x\u001f"},"album":"\b\f"})")
        << QByteArray("5,\"a b c [2Jd e\",\" x \",\"  \",0\r\n") << 5 << QString();
    QTest::newRow("DEL and C1 controls")
        << document("{\"id\":5,\"title\":\"a\\u007fb\\u0080c\\u009fd\",\"artist\":{\"name\":"
                    "\"\xc2\x9b"
                    "2J\"},\"album\":\"\xc2\x85\"}")
        << QByteArray("5,\"a b c d\",\" 2J\",\" \",0\r\n") << 5 << QString();
    QTest::newRow("bidi controls")
        << document(R"({"id":5,"title":"\u202a\u202b\u202c\u202d\u202e","artist":{"name":)"
                    R"("\u2066\u2067\u2068\u2069"},"album":"\u200e\u200f\u061cgpj.exe"})")
        << QByteArray("5,\"     \",\"    \",\"   gpj.exe\",0\r\n") << 5 << QString();
    QTest::newRow("bidi override as raw UTF-8")
        << document("{\"id\":5,\"title\":\"x\xe2\x80\xaey\",\"artist\":{\"name\":\"A\"},"
                    "\"album\":\"\\u200d\\u00a0\\u200b\"}")
        << QByteArray("5,\"x y\",\"A\",\"\xe2\x80\x8d\xc2\xa0\xe2\x80\x8b\",0\r\n") << 5
        << QString();
    QTest::newRow("short") << document(R"({"id":1} )") << kNone << 0 << QString();
    QTest::newRow("never answers") << Song{.fault = Fault::Silent} << kNone << 0 << QString();
    QTest::newRow("no JSON") << document(R"({"id":5,"title":)") << kNone << 0
                             << u"no JSON document"_s;
    QTest::newRow("no artist name")
        << document(R"({"id":5,"title":"t","artist":"A","album":"B"})") << kNone << 0 << u"lacks"_s;
}

// Whatever one station's document is, the other station's line is written.
void TestSongs::documents()
{
    QFETCH(Song, song);
    QFETCH(QByteArray, line);
    QFETCH(QString, warning);
    World w("bad;good", "1", World::shortLimitMs());
    w.sim.setSongReply(u"bad"_s, song);
    if (!warning.isEmpty()) {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^No title line for bad: .*"_s +
                                                              QRegularExpression::escape(warning)));
    }
    QVERIFY(w.start());
    QCOMPARE(w.titleFile(u"bad"_s), line == kNone ? line : kWhen + line);
    QTEST(w.form.stations().at(0).song_id, "songId");
    QCOMPARE(w.titleFile(u"good"_s), kDefaultLine);
}

void TestSongs::countsAsWholeNumbers_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QByteArray>("count");
    QTest::newRow("leading zeros") << QByteArray("0057") << QByteArray("57");
    QTest::newRow("beyond 64 bits")
        << QByteArray("99999999999999999999") << QByteArray("99999999999999999999");
    QTest::newRow("beyond a double's digits")
        << QByteArray("9007199254740993") << QByteArray("9007199254740993");
    QTest::newRow("with an exponent") << QByteArray("1e20") << QByteArray("100000000000000000000");
}

// The count is written as the whole number the answer gives, never in exponent form and
// never rounded to a double's precision.
void TestSongs::countsAsWholeNumbers()
{
    QFETCH(QByteArray, answer);
    QFETCH(QByteArray, count);
    World w("alpha");
    w.sim.setListenerReply(u"alpha"_s, {.body = answer});
    QVERIFY(w.start());
    QCOMPARE(w.titleFile(u"alpha"_s),
             kWhen + "1,\"Titel\",\"Interpret\",\"Album\"," + count + "\r\n");
}

void TestSongs::unwritableFileCostsItsLineOnly()
{
    World w("bad;good");
    QDir folder(w.programDir.path());
    QVERIFY(folder.mkdir(u"titel_bad.txt"_s));
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(u"^No title line for bad: .*not a plain file"_s));
    QVERIFY(w.start());
    QCOMPARE(w.titleFile(u"good"_s), kDefaultLine);
    // The line comes with the next poll once the file can be written.
    QVERIFY(folder.rmdir(u"titel_bad.txt"_s));
    QVERIFY(w.poll());
    QCOMPARE(w.titleFile(u"bad"_s), kDefaultLine);
}

void TestSongs::hostileNameStaysInTheFolder()
{
    World w("../..\\x:1%2f...y");
    QVERIFY(w.start());
    QCOMPARE(QDir(w.programDir.path()).entryList(QDir::Files),
             (QStringList{u"Mirkan_DesktopTool.ini"_s,
                          u"titel_%2E%2E%2F%2E%2E%5Cx%3A1%252f%2E%2E%2Ey.txt"_s}));
}

QTEST_GUILESS_MAIN(TestSongs)
#include "tst_songs.moc"
