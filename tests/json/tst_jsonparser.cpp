// SPDX-License-Identifier: MIT
#include "JsonBag.h"
#include "JsonTestSupport.h"
#include "JsonUtf.h"

#include <QTest>

#include <cmath>
#include <functional>

using namespace JsonTestSupport;
using namespace Qt::StringLiterals;

class tst_JsonParser : public QObject
{
    Q_OBJECT

private slots:
    void outcomes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");

        const auto row = [](const char *name, const QString &text, const QString &expected) {
            QTest::newRow(name) << text << expected;
        };
        // Leniencies
        row("text after top level ignored", u"[1,2]xyz"_s, u"[1,2]"_s);
        row("leading, doubled, trailing commas", u"[,1,,2,]"_s, u"[1,2]"_s);
        row("object members without comma, trailing comma", u"{\"a\":1 \"b\":2,}"_s,
            u"{\"a\":1,\"b\":2}"_s);
        row("repeated name keeps last, moved to end", u"{\"a\":1,\"b\":2,\"a\":3}"_s,
            u"{\"b\":2,\"a\":3}"_s);
        row("literals in any case", u"[TRUE,Null,fAlSe]"_s, u"[true,null,false]"_s);
        row("leading zero and bare point", u"[01.,-0.50,1E2,2e-1]"_s, u"[1,-0.5,100,0.2]"_s);
        row("blanks everywhere", u" \t\r\n{ \"a\" :\n[ 1 , { } ] }"_s, u"{\"a\":[1,{}]}"_s);
        row("escapes", u"[\"\\\"\\\\\\/\\b\\f\\n\\r\\t\"]"_s, u"[\"\\\"\\\\/\\b\\f\\n\\r\\t\"]"_s);
        row("escape letters in any case", u"[\"\\N\\U00e9\"]"_s, u"[\"\\n\u00e9\"]"_s);
        row("escaped surrogate pair", u"[\"\\ud83d\\ude00\"]"_s, u"[\"\\uD83D\\uDE00\"]"_s);
        row("raw non-ASCII text", u"{\"n\u00e4me\":\"\u65e5\u672c\"}"_s,
            u"{\"n\u00e4me\":\"\u65e5\u672c\"}"_s);
        // Errors and their positions
        row("only blanks", u"  \t\r\n"_s, u"Error 13: Expected either { or [ at character 6"_s);
        row("scalar top level", u"1"_s, u"Error 13: Expected either { or [ at character 1"_s);
        row("comma before first member", u"{ ,\"a\":1}"_s,
            u"Error 13: Found \",\" before first item at character 3"_s);
        row("missing colon", u"{\"a\" 1}"_s, u"Error 13: Expected : at character 6"_s);
        row("bad member separator", u"{\"a\":1;}"_s, u"Error 13: Expected , or } at character 7"_s);
        row("literal cut short", u"[tru]"_s, u"Error 13: Bad value at character 2"_s);
        row("string not closed", u"[\"abc"_s, u"Error 13: Expected \" at character 6"_s);
        row("raw tab in string", u"[\"a\tb\"]"_s, u"Error 13: Invalid string character at 4"_s);
        row("unknown escape", u"[\"\\q\"]"_s,
            u"Error 13: Bad string character escape at character 4"_s);
        row("bad hex digit", u"[\"\\u00G1\"]"_s,
            u"Error 13: Bad string character escape at character 5"_s);
        row("unicode escape cut by the end, three left", u"[\"\\u123"_s,
            u"Error 13: Bad string character escape at character 5"_s);
        row("literal followed by junk", u"[truex]"_s, u"Error 13: Bad value at character 6"_s);
        row("number runs to end", u"[1"_s,
            u"Error 13: Ran off end of string while parsing a number"_s);
        row("second decimal point", u"[1.2.3]"_s,
            u"Error 13: Second decimal point at character 5"_s);
        row("point after minus", u"[-.5]"_s, u"Error 13: Digit expected at character 3"_s);
        row("second exponent sign", u"[1e+-5]"_s,
            u"Error 13: Second exponent sign at character 5"_s);
        row("double overflow", u"[0,1e400]"_s,
            u"Error 6: Number overflow or parse error at character 4"_s);
        row("exponent without digits", u"[1e]"_s,
            u"Error 6: Number overflow or parse error at character 2"_s);
        const auto nested = [](int depth) -> QString {
            return QString(depth, u'[') + QString(depth, u']');
        };
        row("1000 levels", nested(1000), nested(1000));
        row("1001 levels", nested(1001), u"Error 28: Out of stack space"_s);
        row("hostile depth", nested(200000), u"Error 28: Out of stack space"_s);
        // Positions count UTF-16 code units: the emoji is two, e-acute one.
        row("position after surrogate pair", u"[\"\U0001F600\", x]"_s,
            u"Error 13: Bad value at character 8"_s);
        row("position after accented letter", u"[\"\u00e9\" x]"_s,
            u"Error 13: Bad value at character 6"_s);
    }

    void outcomes()
    {
        QFETCH(QString, text);
        QTEST(outcome(text), "expected");
    }

    // Doubles and decimals alike: values too small for the kind read as zero (a double
    // one with its sign), only magnitudes too large fail, and the digits of a long
    // literal count in full against its exponent.
    void numbers_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("asDouble");
        QTest::addColumn<QString>("asDecimal");

        const QString overflow = u"Error 6: Number overflow or parse error at character 2"_s;
        const QString zeros = QString(100001, u'0');
        const auto row = [](const char *name, const QString &number, const QString &asDouble,
                            const QString &asDecimal) {
            QTest::newRow(name) << number << asDouble << asDecimal;
        };
        row("more digits than a double holds", u"0.1000000000000000000001"_s, u"0.1"_s,
            u"0.1000000000000000000001"_s);
        row("largest 96-bit value", u"79228162514264337593543950335"_s, u"7.922816251426434e+28"_s,
            u"79228162514264337593543950335"_s);
        row("past 96 bits", u"79228162514264337593543950336"_s, u"7.922816251426434e+28"_s,
            overflow);
        row("exponent scales up", u"-1.5e3"_s, u"-1500"_s, u"-1500"_s);
        row("29 decimals round half even to 28", u"0.12345678901234567890123456785"_s,
            u"0.12345678901234568"_s, u"0.1234567890123456789012345678"_s);
        row("beyond scale 28", u"1e-30"_s, u"1e-30"_s, u"0"_s);
        row("negative zero", u"-0"_s, u"0"_s, u"0"_s);
        row("exponent overflow", u"1e29"_s, u"1e+29"_s, overflow);
        row("malformed exponent", u"1e5-"_s, overflow, overflow);
        row("nested values keep the mode", u"{\"a\":[0.1000000000000000000001]}"_s,
            u"{\"a\":[0.1]}"_s, u"{\"a\":[0.1000000000000000000001]}"_s);
        row("negative underflow reads as zero", u"-1e-400"_s, u"0"_s, u"0"_s);
        row("negative, below half the smallest subnormal", u"-2.4e-324"_s, u"0"_s, u"0"_s);
        row("underflow written with a long fraction", u"0."_s + zeros + u"1"_s, u"0"_s, u"0"_s);
        row("exponent past 64 bits, negative", u"1e-99999999999999999999999"_s, u"0"_s, u"0"_s);
        row("exponent past 64 bits, zero digits", u"0e99999999999999999999999"_s, u"0"_s, u"0"_s);
        row("exponent past 64 bits, positive", u"1e99999999999999999999999"_s, overflow, overflow);
        // Half the smallest subnormal is 2.4703282292062327208...e-324: below it
        // the nearest double is 0, above it the smallest subnormal.
        row("just below half the smallest subnormal", u"2.4703282292062327e-324"_s, u"0"_s, u"0"_s);
        row("just above half the smallest subnormal", u"2.4703282292062328e-324"_s, u"5e-324"_s,
            u"0"_s);
        row("largest double", u"1.7976931348623157e308"_s, u"1.7976931348623157e+308"_s, overflow);
        row("just past the largest double", u"1.7976931348623159e308"_s, overflow, overflow);
        row("long integer part cancelled by exponent", u"1"_s + zeros + u"e-100001"_s, u"1"_s,
            u"1"_s);
        row("long fraction cancelled by exponent", u"0."_s + zeros + u"1e100001"_s, u"0.1"_s,
            u"0.1"_s);
        row("long fraction raised to one", u"0."_s + zeros.mid(1) + u"1e100001"_s, u"1"_s, u"1"_s);
        row("long integer part, small result", u"1"_s + zeros + u"e-100029"_s, u"1e-28"_s,
            u"0.0000000000000000000000000001"_s);
        row("long integer part overflows", u"1"_s + zeros + u"e-99900"_s, u"1e+101"_s, overflow);
    }

    void numbers()
    {
        QFETCH(QString, number);
        QFETCH(QString, asDouble);
        const auto value = [&number](bool decimalMode) {
            const QString result = outcome(u"["_s + number + u"]"_s, decimalMode);
            return result.startsWith(u"Error"_s) ? result : result.mid(1, result.size() - 2);
        };
        QCOMPARE(value(false), asDouble);
        QTEST(value(true), "asDecimal");
        // A double zero keeps the sign it was written with, though its text shows none.
        if (asDouble == u"0") {
            JsonBag bag;
            bag.setJSON(toU16(u"["_s + number + u"]"_s));
            QCOMPARE(std::signbit(bag.Item(1).toDouble()), number.startsWith(u'-'));
        }
    }

    void errorKeepsCompletedTopLevelItems()
    {
        JsonBag array;
        QVERIFY_THROWS_EXCEPTION(JsonError, array.setJSON(u"[1,\"two\",[3,x]]"));
        QVERIFY(array.IsArray());
        QCOMPARE(toQ(array.JSON()), u"[1,\"two\"]"_s);

        JsonBag object;
        object.setJSON(u"[9]");
        QVERIFY_THROWS_EXCEPTION(JsonError, object.setJSON(u"{\"a\":1,\"b\":{\"c\":2,\"d\":x}}"));
        QVERIFY(!object.IsArray());
        QCOMPARE(toQ(object.JSON()), u"{\"a\":1}"_s);
    }

    void malformedUtf8MatchesConvertedText()
    {
        // Stray continuation byte, truncated sequence, overlong form, encoded
        // surrogate: each malformed byte stands for one U+FFFD, in strings and in
        // error positions alike.
        const std::string bytes = "[\"a\x80"
                                  "b\xE6\x97"
                                  "c\xC0\xAF"
                                  "d\xED\xA0\x80\", \xFF]";
        const auto error = [](const std::function<void()> &parse) {
            try {
                parse();
            } catch (const JsonError &e) {
                return errorText(e);
            }
            return QString();
        };
        const QString expected = u"Error 13: Bad value at character 18"_s;
        JsonBag viaUtf8;
        QCOMPARE(error([&] { viaUtf8.setJSONUtf8(bytes); }), expected);
        QCOMPARE(error([&] { JsonBag().setJSON(JsonUtf::toUtf16(bytes)); }), expected);
        QCOMPARE(toQ(viaUtf8.Item(1).toString()),
                 u"a\uFFFDb\uFFFD\uFFFDc\uFFFD\uFFFDd\uFFFD\uFFFD\uFFFD"_s);
    }
};

QTEST_GUILESS_MAIN(tst_JsonParser)
#include "tst_jsonparser.moc"
