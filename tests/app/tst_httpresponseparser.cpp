// SPDX-License-Identifier: MIT
#include "HttpResponseParser.h"

#include <QTest>

using State = HttpResponseParser::State;

class TestHttpResponseParser : public QObject
{
    Q_OBJECT

private slots:
    void responses_data();
    void responses();
    void limits_data();
    void limits();
};

namespace {

constexpr qsizetype kMaxBody = 16;

// Feeds the bytes whole or one at a time (every split a socket could make lies in
// between), then tells of the connection's end when asked.
State parse(HttpResponseParser &parser, const QByteArray &bytes, bool byteWise, bool closed)
{
    State state = State::NeedMore;
    if (byteWise) {
        for (const char c : bytes) {
            state = parser.feed(QByteArrayView(&c, 1));
        }
    } else {
        state = parser.feed(bytes);
    }
    return closed ? parser.finishAtEnd() : state;
}

} // namespace

void TestHttpResponseParser::responses_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<State>("state");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");

    const QByteArray ok = "HTTP/1.1 200 OK\r\n";
    QTest::newRow("length") << ok + "Content-Length: 2\r\n\r\n42" << false << State::Done << 200
                            << QByteArray("42");
    QTest::newRow("bytes past the length")
        << ok + "Content-Length: 2\r\n\r\n4213" << false << State::Done << 200 << QByteArray("42");
    QTest::newRow("bare line feeds") << QByteArray("HTTP/1.0 200 OK\nContent-Length: 1\n\n7")
                                     << false << State::Done << 200 << QByteArray("7");
    QTest::newRow("no reason phrase")
        << QByteArray("HTTP/1.1 204\r\n\r\n") << false << State::Done << 204 << QByteArray();
    const QByteArray ok10 = "HTTP/1.0 200 OK\r\n";
    QTest::newRow("1.0 to the end")
        << ok10 + "\r\n57" << true << State::Done << 200 << QByteArray("57");
    QTest::newRow("1.0 to the end, still open")
        << ok10 + "\r\n57" << false << State::NeedMore << 200 << QByteArray("57");
    QTest::newRow("1.1 without length")
        << ok + "\r\n57" << true << State::Failed << 200 << QByteArray();
    QTest::newRow("1.1 redirect without length")
        << QByteArray("HTTP/1.1 302 Found\r\nLocation: /x\r\n\r\n") << false << State::Done << 302
        << QByteArray();
    QTest::newRow("cut short") << ok + "Content-Length: 100\r\n\r\n5" << true << State::Failed
                               << 200 << QByteArray();
    QTest::newRow("cut in the head")
        << ok + "Content-Le" << true << State::Failed << 200 << QByteArray();
    QTest::newRow("chunked") << ok + "Transfer-Encoding: chunked\r\n\r\n2\r\n12\r\n"
                                     "1;note=x\r\n3\r\n0\r\nX-Trailer: 1\r\n\r\n"
                             << false << State::Done << 200 << QByteArray("123");
    QTest::newRow("chunked, last chunk missing")
        << ok + "Transfer-Encoding: chunked\r\n\r\n2\r\n12\r\n"
        << true << State::Failed << 200 << QByteArray();
    QTest::newRow("chunk without its line end")
        << ok + "Transfer-Encoding: chunked\r\n\r\n2\r\n12X\r\n0\r\n\r\n"
        << false << State::Failed << 200 << QByteArray();
    QTest::newRow("interim answer first")
        << "HTTP/1.1 100 Continue\r\n\r\n" + ok + "Content-Length: 1\r\n\r\n9" << false
        << State::Done << 200 << QByteArray("9");
    QTest::newRow("error status keeps its body")
        << QByteArray("HTTP/1.1 404 Not Found\r\nContent-Length: 3\r\n\r\nnein") << false
        << State::Done << 404 << QByteArray("nei");
    QTest::newRow("two lengths") << ok + "Content-Length: 1\r\nContent-Length: 2\r\n\r\n12" << false
                                 << State::Failed << 200 << QByteArray();
    QTest::newRow("signed length")
        << ok + "Content-Length: +1\r\n\r\n1" << false << State::Failed << 200 << QByteArray();
    QTest::newRow("compressed") << ok + "Content-Encoding: gzip\r\n\r\n"
                                << false << State::Failed << 200 << QByteArray();
    QTest::newRow("not http") << QByteArray("SSH-2.0-OpenSSH\r\n") << false << State::Failed << 0
                              << QByteArray();
    QTest::newRow("protocol switch") << QByteArray("HTTP/1.1 101 Switching\r\n\r\n") << false
                                     << State::Failed << 101 << QByteArray();
}

void TestHttpResponseParser::responses()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, closed);
    QFETCH(State, state);
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    for (const bool byteWise : {false, true}) {
        HttpResponseParser parser(kMaxBody);
        QCOMPARE(parse(parser, bytes, byteWise, closed), state);
        if (state != State::Failed) {
            QCOMPARE(parser.status(), status);
            QCOMPARE(parser.body(), body);
        } else {
            QVERIFY(parser.body().isEmpty());
        }
    }
}

void TestHttpResponseParser::limits_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<State>("state");

    const QByteArray ok = "HTTP/1.1 200 OK\r\n";
    const QByteArray header = "X-Pad: " + QByteArray(100, 'x') + "\r\n";
    const qsizetype headerLines = HttpResponseParser::kMaxHeaderBytes / header.size();
    const QByteArray ok10 = "HTTP/1.0 200 OK\r\n";
    QTest::newRow("body at the limit")
        << ok10 + "\r\n" + QByteArray(kMaxBody, '1') << State::NeedMore;
    QTest::newRow("body over the limit")
        << ok10 + "\r\n" + QByteArray(kMaxBody + 1, '1') << State::Failed;
    QTest::newRow("length over the limit") << ok + "Content-Length: 17\r\n\r\n" << State::Failed;
    QTest::newRow("chunks over the limit")
        << ok + "Transfer-Encoding: chunked\r\n\r\n10\r\n" + QByteArray(16, '1') + "\r\n1\r\n"
        << State::Failed;
    QTest::newRow("huge chunk size")
        << ok + "Transfer-Encoding: chunked\r\n\r\nffffffffffffffffffff\r\n"
        << State::Failed;
    QTest::newRow("endless chunk line")
        << ok + "Transfer-Encoding: chunked\r\n\r\n1" + QByteArray(2000, ' ') << State::Failed;
    QTest::newRow("head below the limit")
        << ok + header.repeated(headerLines - 1) << State::NeedMore;
    QTest::newRow("header flood") << ok + header.repeated(headerLines + 1) << State::Failed;
    QTest::newRow("one endless header line")
        << ok + "X: " + QByteArray(70000, 'x') << State::Failed;
    QTest::newRow("endless interim answers")
        << QByteArray("HTTP/1.1 100 Continue\r\n\r\n").repeated(3000) << State::Failed;
}

// However the bytes keep coming, the parser gives up at its limits instead of
// holding more.
void TestHttpResponseParser::limits()
{
    QFETCH(QByteArray, bytes);
    QFETCH(State, state);
    HttpResponseParser parser(kMaxBody);
    QCOMPARE(parse(parser, bytes, false, false), state);
}

QTEST_GUILESS_MAIN(TestHttpResponseParser)
#include "tst_httpresponseparser.moc"
