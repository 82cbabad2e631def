// SPDX-License-Identifier: MIT
// JSON text in and out of a bag. Every text is read and written through both the UTF-16
// and the UTF-8 entry points, which must agree exactly, error positions included.
#include "JsonBag.h"
#include "JsonUtf.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(JsonValue)

namespace {

const QString kTooDeep = u"Error 28: Out of stack space"_s;

QString toQ(const std::u16string &text)
{
    return QString::fromStdU16String(text);
}

// What write returns, or the error it raised as "Error N: description".
template <class Write> QString textOrError(Write write)
{
    try {
        return write();
    } catch (const JsonError &e) {
        return u"Error %1: %2"_s.arg(e.number()).arg(QString::fromUtf8(e.what()));
    }
}

QString agreed(const QString &viaUtf16, const QString &viaUtf8)
{
    return viaUtf8 == viaUtf16 ? viaUtf16 : viaUtf16 + u" | UTF-8: "_s + viaUtf8;
}

QString written(const JsonBag &bag)
{
    return agreed(textOrError([&] { return toQ(bag.JSON()); }),
                  textOrError([&] { return QString::fromStdString(bag.JSONUtf8()); }));
}

// The parsed text written back compactly, or the error. The text comes as UTF-8 bytes and
// as UTF-16 text, which may carry malformed bytes in their converted form.
QString outcome(const std::string &utf8, const std::u16string &utf16, bool decimalMode = false)
{
    const auto parse = [&](bool viaUtf8) {
        return textOrError([&] {
            JsonBag bag;
            bag.setDecimalMode(decimalMode);
            if (viaUtf8) {
                bag.setJSONUtf8(utf8);
            } else {
                bag.setJSON(utf16);
            }
            return written(bag);
        });
    };
    return agreed(parse(false), parse(true));
}

QString outcome(const QString &text, bool decimalMode = false)
{
    return outcome(text.toStdString(), text.toStdU16String(), decimalMode);
}

} // namespace

class tst_JsonText : public QObject
{
    Q_OBJECT

private slots:
    void outcomes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("asDecimal"); // the outcome in DecimalMode

        const auto row = [](const char *name, const QString &text, const QString &expected) {
            QTest::newRow(name) << text << expected << expected;
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
        row("1001 levels", nested(1001), kTooDeep);
        row("hostile depth", nested(200000), kTooDeep);
        // Positions count UTF-16 code units: the emoji is two, e-acute one.
        row("position after surrogate pair", u"[\"\U0001F600\", x]"_s,
            u"Error 13: Bad value at character 8"_s);
        row("position after accented letter", u"[\"\u00e9\" x]"_s,
            u"Error 13: Bad value at character 6"_s);

        // A number alone in an array. Doubles and decimals alike: values too small for the
        // kind read as zero (a double one with its sign), only magnitudes too large fail, and
        // the digits of a long literal count in full against its exponent.
        const auto number = [](const char *name, const QString &text, const QString &asDouble,
                               const QString &asDecimal) {
            const auto inArray = [](const QString &value) {
                return value.startsWith(u"Error"_s) ? value : u"["_s + value + u"]"_s;
            };
            QTest::newRow(name) << u"["_s + text + u"]"_s << inArray(asDouble)
                                << inArray(asDecimal);
        };
        const QString overflow = u"Error 6: Number overflow or parse error at character 2"_s;
        const QString zeros = QString(100001, u'0');
        number("largest 96-bit value", u"79228162514264337593543950335"_s,
               u"7.922816251426434e+28"_s, u"79228162514264337593543950335"_s);
        number("past 96 bits", u"79228162514264337593543950336"_s, u"7.922816251426434e+28"_s,
               overflow);
        number("exponent scales up", u"-1.5e3"_s, u"-1500"_s, u"-1500"_s);
        number("29 decimals round half even to 28", u"0.12345678901234567890123456785"_s,
               u"0.12345678901234568"_s, u"0.1234567890123456789012345678"_s);
        number("beyond scale 28", u"1e-30"_s, u"1e-30"_s, u"0"_s);
        number("negative zero", u"-0"_s, u"0"_s, u"0"_s);
        number("exponent overflow", u"1e29"_s, u"1e+29"_s, overflow);
        number("malformed exponent", u"1e5-"_s, overflow, overflow);
        number("nested values keep the mode", u"{\"a\":[0.1000000000000000000001]}"_s,
               u"{\"a\":[0.1]}"_s, u"{\"a\":[0.1000000000000000000001]}"_s);
        number("negative, below half the smallest subnormal", u"-2.4e-324"_s, u"0"_s, u"0"_s);
        number("underflow written with a long fraction", u"0."_s + zeros + u"1"_s, u"0"_s, u"0"_s);
        number("exponent past 64 bits, negative", u"1e-99999999999999999999999"_s, u"0"_s, u"0"_s);
        number("exponent past 64 bits, zero digits", u"0e99999999999999999999999"_s, u"0"_s,
               u"0"_s);
        number("exponent past 64 bits, positive", u"1e99999999999999999999999"_s, overflow,
               overflow);
        // Half the smallest subnormal is 2.4703282292062327208...e-324: below it
        // the nearest double is 0, above it the smallest subnormal.
        number("just below half the smallest subnormal", u"2.4703282292062327e-324"_s, u"0"_s,
               u"0"_s);
        number("just above half the smallest subnormal", u"2.4703282292062328e-324"_s, u"5e-324"_s,
               u"0"_s);
        number("long integer part cancelled by exponent", u"1"_s + zeros + u"e-100001"_s, u"1"_s,
               u"1"_s);
        number("long fraction cancelled by exponent", u"0."_s + zeros + u"1e100001"_s, u"0.1"_s,
               u"0.1"_s);
        number("long fraction raised to one", u"0."_s + zeros.mid(1) + u"1e100001"_s, u"1"_s,
               u"1"_s);
        number("long integer part, small result", u"1"_s + zeros + u"e-100029"_s, u"1e-28"_s,
               u"0.0000000000000000000000000001"_s);
        number("long integer part overflows", u"1"_s + zeros + u"e-99900"_s, u"1e+101"_s, overflow);
    }

