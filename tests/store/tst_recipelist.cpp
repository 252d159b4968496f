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
    void int16ArithmeticRaisesOverflowInsteadOfWrapping_data();
    void int16ArithmeticRaisesOverflowInsteadOfWrapping();
    void freshListHasNoSlots();
    void appendToFreshListGivesSlotsZeroAndOne();
    void removeCurrent_data();
    void removeCurrent();
    void removeOnEmptyListChangesNothing();
    void fullListRefusesTheNextAppendAndKeepsEverything();
    void indexesOutsideTheSlotsAreRefused_data();
    void indexesOutsideTheSlotsAreRefused();
    void currentRecipeKeepsItsRange_data();
    void currentRecipeKeepsItsRange();
    void sizeForLoadingDiscardsPreviousRecipes();
    void errorsCarryNumberAndPlatformDescription_data();
    void errorsCarryNumberAndPlatformDescription();
};

void TestRecipeList::int16ArithmeticRaisesOverflowInsteadOfWrapping_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<bool>("subtract");
    QTest::addColumn<int>("expected"); // -1 for overflow

    QTest::newRow("largest plus one overflows") << 32767 << 1 << false << -1;
    QTest::newRow("smallest minus one overflows") << -32768 << 1 << true << -1;
    QTest::newRow("up to the largest fits") << 32766 << 1 << false << 32767;
    QTest::newRow("down to the smallest fits") << -32767 << 1 << true << -32768;
    QTest::newRow("zero minus largest fits") << 0 << 32767 << true << -32767;
}

void TestRecipeList::int16ArithmeticRaisesOverflowInsteadOfWrapping()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(bool, subtract);
    QFETCH(int, expected);

    Int16 result;
    const int error = errorNumberOf([&] { result = subtract ? Int16(a) - Int16(b) : Int16(a) + Int16(b); });
    if (expected == -1) {
        QCOMPARE(error, int(RuntimeError::Overflow));
    } else {
        QCOMPARE(error, 0);
        QCOMPARE(int(result.value()), expected);
    }
    QCOMPARE(errorNumberOf([] { Int16 wide(40000); Q_UNUSED(wide); }), int(RuntimeError::Overflow));
}

void TestRecipeList::freshListHasNoSlots()
{
    const RecipeList list;
    QCOMPARE(list.RecipeCount(), Int16(0));
    QCOMPARE(list.CurrentRecipe(), Int16(0));
    QCOMPARE(list.slotCount(), 0);
    QVERIFY(list.invariantsHold());
    QCOMPARE(errorNumberOf([&] { list.Recipes(0); }), int(RuntimeError::SubscriptOutOfRange));
}

void TestRecipeList::appendToFreshListGivesSlotsZeroAndOne()
{
    RecipeList list;
    list.appendEmpty();
    QCOMPARE(list.RecipeCount(), Int16(1));
    QCOMPARE(list.CurrentRecipe(), Int16(1));
    QCOMPARE(list.slotCount(), 2);
    QCOMPARE(list.Recipes(0), Recipe());
    QCOMPARE(list.Recipes(1), Recipe());

    list.Recipes(1).Name = QStringLiteral("Soup");
    list.appendEmpty();
    QCOMPARE(list.CurrentRecipe(), Int16(2));
    QCOMPARE(list.Recipes(1).Name, QStringLiteral("Soup"));
    QCOMPARE(list.Recipes(2), Recipe());
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
    QTest::newRow("first recipe") << 3 << 1 << QStringList{"Recipe 2", "Recipe 3"} << 1;
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
    QCOMPARE(list.RecipeCount().value(), count - 1);
    QCOMPARE(list.CurrentRecipe().value(), currentAfter);
    QCOMPARE(list.slotCount(), count);
    QVERIFY(list.invariantsHold());
}

void TestRecipeList::removeOnEmptyListChangesNothing()
{
    RecipeList list = listOfNamed(1);
    list.removeCurrent();
    list.removeCurrent();
    QCOMPARE(list.RecipeCount(), Int16(0));
    QCOMPARE(list.CurrentRecipe(), Int16(0));
    QCOMPARE(list.slotCount(), 1);
}

