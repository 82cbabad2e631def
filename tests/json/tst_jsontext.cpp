// SPDX-License-Identifier: MIT
// JSON text in and out of a bag. Every text is read and written through both the UTF-16
// and the UTF-8 entry points, which must agree exactly, error positions included.
#include "JsonBag.h"
#include "JsonUtf.h"

#include <QTest>

#include <limits>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(JsonValue)

namespace {

const QString kTooDeep = u"Error 28: Out of stack space"_s;

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
    return agreed(textOrError([&] { return QString::fromStdU16String(bag.JSON()); }),
                  textOrError([&] { return QString::fromStdString(bag.JSONUtf8()); }));
}

// The UTF-8 text read through both entry points (UTF-16 converted, one U+FFFD per malformed
// byte) and written back compactly, or the error.
QString outcome(const QByteArray &utf8, bool decimalMode = false)
{
    const auto parse = [&](bool viaUtf8) {
        return textOrError([&] {
            JsonBag bag;
            bag.setDecimalMode(decimalMode);
            if (viaUtf8) {
                bag.setJSONUtf8(utf8.toStdString());
            } else {
                bag.setJSON(JsonUtf::toUtf16(utf8.toStdString()));
            }
            return written(bag);
        });
    };
    return agreed(parse(false), parse(true));
}

} // namespace

class tst_JsonText : public QObject
{
    Q_OBJECT

private slots:
    void outcomes_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("asDecimal"); // the outcome in DecimalMode

        const auto row = [](const char *name, const QByteArray &text, const QString &expected) {
            QTest::newRow(name) << text << expected << expected;
        };
        // Leniencies
        row("text after top level ignored", "[1,2]xyz", u"[1,2]"_s);
        row("leading, doubled, trailing commas", "[,1,,2,]", u"[1,2]"_s);
        row("object members without comma, trailing comma", "{\"a\":1 \"b\":2,}",
            u"{\"a\":1,\"b\":2}"_s);
        row("literals in any case", "[TRUE,Null,fAlSe]", u"[true,null,false]"_s);
        row("leading zero and bare point", "[01.,-0.50,1E2,2e-1]", u"[1,-0.5,100,0.2]"_s);
        row("blanks everywhere", " \t\r\n{ \"a\" :\n[ 1 , { } ] }", u"{\"a\":[1,{}]}"_s);
        row("escape letters in any case, escaped slash", "[\"\\N\\U00e9\\/\"]",
            u"[\"\\n\u00e9/\"]"_s);
        // Errors and their positions
        row("only blanks", "  \t\r\n", u"Error 13: Expected either { or [ at character 6"_s);
        row("comma before first member", "{ ,\"a\":1}",
            u"Error 13: Found \",\" before first item at character 3"_s);
        row("missing colon", "{\"a\" 1}", u"Error 13: Expected : at character 6"_s);
        row("bad member separator", "{\"a\":1;}", u"Error 13: Expected , or } at character 7"_s);
        row("literal cut short", "[tru]", u"Error 13: Bad value at character 2"_s);
        row("string not closed", "[\"abc", u"Error 13: Expected \" at character 6"_s);
        row("raw tab in string", "[\"a\tb\"]", u"Error 13: Invalid string character at 4"_s);
        row("unknown escape", "[\"\\q\"]",
            u"Error 13: Bad string character escape at character 4"_s);
        row("bad hex digit", "[\"\\u00G1\"]",
            u"Error 13: Bad string character escape at character 5"_s);
        row("unicode escape cut by the end, three left", "[\"\\u123",
            u"Error 13: Bad string character escape at character 5"_s);
        row("literal followed by junk", "[truex]", u"Error 13: Bad value at character 6"_s);
        row("number runs to end", "[1",
            u"Error 13: Ran off end of string while parsing a number"_s);
        row("second decimal point", "[1.2.3]", u"Error 13: Second decimal point at character 5"_s);
        row("point after minus", "[-.5]", u"Error 13: Digit expected at character 3"_s);
        row("second exponent sign", "[1e+-5]", u"Error 13: Second exponent sign at character 5"_s);
        row("exponent without digits", "[1e]",
            u"Error 6: Number overflow or parse error at character 2"_s);
        const auto nested = [](int depth) -> QByteArray {
            return QByteArray(depth, '[') + QByteArray(depth, ']');
        };
        row("1000 levels", nested(1000), QString::fromLatin1(nested(1000)));
        row("1001 levels", nested(1001), kTooDeep);
        row("hostile depth", nested(200000), kTooDeep);
        // Positions count UTF-16 code units: the emoji is two.
        row("position after surrogate pair", "[\"\U0001F600\", x]",
            u"Error 13: Bad value at character 8"_s);
        // Stray continuation byte, truncated sequence, overlong form, encoded surrogate: each
        // malformed byte stands for one U+FFFD, in strings and in error positions alike.
        const QByteArray malformed = "[\"a\x80"
                                     "b\xE6\x97"
                                     "c\xC0\xAF"
                                     "d\xED\xA0\x80\"";
        row("malformed UTF-8", malformed + "]",
            u"[\"a\\uFFFDb\\uFFFD\\uFFFDc\\uFFFD\\uFFFDd\\uFFFD\\uFFFD\\uFFFD\"]"_s);
        row("position after malformed UTF-8", malformed + ", \xFF]",
            u"Error 13: Bad value at character 18"_s);

