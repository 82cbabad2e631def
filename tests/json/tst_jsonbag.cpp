// SPDX-License-Identifier: MIT
#include "JsonBag.h"

#include <QTest>

#include <algorithm>
#include <functional>
#include <random>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

using Operation = std::function<void()>;
Q_DECLARE_METATYPE(Operation)

class tst_JsonBag : public QObject
{
    Q_OBJECT

private slots:
    void errors_data()
    {
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("description");

        JsonBag object;
        object.setItem(u"a", 1);
        JsonBag array;
        array.setIsArray(true);
        array.setItem(nullptr, 1);
        const auto row = [](const char *name, int number, const QString &text, Operation op) {
            QTest::newRow(name) << op << number << text;
        };
        const QString outOfRange = u"Subscript out of range"_s;
        row("IsArray on non-empty bag, same value", 5,
            u"Cannot change IsArray setting after items have been added"_s,
            [=]() mutable { object.setIsArray(false); });
        row("read with null key", 94, u"Key must be String or an index)"_s,
            [=] { object.Item(nullptr); });
        row("read array by name", 5, u"Array values can only be acessed by index"_s,
            [=] { array.Item(u"a"); });
        row("assign array by name", 5,
            u"Array values can only be changed by index or added via Null"_s,
            [=]() mutable { array.setItem(u"a", 2); });
        row("assign object by position", 5,
            u"Object values can only be changed or added by key not by index"_s,
            [=]() mutable { object.setItem(1, 2); });
        row("missing name", 5, u"Invalid procedure call or argument"_s, [=] { object.Item(u"A"); });
        row("position past end", 9, outOfRange, [=] { object.Item(2); });
        row("position zero", 9, outOfRange, [=] { array.Item(0); });
        row("wrong kind read", 13, u"Type mismatch"_s, [=] { object.Item(u"a").toString(); });
    }

    void errors()
    {
        QFETCH(Operation, operation);
        QFETCH(int, number);
        try {
            operation();
            QFAIL("no error raised");
        } catch (const JsonError &e) {
            QCOMPARE(e.number(), number);
            QCOMPARE(QString::fromStdString(e.source()), u"JsonBag"_s);
            QTEST(QString::fromUtf8(e.what()), "description");
        }
    }

    // Beyond the random model below: case in names, the edges of positions, arrays.
    void namesPositionsAndArrays()
    {
        JsonBag bag;
        bag.setItem(u"a", 1);
        bag.setItem(u"A", 2);
        bag.setItem(u"a", 3);
        QCOMPARE(bag.NewEnum(), (std::vector<std::u16string>{u"A", u"a"}));
        QVERIFY(!bag.Exists(nullptr));
        QVERIFY(!bag.Exists(0));
        QVERIFY(bag.Exists(2));
        QVERIFY(!bag.Exists(3));
        bag.Remove(3); // past the end: nothing happens

        JsonBag array = bag.AddNewArray(u"list");
        array.setItem(nullptr, u"first");
        array.setItem(nullptr, 2);
        array.setItem(array.Count() + 5, 3); // past the end: appended
        array.setItem(array.Count(), 4);
        array.setItem(1.5, 9); // rounds half to even: position 2
        array.Remove(1);
        QVERIFY(!array.Exists(u"1"));
        QCOMPARE(QString::fromStdU16String(bag.JSON()), u"{\"A\":2,\"a\":3,\"list\":[9,4]}"_s);
    }

    void nestedBagsAreShared()
    {
        JsonBag song;
        song.setJSON(u"{\"id\":7,\"artist\":{\"name\":\"X\"}}");
        JsonBag artist = song.Item(u"artist").toBag();
        artist.setItem(u"name", u"Y");
        QCOMPARE(QString::fromStdU16String(song.JSON()),
                 u"{\"id\":7,\"artist\":{\"name\":\"Y\"}}"_s);
    }

    // Random assignments, re-assignments and removals against a plain vector: the
    // hash index, the removal holes and the position reads must agree with it.
    void tableAgreesWithModel()
    {
        std::mt19937 random(42);
        JsonBag bag;
        std::vector<std::pair<std::u16string, int>> model;
        for (int step = 0; step < 20000; ++step) {
            const std::u16string name = u"k" + QString::number(random() % 700).toStdU16String();
            const auto it = std::find_if(model.begin(), model.end(),
                                         [&](const auto &entry) { return entry.first == name; });
            const auto operation = random() % 5;
            if (operation <= 2 && it != model.end()) {
                model.erase(it);
            }
            if (operation <= 1) {
                model.emplace_back(name, step);
                bag.setItem(name, step);
            } else if (operation == 2) {
                bag.Remove(name);
            } else if (operation == 4) {
                QCOMPARE(bag.Exists(name), it != model.end());
            }
            if (operation >= 3 && !model.empty()) {
                const int position = static_cast<int>(random() % model.size()) + 1;
                if (operation == 3) {
                    model.erase(model.begin() + position - 1);
                    bag.Remove(position);
                } else {
                    QVERIFY(bag.Name(position) == model[position - 1].first);
                    QCOMPARE(bag.Item(position).toInt32(), model[position - 1].second);
                }
            }
            QCOMPARE(bag.Count(), static_cast<int>(model.size()));
        }
        for (const auto &[name, value] : model) {
            QCOMPARE(bag.Item(name).toInt32(), value);
        }
    }
};

QTEST_GUILESS_MAIN(tst_JsonBag)
#include "tst_jsonbag.moc"