void TestRecipeList::fullListRefusesTheNextAppendAndKeepsEverything()
{
    RecipeList list;
    for (int i = 1; i <= Int16::Max; ++i)
        list.appendEmpty();
    QCOMPARE(list.RecipeCount(), Int16(32767));
    list.Recipes(32767).Name = QStringLiteral("Last");
    list.setCurrentRecipe(5);

    QCOMPARE(errorNumberOf([&] { list.appendEmpty(); }), int(RuntimeError::Overflow));
    QCOMPARE(list.RecipeCount(), Int16(32767));
    QCOMPARE(list.CurrentRecipe(), Int16(5));
    QCOMPARE(list.slotCount(), 32768);
    QCOMPARE(list.Recipes(32767).Name, QStringLiteral("Last"));

}

void TestRecipeList::indexesOutsideTheSlotsAreRefused_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("error");
    QTest::newRow("slot zero exists") << 0 << 0;
    QTest::newRow("last recipe") << 3 << 0;
    QTest::newRow("one past the last") << 4 << int(RuntimeError::SubscriptOutOfRange);
    QTest::newRow("negative") << -1 << int(RuntimeError::SubscriptOutOfRange);
    QTest::newRow("largest index") << 32767 << int(RuntimeError::SubscriptOutOfRange);
}

void TestRecipeList::indexesOutsideTheSlotsAreRefused()
{
    QFETCH(int, index);
    QFETCH(int, error);
    RecipeList list = listOfNamed(3);
    QCOMPARE(errorNumberOf([&] { list.Recipes(index).Name = QStringLiteral("x"); }), error);
    QCOMPARE(list.slotCount(), 4);
}

void TestRecipeList::currentRecipeKeepsItsRange_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("current");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("empty list, 0") << 0 << 0 << true;
    QTest::newRow("empty list, 1 after First") << 0 << 1 << true;
    QTest::newRow("empty list, 2") << 0 << 2 << false;
    QTest::newRow("filled, 0") << 3 << 0 << false;
    QTest::newRow("filled, last") << 3 << 3 << true;
    QTest::newRow("filled, past last") << 3 << 4 << false;
}

void TestRecipeList::currentRecipeKeepsItsRange()
{
    QFETCH(int, count);
    QFETCH(int, current);
    QFETCH(bool, allowed);
    RecipeList list = listOfNamed(count);
    if (count == 0)
        list.sizeForLoading(0, 0);
    const Int16 before = list.CurrentRecipe();
    const int error = errorNumberOf([&] { list.setCurrentRecipe(current); });
    QCOMPARE(error, allowed ? 0 : int(RuntimeError::SubscriptOutOfRange));
    QCOMPARE(list.CurrentRecipe().value(), allowed ? current : before.value());
    QVERIFY(list.invariantsHold());
}

void TestRecipeList::sizeForLoadingDiscardsPreviousRecipes()
{
    RecipeList list = listOfNamed(5);
    list.sizeForLoading(2, 2);
    QCOMPARE(list.RecipeCount(), Int16(2));
    QCOMPARE(list.CurrentRecipe(), Int16(2));
    QCOMPARE(list.slotCount(), 3);
    QCOMPARE(list.Recipes(1), Recipe());
    QCOMPARE(list.Recipes(2), Recipe());

    QCOMPARE(errorNumberOf([&] { list.sizeForLoading(-1, 0); }), int(RuntimeError::SubscriptOutOfRange));
    QCOMPARE(list.RecipeCount(), Int16(2));
}

void TestRecipeList::errorsCarryNumberAndPlatformDescription_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("description");
    QTest::newRow("overflow") << 6 << "Overflow";
    QTest::newRow("subscript") << 9 << "Subscript out of range";
    QTest::newRow("file not found") << 53 << "File not found";
    QTest::newRow("past end of file") << 62 << "Input past end of file";
}

void TestRecipeList::errorsCarryNumberAndPlatformDescription()
{
    QFETCH(int, number);
    QFETCH(QString, description);
    const RuntimeError error(number);
    QCOMPARE(error.number(), number);
    QCOMPARE(error.description(), description);
    const RuntimeError again = error.withSource(QStringLiteral("Caller"));
    QCOMPARE(again.number(), number);
    QCOMPARE(again.description(), description);
    QCOMPARE(again.source(), QStringLiteral("Caller"));
}

QTEST_APPLESS_MAIN(TestRecipeList)
#include "tst_recipelist.moc"
