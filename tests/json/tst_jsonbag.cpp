// SPDX-License-Identifier: MIT
#include "AllocationCounter.h"
#include "JsonBag.h"
#include "JsonTestSupport.h"

#include <QTest>

#include <algorithm>
#include <functional>
#include <random>
#include <utility>
#include <vector>

using namespace JsonTestSupport;
using namespace Qt::StringLiterals;

using Operation = std::function<void()>;
Q_DECLARE_METATYPE(Operation)

class tst_JsonBag : public QObject
{
    Q_OBJECT

private slots:
    void errors_data();
    void errors();
    void namesAreExactAndOrdered();
    void arrayAssignment();
    void existsAndRemove();
    void nestedBagsAreShared();
    void clearAndModes();
    void tableAgreesWithModel();
    void deepTreeIsFreedWithoutRecursion();
};

void tst_JsonBag::errors_data()
{
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("description");

    JsonBag object;
    object.setItem(u"a", 1);
    JsonBag array;
    array.setIsArray(true);
    array.setItem(nullptr, 1);
    const auto row = [](const char *name, Operation op, int number, const QString &text) {
        QTest::newRow(name) << op << number << text;
    };
    row(
        "IsArray on non-empty bag, same value", [=]() mutable { object.setIsArray(false); }, 5,
        u"Cannot change IsArray setting after items have been added"_s);
    row(
        "read with null key, object", [=] { object.Item(nullptr); }, 94,
        u"Key must be String or an index)"_s);
    row(
        "read with null key, array", [=] { array.Item(nullptr); }, 94,
        u"Key must be String or an index)"_s);
    row(
        "read array by name", [=] { array.Item(u"a"); }, 5,
        u"Array values can only be acessed by index"_s);
    row(
        "assign array by name", [=]() mutable { array.setItem(u"a", 2); }, 5,
        u"Array values can only be changed by index or added via Null"_s);
    row(
        "assign object by position", [=]() mutable { object.setItem(1, 2); }, 5,
        u"Object values can only be changed or added by key not by index"_s);
    row(
        "assign object with null key", [=]() mutable { object.setItem(nullptr, 2); }, 5,
        u"Object values can only be changed or added by key not by index"_s);
    row(
        "AddNewObject without key on object", [=]() mutable { object.AddNewObject(); }, 5,
        u"Object values can only be changed or added by key not by index"_s);
    row(
        "Name on array", [=] { array.Name(1); }, 5, u"Array items do not have names"_s);
    row(
        "NewEnum on array", [=] { array.NewEnum(); }, 5,
        u"Arrays must be iterated using index values"_s);
    row(
        "Remove by name on array", [=]() mutable { array.Remove(u"a"); }, 5,
        u"Must remove by index for arrays"_s);
    row(
        "missing name", [=] { object.Item(u"A"); }, 5, u"Invalid procedure call or argument"_s);
    row(
        "position past end", [=] { object.Item(2); }, 9, u"Subscript out of range"_s);
    row(
        "position zero", [=] { array.Item(0); }, 9, u"Subscript out of range"_s);
    row(
        "assign array position zero", [=]() mutable { array.setItem(0, 5); }, 9,
        u"Subscript out of range"_s);
    row(
        "Name past end", [=] { object.Name(2); }, 9, u"Subscript out of range"_s);
    row(
        "wrong kind read", [=] { object.Item(u"a").toString(); }, 13, u"Type mismatch"_s);
}

void tst_JsonBag::errors()
{
    QFETCH(Operation, operation);
    QFETCH(int, number);
    QFETCH(QString, description);
    try {
        operation();
        QFAIL("no error raised");
    } catch (const JsonError &e) {
        QCOMPARE(e.number(), number);
        QCOMPARE(QString::fromStdString(e.source()), u"JsonBag"_s);
        QCOMPARE(QString::fromUtf8(e.what()), description);
    }
}

void tst_JsonBag::namesAreExactAndOrdered()
{
    JsonBag bag;
    bag.setItem(u"a", 1);
    bag.setItem(u"A", 2);
    QCOMPARE(bag.Count(), 2);
    QCOMPARE(bag.Item(u"a").toInt32(), 1);

    bag.Clear();
    bag.setItem(u"x", 1);
    bag.setItem(u"y", 2);
    bag.setItem(u"x", 3);
    QCOMPARE(toQ(bag.Name(1)), u"y"_s);
    QCOMPARE(toQ(bag.Name(2)), u"x"_s);
    QCOMPARE(bag.Item(u"x").toInt32(), 3);
    QCOMPARE(bag.Item(2).toInt32(), 3); // objects read by position too
    QCOMPARE(bag.NewEnum(), (std::vector<std::u16string>{u"y", u"x"}));
    QCOMPARE(JsonBag::Version(), std::vector<std::u16string>{u"1.6"});
}

void tst_JsonBag::arrayAssignment()
{
    JsonBag bag;
    bag.setIsArray(true);
    bag.setItem(nullptr, u"first");
    bag.setItem(nullptr, 2);
    bag.setItem(bag.Count() + 5, 3);
    QCOMPARE(bag.Count(), 3);
    bag.setItem(bag.Count(), 4);
    bag.setItem(1.5, 9); // rounds half to even: position 2
    QCOMPARE(toQ(bag.JSON()), u"[\"first\",9,4]"_s);
}

