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

// The logic with a stand-alone view over a list of recipes with the given names, the first shown.
struct Window
{
    explicit Window(const QStringList &names)
        : file(list, dir.path(), [](const QString &m) { MessageBox::message(nullptr, m); })
        , logic(list, file, view)
    {
        for (const QString &name : names) {
            list.appendEmpty();
            list.Recipes(list.RecipeCount()) = {name, "5 min", "", "", name + " base\r\nSalt", "Cook " + name + "."};
        }
        list.setCurrentRecipe(1);
        logic.ShowCurrentRecipe();
    }

    QTemporaryDir dir;
    RecipeList list;
    RecipeFile file;
    FakeMainView view;
    MainLogic logic;
};

// Asks to stop after the second recipe and writes down what it was told.
struct StopAfterTwo : PrintProgress
{
    bool cancelled(int printed, int total) override
    {
        told << QStringLiteral("%1 of %2").arg(printed).arg(total);
        return printed >= 2;
    }
    QStringList told;
};

} // namespace

class TestPrintAll : public QObject
{
    Q_OBJECT

private slots:
    void document_data();
    void document();
    void largestListEndsAfterItsLastRecipe();
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
    QTest::newRow("each recipe behind an empty line, empty fields keep their labels")
        << QList<Recipe>{{"Soup", "10 min", "20 min", "4", "Water\r\nSalt", "Boil.\r\nServe hot."},
                         {"", "", "", "", "", ""}}
        << QStringList{"scaleLeft -720", "scaleTop 0", "line(12) Recipes",
                       "line(12) ", "fontSize 10", "line(10) Recipe Name: Soup", "line(10) Prep Time: 10 min",
                       "line(10) Cook Time: 20 min", "line(10) Servings: 4", "line(10) Ingredients: Water\r\nSalt",
                       "line(10) Directions: Boil.\r\nServe hot.",
                       "line(10) ", "fontSize 10", "line(10) Recipe Name: ", "line(10) Prep Time: ",
                       "line(10) Cook Time: ", "line(10) Servings: ", "line(10) Ingredients: ", "line(10) Directions: ",
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
    QCOMPARE(printer.operations.filter("Recipe Name: ").last(), "line(10) Recipe Name: 32767");
    QCOMPARE(printer.operations.last(), "endDoc");
}

void TestPrintAll::failedCommandAbortsTheDocument_data()
{
    QTest::addColumn<bool>("abortFails");
    QTest::newRow("aborted before the error goes on") << false;
    QTest::newRow("failed abort: the first error goes on") << true;
}

void TestPrintAll::failedCommandAbortsTheDocument()
{
    QFETCH(bool, abortFails);

    Window w({"Soup", "Tea"});
    const RuntimeError paperJam(482, QStringLiteral("Printer error: paper jam"));
    w.view.recorder.beforeOperation = [&](const QString &operation) {
        if (operation == "line(10) Recipe Name: Tea")
            throw paperJam;
        if (operation == "killDoc" && abortFails)
            throw RuntimeError(RuntimeError::DeviceIOError);
    };
    QString reported;
    try {
        w.logic.mnuFilePrint_Click();
    } catch (const RuntimeError &error) {
        reported = error.description();
    }
    QCOMPARE(reported, paperJam.description());
    const QStringList &ops = w.view.recorder.operations;
    QCOMPARE(ops.last(), abortFails ? "fontSize 10" : "killDoc");
    QVERIFY(!ops.contains("endDoc"));
}

void TestPrintAll::cancelDiscardsTheDocument()
{
    Window w({"Soup", "Tea", "Toast", "Jam", "Eggs"});
    StopAfterTwo progress;
    w.logic.mnuFilePrint_Click(&progress);
    QCOMPARE(progress.told, QStringList({"1 of 5", "2 of 5"}));
    const QStringList &ops = w.view.recorder.operations;
    QCOMPARE(ops.mid(ops.size() - 2), QStringList({"line(10) Directions: Cook Tea.", "killDoc"}));
    QVERIFY(!ops.contains("endDoc"));
}

QTEST_GUILESS_MAIN(TestPrintAll)
#include "tst_printall.moc"
