// SPDX-License-Identifier: MIT
#include "JsonBag.h"
#include "JsonTestSupport.h"

#include <QTest>

#include <limits>

using namespace JsonTestSupport;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(JsonValue)

class tst_JsonWriter : public QObject
{
    Q_OBJECT

private slots:
    void layout()
    {
        JsonBag bag;
        bag.setJSON(u"{\"a\":1,\"b\":[1,2]}");
        QCOMPARE(toQ(bag.JSON()), u"{\"a\":1,\"b\":[1,2]}"_s);
        bag.setWhitespace(true);
        const QString pretty = u"{\r\n    \"a\":1,\r\n    \"b\":[\r\n        1,\r\n        2\r\n"
                               u"    ]\r\n}"_s;
        QCOMPARE(toQ(bag.JSON()), pretty);
        QCOMPARE(QString::fromStdString(bag.JSONUtf8()), pretty);

        // Only the flag of the bag being read counts.
        bag.setWhitespace(false);
        bag.Item(u"b").toBag().setWhitespace(true);
        QCOMPARE(toQ(bag.JSON()), u"{\"a\":1,\"b\":[1,2]}"_s);

        JsonBag array;
        array.setWhitespace(true);
        array.setJSON(u"[{\"x\":[]}]");
        QCOMPARE(toQ(array.JSON()), u"[\r\n    {\r\n        \"x\":[]\r\n    }\r\n]"_s);
        array.Clear();
        QCOMPARE(toQ(array.JSON()), u"{}"_s);
    }

