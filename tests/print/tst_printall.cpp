#include "FakeMainView.h"
#include "ListPrint.h"
#include "MainLogic.h"
#include "MessageBox.h"
#include "PrintProgress.h"
#include "RecipeFile.h"
#include "RecipeList.h"
#include "RecordingPrinter.h"
#include "RuntimeError.h"

#include <QtTest>

namespace {

const RuntimeError PaperJam(482, QStringLiteral("Printer error: paper jam"), QStringLiteral("Printer"));

// The logic with a stand-alone view over a list of recipes with the given names.
class Window
{
public:
    explicit Window(const QStringList &names, int current = 1)
        : file(list, dir.path(), [](const QString &m) { MessageBox::message(nullptr, m); })
        , logic(list, file, view)
    {
        for (const QString &name : names) {
            list.appendEmpty();
            Recipe &recipe = list.Recipes(list.RecipeCount());
            recipe.Name = name;
            recipe.PrepTime = QStringLiteral("5 min");
            recipe.Ingredients = name + QStringLiteral(" base\r\nSalt");
            recipe.Directions = QStringLiteral("Cook ") + name + u'.';
        }
        list.setCurrentRecipe(names.isEmpty() ? 0 : current);
        logic.ShowCurrentRecipe();
    }

    QTemporaryDir dir;
    RecipeList list;
    RecipeFile file;
    FakeMainView view;
    MainLogic logic;
};

// Stops the print after the given recipe and remembers what it was told.
class StopAfter : public PrintProgress
{
public:
    explicit StopAfter(int recipe)
        : m_recipe(recipe)
    {
    }
    bool cancelled(int printed, int total) override
    {
        told << QStringLiteral("%1 of %2").arg(printed).arg(total);
        return printed >= m_recipe;
    }
    QStringList told;

private:
    int m_recipe;
};

} // namespace

class TestPrintAll : public QObject
{
    Q_OBJECT

private slots:
    void document_data();
    void document();
    void recipesPrintInListOrderWithEditsStoredFirst();
    void largestListEndsAfterItsLastRecipe();
    void failureLeavesTheProcedureWithTheDocumentOpen();
    void failedCommandAbortsTheDocument_data();
    void failedCommandAbortsTheDocument();
    void cancelDiscardsTheDocument();
};

void TestPrintAll::document_data()
{
    QTest::addColumn<QList<Recipe>>("recipes");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("no recipes: the heading alone")
        << QList<Recipe>{} << QStringList{"scaleLeft -720", "scaleTop 0", "line(12) Recipes", "endDoc"};
    QTest::newRow("one recipe")
        << QList<Recipe>{{"Soup", "10 min", "20 min", "4", "Water\r\nSalt\r\nPepper", "Boil.\r\nServe hot."}}
        << QStringList{"scaleLeft -720",
                       "scaleTop 0",
                       "line(12) Recipes",
                       "line(12) ",
                       "fontSize 10",
                       "line(10) Recipe Name: Soup",
                       "line(10) Prep Time: 10 min",
                       "line(10) Cook Time: 20 min",
                       "line(10) Servings: 4",
                       "line(10) Ingredients: Water\r\nSalt\r\nPepper",
                       "line(10) Directions: Boil.\r\nServe hot.",
                       "endDoc"};
    QTest::newRow("two recipes, empty fields keep their labels")
        << QList<Recipe>{{"Tea", "", "", "", "", ""}, {"", "1 min", "", "2", "Bread\r\n", ""}}
        << QStringList{"scaleLeft -720",
                       "scaleTop 0",
                       "line(12) Recipes",
                       "line(12) ",
                       "fontSize 10",
                       "line(10) Recipe Name: Tea",
                       "line(10) Prep Time: ",
                       "line(10) Cook Time: ",
                       "line(10) Servings: ",
                       "line(10) Ingredients: ",
                       "line(10) Directions: ",
                       "line(10) ",
                       "fontSize 10",
                       "line(10) Recipe Name: ",
                       "line(10) Prep Time: 1 min",
                       "line(10) Cook Time: ",
                       "line(10) Servings: 2",
                       "line(10) Ingredients: Bread\r\n",
                       "line(10) Directions: ",
                       "endDoc"};
}

void TestPrintAll::document()
{
    QFETCH(QList<Recipe>, recipes);
    QFETCH(QStringList, expected);

    RecipeList list;
    for (const Recipe &recipe : recipes) {
        list.appendEmpty();
        list.Recipes(list.RecipeCount()) = recipe;
    }
    RecordingPrinter printer;
    ListPrint::PrintAllRecipes(list, printer);
    QCOMPARE(printer.operations, expected);
}

