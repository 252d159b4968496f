#include "RecipeList.h"
#include "RecipeScan.h"
#include "TextFolding.h"

#include <QtTest>

namespace {

using Fields = QStringList;

RecipeList listOf(const QList<Fields> &recipes)
{
    RecipeList list;
    for (const Fields &fields : recipes) {
        list.appendEmpty();
        for (int f = 0; f < fields.size(); ++f)
            list.Recipes(list.RecipeCount()).field(f) = fields.at(f);
    }
    return list;
}

using Hit = std::optional<RecipeScan::Hit>;

} // namespace

Q_DECLARE_METATYPE(Hit)

class TestRecipeScan : public QObject
{
    Q_OBJECT

private slots:
    void matching_data();
    void matching();
    void scanOrder_data();
    void scanOrder();
    void startPastTheLargestIndexFindsNothing();
    void scanOverTheFullList();
};

void TestRecipeScan::matching_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("found");

    QTest::newRow("letter case is ignored") << "Add SALT and pepper" << "salt" << true;
    QTest::newRow("plural still holds the text") << "3 Eggs" << "egg" << true;
    QTest::newRow("accents in the field are ignored") << "Ragù alla bolognese" << "ragu" << true;
    QTest::newRow("accents in the text are ignored") << "Creme brulee" << "Crème Brûlée" << true;
    QTest::newRow("accents and case on both sides") << "CRÈME BRÛLÉE" << "creme brulee" << true;
    QTest::newRow("accented capital where the match starts") << "Two Éclairs" << "eclair" << true;
    QTest::newRow("Kelvin sign folds to k") << QString("Gra\u212Aauer") << "grakauer" << true;
    QTest::newRow("decomposed accents in the field") << QString("cre\u0300me") << "creme" << true;
    QTest::newRow("Greek tonos") << "Μουσακάς" << "μουσακας" << true;
    QTest::newRow("Cyrillic case") << "БОРЩ" << "борщ" << true;
    QTest::newRow("run must be unbroken") << "salt and pepper" << "saltpepper" << false;
    QTest::newRow("spaces are not trimmed") << "salt" << " salt" << false;
    QTest::newRow("no wildcards") << "salt" << "s*t" << false;
    QTest::newRow("wildcard characters match literally") << "50% *fat*" << "% *f" << true;
    QTest::newRow("empty field never matches") << "" << "a" << false;
    QTest::newRow("different letters stay different") << "oeufs" << "œufs" << false;
    QTest::newRow("sharp s is not ss") << "Straße" << "strasse" << false;
    QTest::newRow("Japanese voicing marks keep their meaning") << "かき" << "がき" << false;
    QTest::newRow("a text of accents alone still finds itself") << QString("e\u0301") << QString("\u0301") << true;
    QTest::newRow("single quote is literal") << "Grandma's pie" << "ma's" << true;
    QTest::newRow("text longer than the field") << "egg" << "eggs" << false;
    QTest::newRow("match at the very end") << "bake at 180" << "180" << true;
    QTest::newRow("partial match then a real one") << "sasalt" << "salt" << true;
}

void TestRecipeScan::matching()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(bool, found);

    const RecipeList list = listOf({Fields{"x", "", "", "", "", field}});
    const Hit hit = RecipeScan::find(list, 1, text);
    QCOMPARE(hit.has_value(), found);
    if (found)
        QCOMPARE(*hit, (RecipeScan::Hit{1, 5}));
}

void TestRecipeScan::scanOrder_data()
{
    const QList<Fields> recipes = {
        Fields{"Pie", "10", "20", "4", "apples", "bake the pie"},
        Fields{"Tart", "5", "pie time", "2", "", ""},
        Fields{"Cake", "", "", "", "", "like a PIE"},
    };
    QTest::addColumn<QList<Fields>>("recipes");
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Hit>("hit");

    QTest::newRow("the first field that matches wins") << recipes << 1 << "pie" << Hit(RecipeScan::Hit{1, 0});
    QTest::newRow("later recipes from the start index") << recipes << 2 << "pie" << Hit(RecipeScan::Hit{2, 2});
    QTest::newRow("directions are tested last") << recipes << 3 << "pie" << Hit(RecipeScan::Hit{3, 5});
    QTest::newRow("no wrap-around past the last recipe") << recipes << 2 << "apples" << Hit();
    QTest::newRow("start past the last recipe") << recipes << 4 << "pie" << Hit();
    QTest::newRow("servings are searched") << recipes << 1 << "2" << Hit(RecipeScan::Hit{1, 2});
    QTest::newRow("empty list") << QList<Fields>() << 1 << "pie" << Hit();
    QTest::newRow("empty text finds nothing") << recipes << 1 << "" << Hit();
}

void TestRecipeScan::scanOrder()
{
    QFETCH(QList<Fields>, recipes);
    QFETCH(int, start);
    QFETCH(QString, text);
    QFETCH(Hit, hit);
    QCOMPARE(RecipeScan::find(listOf(recipes), start, text), hit);
}

void TestRecipeScan::startPastTheLargestIndexFindsNothing()
{
    RecipeList list;
    for (int i = 0; i < 32767; ++i)
        list.appendEmpty();
    list.Recipes(32767).Name = QStringLiteral("needle");
    QCOMPARE(RecipeScan::find(list, 32767, QStringLiteral("needle")), Hit(RecipeScan::Hit{32767, 0}));
    QCOMPARE(RecipeScan::find(list, 32768, QStringLiteral("needle")), Hit());
}

void TestRecipeScan::scanOverTheFullList()
{
    RecipeList list;
    for (int i = 1; i <= 32767; ++i) {
        list.appendEmpty();
        list.Recipes(i).Directions = QStringLiteral("Stir, then simmer.");
    }
    QCOMPARE(RecipeScan::find(list, 1, QStringLiteral("nowhere")), Hit());
    QCOMPARE(TextFolding::folded(QStringLiteral("Ångström Œ")), QStringLiteral("angstrom œ"));
}

QTEST_APPLESS_MAIN(TestRecipeScan)
#include "tst_recipescan.moc"