void tst_JsonBag::existsAndRemove()
{
    JsonBag bag;
    QVERIFY(!bag.Exists(1));
    bag.setItem(u"title", 1);
    bag.setItem(u"b", 2);
    bag.setItem(u"c", 3);
    QVERIFY(bag.Exists(u"title"));
    QVERIFY(!bag.Exists(u"Title"));
    QVERIFY(bag.Exists(3));
    QVERIFY(!bag.Exists(4));
    QVERIFY(!bag.Exists(nullptr));

    bag.Remove(bag.Count() + 1);
    bag.Remove(u"missing");
    QCOMPARE(bag.Count(), 3);
    bag.Remove(bag.Count());
    bag.Remove(u"title");
    QCOMPARE(toQ(bag.JSON()), u"{\"b\":2}"_s);

    JsonBag array = bag.AddNewArray(u"list");
    array.setJSON(u"[1,2,3]");
    array.Remove(2);
    QCOMPARE(toQ(bag.JSON()), u"{\"b\":2,\"list\":[1,3]}"_s);
    QVERIFY(!array.Exists(u"1"));
}

void tst_JsonBag::nestedBagsAreShared()
{
    JsonBag song;
    song.setJSON(u"{\"id\":7,\"artist\":{\"name\":\"X\"}}");
    JsonBag artist = song.Item(u"artist").toBag();
    artist.setItem(u"name", u"Y");
    QCOMPARE(toQ(song.JSON()), u"{\"id\":7,\"artist\":{\"name\":\"Y\"}}"_s);
    QVERIFY(song.Item(u"artist").toBag().isSameBag(artist));

    JsonBag other;
    other.setItem(u"shared", artist); // a bag assigned like any value, not copied
    artist.setItem(u"extra", true);
    QCOMPARE(toQ(other.JSON()), u"{\"shared\":{\"name\":\"Y\",\"extra\":true}}"_s);
}

void tst_JsonBag::clearAndModes()
{
    JsonBag bag;
    bag.setDecimalMode(true);
    bag.setWhitespace(true);
    JsonBag child = bag.AddNewObject(u"child");
    QVERIFY(!child.DecimalMode());
    QVERIFY(!child.Whitespace());
    QVERIFY(bag.AddNewArray(u"list").IsArray());

    bag.setJSON(u"[1]");
    QVERIFY(bag.IsArray());
    bag.Clear();
    QVERIFY(!bag.IsArray());
    QCOMPARE(bag.Count(), 0);
    QVERIFY(bag.DecimalMode());
    QVERIFY(bag.Whitespace());
    bag.setIsArray(true); // allowed again once empty
    QVERIFY(bag.IsArray());
}

// Random assignments, re-assignments and removals against a plain vector: the
// hash index, the removal holes and the position reads must agree with it.
void tst_JsonBag::tableAgreesWithModel()
{
    std::mt19937 random(42);
    JsonBag bag;
    std::vector<std::pair<std::u16string, int>> model;
    for (int step = 0; step < 20000; ++step) {
        const std::u16string name = toU16(u"k"_s + QString::number(random() % 700));
        const auto it = std::find_if(model.begin(), model.end(),
                                     [&](const auto &entry) { return entry.first == name; });
        switch (random() % 5) {
        case 0:
        case 1:
            if (it != model.end()) {
                model.erase(it);
            }
            model.emplace_back(name, step);
            bag.setItem(name, step);
            break;
        case 2:
            if (it != model.end()) {
                model.erase(it);
            }
            bag.Remove(name);
            break;
        case 3:
            if (!model.empty()) {
                const int position = static_cast<int>(random() % model.size()) + 1;
                model.erase(model.begin() + position - 1);
                bag.Remove(position);
            }
            break;
        default:
            QCOMPARE(bag.Exists(name), it != model.end());
            if (!model.empty()) {
                const int position = static_cast<int>(random() % model.size()) + 1;
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

// Dropping the root of a very deep chain must not recurse once per level, must
// free every bag no one holds any more, and must keep a part still held.
void tst_JsonBag::deepTreeIsFreedWithoutRecursion()
{
    constexpr int kDepth = 300000;
    const std::ptrdiff_t before = AllocationCounter::liveBlocks();
    {
        JsonBag root;
        root.setIsArray(true);
        JsonBag middle;
        JsonBag level = root;
        for (int i = 0; i < kDepth; ++i) {
            level = level.AddNewArray();
            if (i == kDepth / 2) {
                middle = level;
            }
        }
        const std::ptrdiff_t built = AllocationCounter::liveBlocks();
        root = JsonBag(); // must not overflow the stack
        // At least one block per bag above the middle is gone.
        QVERIFY(AllocationCounter::liveBlocks() <= built - kDepth / 2);
        // The lower half still leads from the middle down to the last bag.
        JsonBag walk = middle;
        for (int i = kDepth / 2 + 1; i < kDepth; ++i) {
            walk = walk.Item(1).toBag();
        }
        QVERIFY(walk.isSameBag(level));
    }
    QCOMPARE(AllocationCounter::liveBlocks(), before);
}

QTEST_GUILESS_MAIN(tst_JsonBag)
#include "tst_jsonbag.moc"
