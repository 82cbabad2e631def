// SPDX-License-Identifier: MIT
#include "HttpResponseParser.h"

#include <QTest>

using State = HttpResponseParser::State;

constexpr qsizetype kMaxBody = 16;

class TestHttpResponseParser : public QObject
{
    Q_OBJECT

private slots:
    void responses_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<State>("state");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");

        constexpr bool Closed = true, Open = false;
        const auto row = [](const char *name, const QByteArray &bytes, bool closed, State state,
                            int status = 200, const QByteArray &body = {}) {
            QTest::newRow(name) << bytes << closed << state << status << body;
        };
        const QByteArray ok = "HTTP/1.1 200 OK\r\n";
        const QByteArray ok10 = "HTTP/1.0 200 OK\r\n";
        const QByteArray chunked = ok + "Transfer-Encoding: chunked\r\n\r\n";
        row("bytes past the length", ok + "Content-Length: 2\r\n\r\n4213", Open, State::Done, 200,
            "42");
        row("bare line feeds", "HTTP/1.0 200 OK\nContent-Length: 1\n\n7", Open, State::Done, 200,
            "7");
        row("no reason phrase", "HTTP/1.1 204\r\n\r\n", Open, State::Done, 204);
        row("1.0 to the end", ok10 + "\r\n57", Closed, State::Done, 200, "57");
        row("1.1 without length", ok + "\r\n57", Closed, State::Failed);
        row("1.1 redirect without length", "HTTP/1.1 302 Found\r\nLocation: /x\r\n\r\n", Open,
            State::Done, 302);
        row("cut short", ok + "Content-Length: 100\r\n\r\n5", Closed, State::Failed);
        row("cut in the head", ok + "Content-Le", Closed, State::Failed);
        row("chunked", chunked + "2\r\n12\r\n1;note=x\r\n3\r\n0\r\nX-Trailer: 1\r\n\r\n", Open,
            State::Done, 200, "123");
        row("chunked, last chunk missing", chunked + "2\r\n12\r\n", Closed, State::Failed);
        row("chunk without its line end", chunked + "2\r\n12X\r\n0\r\n\r\n", Open, State::Failed);
        row("interim answer first",
            "HTTP/1.1 100 Continue\r\n\r\n" + ok + "Content-Length: 1\r\n\r\n9", Open, State::Done,
            200, "9");
        row("error status keeps its body",
            "HTTP/1.1 404 Not Found\r\nContent-Length: 3\r\n\r\nnein", Open, State::Done, 404,
            "nei");
        row("two lengths", ok + "Content-Length: 1\r\nContent-Length: 2\r\n\r\n12", Open,
            State::Failed);
        row("signed length", ok + "Content-Length: +1\r\n\r\n1", Open, State::Failed);
        row("compressed", ok + "Content-Encoding: gzip\r\n\r\n", Open, State::Failed);
        row("not http", "SSH-2.0-OpenSSH\r\n", Open, State::Failed);
        row("protocol switch", "HTTP/1.1 101 Switching\r\n\r\n", Open, State::Failed);
        // However the bytes keep coming, the parser gives up at its limits.
        const QByteArray header = "X-Pad: " + QByteArray(100, 'x') + "\r\n";
        const qsizetype headerLines = HttpResponseParser::kMaxHeaderBytes / header.size();
        row("body at the limit", ok10 + "\r\n" + QByteArray(kMaxBody, '1'), Open, State::NeedMore,
            200, QByteArray(kMaxBody, '1'));
        row("body over the limit", ok10 + "\r\n" + QByteArray(kMaxBody + 1, '1'), Open,
            State::Failed);
        row("length over the limit", ok + "Content-Length: 17\r\n\r\n", Open, State::Failed);
        row("chunks over the limit", chunked + "10\r\n" + QByteArray(16, '1') + "\r\n1\r\n", Open,
            State::Failed);
        row("huge chunk size", chunked + "ffffffffffffffffffff\r\n", Open, State::Failed);
        row("endless chunk line", chunked + "1" + QByteArray(2000, ' '), Open, State::Failed);
        row("head below the limit", ok + header.repeated(headerLines - 1), Open, State::NeedMore,
            200);
        row("header flood", ok + header.repeated(headerLines + 1), Open, State::Failed);
        row("one endless header line", ok + "X: " + QByteArray(70000, 'x'), Open, State::Failed);
        row("endless interim answers", QByteArray("HTTP/1.1 100 Continue\r\n\r\n").repeated(3000),
            Open, State::Failed);
    }

    // Fed whole and byte by byte (any split a socket could make lies between), then closed per row.
    void responses()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, closed);
        QFETCH(State, state);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        for (const bool byteWise : {false, true}) {
            HttpResponseParser parser(kMaxBody);
            State fed = State::NeedMore;
            if (byteWise) {
                for (const char c : bytes) {
                    fed = parser.feed(QByteArrayView(&c, 1));
                }
            } else {
                fed = parser.feed(bytes);
            }
            QCOMPARE(closed ? parser.finishAtEnd() : fed, state);
            if (state != State::Failed) {
                QCOMPARE(parser.status(), status);
                QCOMPARE(parser.body(), body);
            } else {
                QVERIFY(parser.body().isEmpty());
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestHttpResponseParser)
#include "tst_httpresponseparser.moc"