    void strings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("quote, backslash, slash, tab") << u"\"\\/\t"_s << u"\"\\\"\\\\/\\t\""_s;
        QTest::newRow("short escapes") << u"\b\f\n\r"_s << u"\"\\b\\f\\n\\r\""_s;
        QTest::newRow("control character") << u"\u0001"_s << u"\"\\u0001\""_s;
        QTest::newRow("surrogate pair, upper-case hex")
            << u"\U0001F600"_s << u"\"\\uD83D\\uDE00\""_s;
        QTest::newRow("lone surrogate") << QString(QChar(0xDC00)) << u"\"\\uDC00\""_s;
        QTest::newRow("invisible characters")
            << u"\u007f\u009f\u034f\u200b\u200f\u2028\u202e\u2060"_s
            << u"\"\\u007F\\u009F\\u034F\\u200B\\u200F\\u2028"
               u"\\u202E\\u2060\""_s;
        QTest::newRow("variation selectors, BOM, replacement")
            << u"\ufe00\ufe01\ufe0f\ufeff\ufffd"_s << u"\"\ufe00\\uFE01\\uFE0F\\uFEFF\\uFFFD\""_s;
        const QString neighbours = u"\u00a0\u034e\u0350\u200a\u2010\u2027\u202f\u205f\u2061\ufe10"
                                   u"\ufefe\ufffc\ufffe\ue000\u65e5"_s;
        QTest::newRow("neighbours of the escaped ranges stay")
            << neighbours << u"\""_s + neighbours + u"\""_s;
        QTest::newRow("long ASCII stored out of line")
            << QString(40, u'x') << u"\""_s + QString(40, u'x') + u"\""_s;
    }

    void strings()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        JsonBag bag;
        bag.setItem(toU16(text), toU16(text));
        const QString member = expected + u":"_s + expected;
        QCOMPARE(toQ(bag.JSON()), u"{"_s + member + u"}"_s);
        QCOMPARE(QString::fromStdString(bag.JSONUtf8()), u"{"_s + member + u"}"_s);
        JsonBag back;
        back.setJSON(bag.JSON());
        QCOMPARE(toQ(back.Name(1)), text);
        QCOMPARE(toQ(back.Item(1).toString()), text);
    }

    void values_data()
    {
        QTest::addColumn<JsonValue>("value");
        QTest::addColumn<QString>("expected"); // the value's text, or the error
        QTest::newRow("true") << JsonValue(true) << u"true"_s;
        QTest::newRow("empty") << JsonValue() << u"null"_s;
        QTest::newRow("null") << JsonValue(nullptr) << u"null"_s;
        QTest::newRow("double shortest") << JsonValue(0.1 + 0.2) << u"0.30000000000000004"_s;
        QTest::newRow("double plain from 1e-5") << JsonValue(1e-5) << u"0.00001"_s;
        QTest::newRow("double exponent below") << JsonValue(-1.5e-7) << u"-1.5e-07"_s;
        QTest::newRow("double plain below 1e15")
            << JsonValue(123456789012345.6) << u"123456789012345.6"_s;
        QTest::newRow("double exponent from 1e15") << JsonValue(1e15) << u"1e+15"_s;
        QTest::newRow("double whole number") << JsonValue(-100000.0) << u"-100000"_s;
        QTest::newRow("double negative zero") << JsonValue(-0.0) << u"0"_s;
        QTest::newRow("double smallest subnormal") << JsonValue(5e-324) << u"5e-324"_s;
        QTest::newRow("single") << JsonValue(0.1f) << u"0.1"_s;
        // Singles get the shortest digits of their own precision, whole or not.
        QTest::newRow("single whole, largest exact integer")
            << JsonValue(16777216.0f) << u"16777216"_s;
        QTest::newRow("single whole past 2^24") << JsonValue(1e14f) << u"100000000000000"_s;
        QTest::newRow("single whole, digits past its precision")
            << JsonValue(123456789.0f) << u"123456790"_s;
        QTest::newRow("single exponent from 1e15") << JsonValue(4e15f) << u"4e+15"_s;
        QTest::newRow("unsigned 8-bit") << JsonValue(std::uint8_t{255}) << u"255"_s;
        QTest::newRow("16-bit") << JsonValue(std::int16_t{-32768}) << u"-32768"_s;
        QTest::newRow("currency cents") << JsonValue::currency(500) << u"0.05"_s;
        QTest::newRow("currency extreme")
            << JsonValue::currency(std::numeric_limits<std::int64_t>::min())
            << u"-922337203685477.5808"_s;
        QTest::newRow("decimal") << JsonValue(JsonDecimal(12345, 0, 4, true)) << u"-1.2345"_s;
        QTest::newRow("array of variants")
            << JsonValue::other(8204) << u"Error 51: x, unknown/unsupported type = 8204"_s;
        QTest::newRow("not a number") << JsonValue(std::numeric_limits<double>::quiet_NaN())
                                      << u"Error 51: x, value nan failed to serialize"_s;
        QTest::newRow("single infinity") << JsonValue(-std::numeric_limits<float>::infinity())
                                         << u"Error 51: x, value -inf failed to serialize"_s;
    }

    void values()
    {
        QFETCH(JsonValue, value);
        QFETCH(QString, expected);
        JsonBag bag;
        bag.setItem(u"x", value);
        QString written;
        try {
            written = toQ(bag.JSON());
        } catch (const JsonError &e) {
            written = errorText(e);
        }
        QCOMPARE(written,
                 expected.startsWith(u"Error"_s) ? expected : u"{\"x\":"_s + expected + u"}"_s);
    }

    void nestingLimit_data()
    {
        QTest::addColumn<int>("depth");
        QTest::addColumn<bool>("holdsItself");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1000 levels") << 1000 << false << QString(1000, u'[') + QString(1000, u']');
        QTest::newRow("1001 levels") << 1001 << false << u"Error 28: Out of stack space"_s;
        QTest::newRow("bag holding itself") << 1 << true << u"Error 28: Out of stack space"_s;
    }

    // Writing stops at the depth the parser accepts, with the same error, instead
    // of running out of stack; a bag stored inside itself is the endless case.
    void nestingLimit()
    {
        QFETCH(int, depth);
        QFETCH(bool, holdsItself);
        QFETCH(QString, expected);
        JsonBag root;
        root.setIsArray(true);
        JsonBag level = root;
        for (int i = 1; i < depth; ++i) {
            level = level.AddNewArray();
        }
        if (holdsItself) {
            root.setItem(nullptr, root);
        }
        const auto written = [&root](bool utf8) {
            try {
                return utf8 ? QString::fromStdString(root.JSONUtf8()) : toQ(root.JSON());
            } catch (const JsonError &e) {
                return errorText(e);
            }
        };
        const QString utf16 = written(false);
        const QString utf8 = written(true);
        root.Clear(); // break a cycle so the bag can go
        QCOMPARE(utf16, expected);
        QCOMPARE(utf8, expected);
    }
};

QTEST_GUILESS_MAIN(tst_JsonWriter)
#include "tst_jsonwriter.moc"