    void outcomes()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(outcome(text), expected);
        QTEST(outcome(text, true), "asDecimal");
        // A double zero keeps the sign it was written with, though its text shows none.
        if (expected == u"[0]") {
            JsonBag bag;
            bag.setJSON(text.toStdU16String());
            QCOMPARE(std::signbit(bag.Item(1).toDouble()), text.startsWith(u"[-"));
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

    // Stray continuation byte, truncated sequence, overlong form, encoded surrogate: each
    // malformed byte stands for one U+FFFD, in strings and in error positions alike.
    void malformedUtf8MatchesConvertedText()
    {
        const std::string text = "[\"a\x80"
                                 "b\xE6\x97"
                                 "c\xC0\xAF"
                                 "d\xED\xA0\x80\"";
        const auto parsed = [](const std::string &bytes) {
            return outcome(bytes, JsonUtf::toUtf16(bytes));
        };
        QCOMPARE(parsed(text + "]"),
                 u"[\"a\\uFFFDb\\uFFFD\\uFFFDc\\uFFFD\\uFFFDd\\uFFFD\\uFFFD\\uFFFD\"]"_s);
        QCOMPARE(parsed(text + ", \xFF]"), u"Error 13: Bad value at character 18"_s);
    }

    void layout()
    {
        JsonBag bag;
        bag.setJSON(u"{\"a\":1,\"b\":[1,2]}");
        bag.setWhitespace(true);
        QCOMPARE(written(bag), u"{\r\n    \"a\":1,\r\n    \"b\":[\r\n        1,\r\n        2\r\n"
                               u"    ]\r\n}"_s);
        // Only the flag of the bag being read counts.
        bag.setWhitespace(false);
        bag.Item(u"b").toBag().setWhitespace(true);
        QCOMPARE(written(bag), u"{\"a\":1,\"b\":[1,2]}"_s);

        JsonBag array;
        array.setWhitespace(true);
        array.setJSON(u"[{\"x\":[]}]");
        QCOMPARE(written(array), u"[\r\n    {\r\n        \"x\":[]\r\n    }\r\n]"_s);
        array.Clear();
        QCOMPARE(written(array), u"{}"_s);
    }

    // Each text is written as a name and as a value, then read back.
    void strings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const QString &text, const QString &expected) {
            QTest::newRow(name) << text << expected;
        };
        row("quote, backslash, slash, tab", u"\"\\/\t"_s, u"\"\\\"\\\\/\\t\""_s);
        row("short escapes", u"\b\f\n\r"_s, u"\"\\b\\f\\n\\r\""_s);
        row("control character", u"\u0001"_s, u"\"\\u0001\""_s);
        row("surrogate pair, upper-case hex", u"\U0001F600"_s, u"\"\\uD83D\\uDE00\""_s);
        row("lone surrogate", QString(QChar(0xDC00)), u"\"\\uDC00\""_s);
        row("invisible characters", u"\u007f\u009f\u034f\u200b\u200f\u2028\u202e\u2060"_s,
            u"\"\\u007F\\u009F\\u034F\\u200B\\u200F\\u2028\\u202E\\u2060\""_s);
        row("variation selectors, BOM, replacement", u"\ufe00\ufe01\ufe0f\ufeff\ufffd"_s,
            u"\"\ufe00\\uFE01\\uFE0F\\uFEFF\\uFFFD\""_s);
        const QString neighbours = u"\u00a0\u034e\u0350\u200a\u2010\u2027\u202f\u205f\u2061\ufe10"
                                   u"\ufefe\ufffc\ufffe\ue000\u65e5"_s;
        row("neighbours of the escaped ranges stay", neighbours, u"\""_s + neighbours + u"\""_s);
        row("long ASCII stored out of line", QString(40, u'x'),
            u"\""_s + QString(40, u'x') + u"\""_s);
    }

    void strings()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        JsonBag bag;
        bag.setItem(text.toStdU16String(), text.toStdU16String());
        QCOMPARE(written(bag), u"{"_s + expected + u":"_s + expected + u"}"_s);
        JsonBag back;
        back.setJSON(bag.JSON());
        QCOMPARE(toQ(back.Name(1)), text);
        QCOMPARE(toQ(back.Item(1).toString()), text);
    }

    void values_data()
    {
        QTest::addColumn<JsonValue>("value");
        QTest::addColumn<QString>("expected"); // the value's text, or the error
        const auto row = [](const char *name, const JsonValue &value, const QString &expected) {
            QTest::newRow(name) << value << expected;
        };
        row("empty", JsonValue(), u"null"_s);
        row("double shortest", 0.1 + 0.2, u"0.30000000000000004"_s);
        row("double plain from 1e-5", 1e-5, u"0.00001"_s);
        row("double exponent below", -1.5e-7, u"-1.5e-07"_s);
        row("double plain below 1e15", 123456789012345.6, u"123456789012345.6"_s);
        row("double exponent from 1e15", 1e15, u"1e+15"_s);
        row("single", 0.1f, u"0.1"_s);
        // Singles get the shortest digits of their own precision, whole or not.
        row("single whole, largest exact integer", 16777216.0f, u"16777216"_s);
        row("single whole past 2^24", 1e14f, u"100000000000000"_s);
        row("single exponent from 1e15", 4e15f, u"4e+15"_s);
        row("unsigned 8-bit", std::uint8_t{255}, u"255"_s);
        row("16-bit", std::int16_t{-32768}, u"-32768"_s);
        row("currency cents", JsonValue::currency(500), u"0.05"_s);
        row("currency extreme", JsonValue::currency(std::numeric_limits<std::int64_t>::min()),
            u"-922337203685477.5808"_s);
        row("decimal", JsonDecimal(12345, 0, 4, true), u"-1.2345"_s);
        row("array of variants", JsonValue::other(8204),
            u"Error 51: x, unknown/unsupported type = 8204"_s);
        row("not a number", std::numeric_limits<double>::quiet_NaN(),
            u"Error 51: x, value nan failed to serialize"_s);
        row("single infinity", -std::numeric_limits<float>::infinity(),
            u"Error 51: x, value -inf failed to serialize"_s);
    }

    void values()
    {
        QFETCH(JsonValue, value);
        QFETCH(QString, expected);
        JsonBag bag;
        bag.setItem(u"x", value);
        QCOMPARE(written(bag),
                 expected.startsWith(u"Error"_s) ? expected : u"{\"x\":"_s + expected + u"}"_s);
    }

    // Writing stops at the depth the parser accepts, with the same error, instead of
    // running out of stack; a bag stored inside itself is the endless case.
    void writingTooDeep()
    {
        JsonBag deep;
        deep.setIsArray(true);
        JsonBag level = deep;
        for (int i = 1; i < 1001; ++i) {
            level = level.AddNewArray();
        }
        QCOMPARE(written(deep), kTooDeep);

        JsonBag itself;
        itself.setIsArray(true);
        itself.setItem(nullptr, itself);
        const QString text = written(itself);
        itself.Clear(); // break the cycle so the bag can go
        QCOMPARE(text, kTooDeep);
    }
};

QTEST_GUILESS_MAIN(tst_JsonText)
#include "tst_jsontext.moc"
