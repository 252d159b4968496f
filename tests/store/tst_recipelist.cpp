#include "Int16.h"
#include "RecipeList.h"
#include "RuntimeError.h"

#include <QtTest>

namespace {

RecipeList listOfNamed(int count)
{
    RecipeList list;
    for (int i = 1; i <= count; ++i) {
        list.appendEmpty();
        list.Recipes(i).Name = QStringLiteral("Recipe %1").arg(i);
    }
    return list;
}

QStringList names(const RecipeList &list)
{
    QStringList result;
    for (int i = 1; i <= list.RecipeCount().value(); ++i)
        result << list.Recipes(i).Name;
    return result;
}

template<typename F>
int errorNumberOf(F &&f)
{
    try {
        f();
    } catch (const RuntimeError &error) {
        return error.number();
    }
    return 0;
}

} // namespace

class TestRecipeList : public QObject
{
    Q_OBJECT

private slots:
    void int16RaisesOverflowInsteadOfWrapping_data();
    void int16RaisesOverflowInsteadOfWrapping();
    void appendToAFreshListGivesSlotsZeroAndOne();
    void removeCurrent_data();
    void removeCurrent();
    void fullListRefusesTheNextAppendAndKeepsEverything();
    void indexesAndCurrentStayInRange_data();
    void indexesAndCurrentStayInRange();
};

void TestRecipeList::int16RaisesOverflowInsteadOfWrapping_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b"); // added; a negative b is subtracted
    QTest::addColumn<int>("expected"); // 0 with an overflow

    QTest::newRow("largest plus one overflows") << 32767 << 1 << 0;
    QTest::newRow("smallest minus one overflows") << -32768 << -1 << 0;
    QTest::newRow("up to the largest fits") << 32766 << 1 << 32767;
    QTest::newRow("down to the smallest fits") << -32767 << -1 << -32768;
}

void TestRecipeList::int16RaisesOverflowInsteadOfWrapping()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, expected);

    Int16 result;
    const int error = errorNumberOf([&] { result = b < 0 ? Int16(a) - Int16(-b) : Int16(a) + Int16(b); });
    QCOMPARE(error, expected ? 0 : int(RuntimeError::Overflow));
    QCOMPARE(int(result.value()), expected);
    QCOMPARE(errorNumberOf([] { Int16 wide(40000); Q_UNUSED(wide); }), int(RuntimeError::Overflow));
}

void TestRecipeList::appendToAFreshListGivesSlotsZeroAndOne()
{
    RecipeList list;
    QCOMPARE(list.slotCount(), 0);
    QCOMPARE(errorNumberOf([&] { list.Recipes(0); }), int(RuntimeError::SubscriptOutOfRange));

    list.appendEmpty();
    QCOMPARE(list.RecipeCount(), Int16(1));
    QCOMPARE(list.CurrentRecipe(), Int16(1));
    QCOMPARE(list.slotCount(), 2);
    QCOMPARE(list.Recipes(0), Recipe());
    QCOMPARE(list.Recipes(1), Recipe());

    list.Recipes(1).Name = QStringLiteral("Soup");
    list.appendEmpty();
    QCOMPARE(list.CurrentRecipe(), Int16(2));
    QCOMPARE(names(list), QStringList({"Soup", ""}));
}

void TestRecipeList::removeCurrent_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("current");
    QTest::addColumn<QStringList>("namesAfter");
    QTest::addColumn<int>("currentAfter");

    QTest::newRow("middle recipe: later ones move down, current names the next")
        << 4 << 2 << QStringList{"Recipe 1", "Recipe 3", "Recipe 4"} << 2;
    QTest::newRow("last recipe: current becomes the new last")
        << 4 << 4 << QStringList{"Recipe 1", "Recipe 2", "Recipe 3"} << 3;
    QTest::newRow("only recipe: empty list with current 0") << 1 << 1 << QStringList{} << 0;
}

void TestRecipeList::removeCurrent()
{
    QFETCH(int, count);
    QFETCH(int, current);
    QFETCH(QStringList, namesAfter);
    QFETCH(int, currentAfter);

    RecipeList list = listOfNamed(count);
    list.setCurrentRecipe(current);
    list.removeCurrent();
    QCOMPARE(names(list), namesAfter);
    QCOMPARE(list.CurrentRecipe().value(), currentAfter);
    QCOMPARE(list.slotCount(), count);
    QVERIFY(list.invariantsHold());

    list.sizeForLoading(0, 0);
    list.removeCurrent(); // on an empty list: nothing happens
    QCOMPARE(list.slotCount(), 1);
}

void TestRecipeList::fullListRefusesTheNextAppendAndKeepsEverything()
{
    RecipeList list;
    for (int i = 1; i <= Int16::Max; ++i)
        list.appendEmpty();
    list.Recipes(32767).Name = QStringLiteral("Last");
    list.setCurrentRecipe(5);

    QCOMPARE(errorNumberOf([&] { list.appendEmpty(); }), int(RuntimeError::Overflow));
    QCOMPARE(list.RecipeCount(), Int16(32767));
    QCOMPARE(list.CurrentRecipe(), Int16(5));
    QCOMPARE(list.slotCount(), 32768);
    QCOMPARE(list.Recipes(32767).Name, QStringLiteral("Last"));
}

void TestRecipeList::indexesAndCurrentStayInRange_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("slotExists");
    QTest::addColumn<bool>("mayBeCurrent");

    QTest::newRow("slot 0 exists but is never current") << 3 << 0 << true << false;
    QTest::newRow("last recipe") << 3 << 3 << true << true;
    QTest::newRow("one past the last") << 3 << 4 << false << false;
    QTest::newRow("negative") << 3 << -1 << false << false;
    QTest::newRow("empty list: current may be 0") << 0 << 0 << true << true;
    QTest::newRow("empty list: current may be 1 after First") << 0 << 1 << false << true;
    QTest::newRow("empty list: current 2 is out") << 0 << 2 << false << false;
}

void TestRecipeList::indexesAndCurrentStayInRange()
{
    QFETCH(int, count);
    QFETCH(int, index);
    QFETCH(bool, slotExists);
    QFETCH(bool, mayBeCurrent);

    RecipeList list = listOfNamed(count);
    list.sizeForLoading(count, count ? 1 : 0);
    const int outOfRange = RuntimeError::SubscriptOutOfRange;
    QCOMPARE(errorNumberOf([&] { list.Recipes(index).Name = QStringLiteral("x"); }), slotExists ? 0 : outOfRange);
    QCOMPARE(errorNumberOf([&] { list.setCurrentRecipe(index); }), mayBeCurrent ? 0 : outOfRange);
    QCOMPARE(errorNumberOf([&] { list.sizeForLoading(count, index); }), mayBeCurrent ? 0 : outOfRange);
    QCOMPARE(list.slotCount(), count + 1);
    QVERIFY(list.invariantsHold());
}

QTEST_APPLESS_MAIN(TestRecipeList)
#include "tst_recipelist.moc"