void TestPrintAll::recipesPrintInListOrderWithEditsStoredFirst()
{
    Window w({"Soup", "Tea", "Toast"}, 2);
    w.view.texts[MainView::txtName] = "Green tea";
    w.view.texts[MainView::txtDirections] = "Steep\r\ntwice.";
    w.logic.mnuFilePrint_Click();

    const QStringList lines = w.view.recorder.lines();
    QCOMPARE(lines.filter("Recipe Name: "),
             QStringList({"Recipe Name: Soup", "Recipe Name: Green tea", "Recipe Name: Toast"}));
    QVERIFY(lines.contains("Directions: Steep\r\ntwice."));
    QCOMPARE(w.list.Recipes(2).Name, QStringLiteral("Green tea"));
    QCOMPARE(w.list.CurrentRecipe(), Int16(2));
    QCOMPARE(w.view.counter, QStringLiteral("Record 2 of 3"));
    QCOMPARE(w.view.texts[MainView::txtName], QStringLiteral("Green tea"));
    QCOMPARE(w.view.recorder.operations.last(), QStringLiteral("endDoc"));
}

void TestPrintAll::largestListEndsAfterItsLastRecipe()
{
    RecipeList list;
    for (int i = 1; i <= 32767; ++i) {
        list.appendEmpty();
        list.Recipes(i).Name = QString::number(i);
    }
    RecordingPrinter printer;
    ListPrint::PrintAllRecipes(list, printer);
    QCOMPARE(printer.operations.size(), 3 + 32767 * 8 + 1);
    QCOMPARE(printer.operations.filter("Recipe Name: ").last(), QStringLiteral("line(10) Recipe Name: 32767"));
    QCOMPARE(printer.operations.last(), QStringLiteral("endDoc"));
}

void TestPrintAll::failureLeavesTheProcedureWithTheDocumentOpen()
{
    Window w({"Soup", "Tea"});
    RecordingPrinter printer;
    printer.beforeOperation = [](const QString &operation) {
        if (operation == "line(10) Recipe Name: Tea")
            throw PaperJam;
    };
    QVERIFY_THROWS_EXCEPTION(RuntimeError, ListPrint::PrintAllRecipes(w.list, printer));
    QCOMPARE(printer.operations.last(), QStringLiteral("fontSize 10"));
    QVERIFY(!printer.operations.contains("killDoc"));
    QVERIFY(!printer.operations.contains("endDoc"));
}

void TestPrintAll::failedCommandAbortsTheDocument_data()
{
    QTest::addColumn<QString>("failingOperation");
    QTest::addColumn<bool>("abortFails");
    QTest::newRow("failure in the second recipe") << "line(10) Recipe Name: Tea" << false;
    QTest::newRow("failure at the end") << "endDoc" << false;
    QTest::newRow("failed abort: the first error still reaches the user") << "line(10) Recipe Name: Tea" << true;
}

void TestPrintAll::failedCommandAbortsTheDocument()
{
    QFETCH(QString, failingOperation);
    QFETCH(bool, abortFails);

    Window w({"Soup", "Tea"});
    w.view.texts[MainView::txtPrep] = "8 min";
    w.view.recorder.beforeOperation = [&](const QString &operation) {
        if (operation == failingOperation)
            throw PaperJam;
        if (operation == "killDoc" && abortFails)
            throw RuntimeError(RuntimeError::DeviceIOError);
    };
    try {
        w.logic.mnuFilePrint_Click();
        QFAIL("the error did not reach the handler's caller");
    } catch (const RuntimeError &error) {
        QCOMPARE(error.number(), PaperJam.number());
        QCOMPARE(error.description(), PaperJam.description());
    }
    QCOMPARE(w.view.recorder.operations.last(), abortFails ? QStringLiteral("fontSize 10") : QStringLiteral("killDoc"));
    QVERIFY(!w.view.recorder.operations.contains("endDoc"));
    // Nothing else changed: the stored edit is the handler's only change.
    QCOMPARE(w.list.Recipes(1).PrepTime, QStringLiteral("8 min"));
    QCOMPARE(w.list.Recipes(2).Name, QStringLiteral("Tea"));
    QCOMPARE(w.view.texts[MainView::txtName], QStringLiteral("Soup"));
    QCOMPARE(w.view.counter, QStringLiteral("Record 1 of 2"));
}

void TestPrintAll::cancelDiscardsTheDocument()
{
    Window w({"Soup", "Tea", "Toast", "Jam", "Eggs"});
    StopAfter progress(2);
    w.logic.mnuFilePrint_Click(&progress);
    QCOMPARE(progress.told, QStringList({"1 of 5", "2 of 5"}));
    const QStringList &ops = w.view.recorder.operations;
    QCOMPARE(ops.last(), QStringLiteral("killDoc"));
    QCOMPARE(ops.at(ops.size() - 2), QStringLiteral("line(10) Directions: Cook Tea."));
    QVERIFY(!ops.contains("endDoc"));
}

QTEST_GUILESS_MAIN(TestPrintAll)
#include "tst_printall.moc"