        // A number alone in an array. Too small for the kind reads as zero, too large fails; a
        // long literal's digits count in full against its exponent.
        const auto number = [](const char *name, const QByteArray &text, const QString &asDouble,
                               const QString &asDecimal) {
            const auto inArray = [](const QString &value) {
                return value.startsWith(u"Error"_s) ? value : u"["_s + value + u"]"_s;
            };
            QTest::newRow(name) << QByteArray("[" + text + "]") << inArray(asDouble)
                                << inArray(asDecimal);
        };
        const QString overflow = u"Error 6: Number overflow or parse error at character 2"_s;
        const QByteArray zeros(100001, '0');
        number("largest 96-bit value", "79228162514264337593543950335", u"7.922816251426434e+28"_s,
               u"79228162514264337593543950335"_s);
        number("past 96 bits", "79228162514264337593543950336", u"7.922816251426434e+28"_s,
               overflow);
        number("29 decimals round half even to 28", "0.12345678901234567890123456785",
               u"0.12345678901234568"_s, u"0.1234567890123456789012345678"_s);
        number("beyond scale 28", "1e-30", u"1e-30"_s, u"0"_s);
        number("negative zero", "-0", u"0"_s, u"0"_s);
        number("exponent overflow", "1e29", u"1e+29"_s, overflow);
        number("malformed exponent", "1e5-", overflow, overflow);
        number("nested values keep the mode", "{\"a\":[0.1000000000000000000001]}",
               u"{\"a\":[0.1]}"_s, u"{\"a\":[0.1000000000000000000001]}"_s);
        number("underflow written with a long fraction", "0." + zeros + "1", u"0"_s, u"0"_s);
        number("exponent past 64 bits, negative", "1e-99999999999999999999999", u"0"_s, u"0"_s);
        number("exponent past 64 bits, zero digits", "0e99999999999999999999999", u"0"_s, u"0"_s);
        number("exponent past 64 bits, positive", "1e99999999999999999999999", overflow, overflow);
        // Half the smallest subnormal is 2.4703282292062327208...e-324: below it
        // the nearest double is 0, above it the smallest subnormal.
        number("just below half the smallest subnormal", "2.4703282292062327e-324", u"0"_s, u"0"_s);
        number("just above half the smallest subnormal", "2.4703282292062328e-324", u"5e-324"_s,
               u"0"_s);
        number("long fraction cancelled by exponent", "0." + zeros + "1e100001", u"0.1"_s,
               u"0.1"_s);
        number("long integer part, small result", "1" + zeros + "e-100029", u"1e-28"_s,
               u"0.0000000000000000000000000001"_s);
    }

    void outcomes()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, expected);
        QCOMPARE(outcome(text), expected);
        QTEST(outcome(text, true), "asDecimal");
    }

    void errorKeepsCompletedTopLevelItems()
    {
        JsonBag bag;
        bag.setJSON(u"[9]");
        QVERIFY_THROWS_EXCEPTION(JsonError, bag.setJSON(u"{\"a\":1,\"b\":{\"c\":2,\"d\":x}}"));
        QCOMPARE(written(bag), u"{\"a\":1}"_s);
    }

    void layout()
    {
        JsonBag bag;
        bag.setJSON(u"{\"a\":1,\"b\":[1,2]}");
        bag.setWhitespace(true);
        QCOMPARE(written(bag), u"{\r\n    \"a\":1,\r\n    \"b\":[\r\n        1,\r\n        2\r\n"
                               u"    ]\r\n}"_s);

        JsonBag array;
        array.setWhitespace(true);
        array.setJSON(u"[{\"x\":[]}]");
        QCOMPARE(written(array), u"[\r\n    {\r\n        \"x\":[]\r\n    }\r\n]"_s);
        array.Clear(); // back to an empty object, the layout flag kept
        QCOMPARE(written(array), u"{}"_s);
        QVERIFY(array.Whitespace());
    }

    void values_data()
    {
        QTest::addColumn<JsonValue>("value");
        QTest::addColumn<QString>("expected"); // the value's text, or the error
        const auto row = [](const char *name, const JsonValue &value, const QString &expected) {
            QTest::newRow(name) << value << expected;
        };
        row("quote, backslash, slash, short escapes", u"\"\\/\t\b\f\n\r",
            u"\"\\\"\\\\/\\t\\b\\f\\n\\r\""_s);
        row("control character", u"\u0001", u"\"\\u0001\""_s);
        row("surrogate pair, upper-case hex", u"\U0001F600", u"\"\\uD83D\\uDE00\""_s);
        row("lone surrogate", std::u16string(1, 0xDC00), u"\"\\uDC00\""_s);
        row("invisible characters", u"\u007f\u009f\u034f\u200b\u200f\u2028\u202e\u2060",
            u"\"\\u007F\\u009F\\u034F\\u200B\\u200F\\u2028\\u202E\\u2060\""_s);
        row("variation selectors, BOM, replacement", u"\ufe00\ufe01\ufe0f\ufeff\ufffd",
            u"\"\ufe00\\uFE01\\uFE0F\\uFEFF\\uFFFD\""_s);
        const QString neighbours = u"\u00a0\u034e\u0350\u200a\u2010\u2027\u202f\u205f\u2061\ufe10"
                                   u"\ufefe\ufffc\ufffe\ue000\u65e5"_s;
        row("neighbours of the escaped ranges stay", neighbours.toStdU16String(),
            u"\""_s + neighbours + u"\""_s);
        row("long ASCII stored out of line", std::u16string(40, u'x'),
            u"\""_s + QString(40, u'x') + u"\""_s);
        row("empty", JsonValue(), u"null"_s);
        row("double shortest", 0.1 + 0.2, u"0.30000000000000004"_s);
        row("double plain from 1e-5", 1e-5, u"0.00001"_s);
        row("double plain below 1e15", 123456789012345.6, u"123456789012345.6"_s);
        row("double exponent from 1e15", 1e15, u"1e+15"_s);
        row("single", 0.1f, u"0.1"_s);
        // Singles get the shortest digits of their own precision, whole or not.
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

    // Each value is written under the name x; a text also as the name, and both read back.
    void values()
    {
        QFETCH(JsonValue, value);
        QFETCH(QString, expected);
        const bool text = value.isString();
        const std::u16string name = text ? value.toString() : u"x";
        JsonBag bag;
        bag.setItem(name, value);
        const QString member = (text ? expected : u"\"x\""_s) + u":"_s + expected;
        QCOMPARE(written(bag),
                 expected.startsWith(u"Error"_s) ? expected : u"{"_s + member + u"}"_s);
        if (text) {
            JsonBag back;
            back.setJSON(bag.JSON());
            QVERIFY(back.Name(1) == name);
            QVERIFY(back.Item(1) == value);
        }
    }

    // Writing stops at the parser's depth limit with its error, even on the endless chain of a
    // bag stored inside itself.
    void tooDeep()
    {
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
