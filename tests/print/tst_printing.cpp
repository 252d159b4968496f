#include "ListPrint.h"
#include "PrintProgress.h"
#include "RecipePrint.h"
#include "RuntimeError.h"
#include "Testing.h"

namespace {

// What a printer holding 12 points is asked for the recipe "Soup" with these lines in its boxes.
QStringList single(const QStringList &ingredients, const QStringList &directions)
{
    return QStringList{"line(12) ", "fontSize 10", "line(10) Recipe Name: Soup", "line(10) Prep Time: 10 min", "line(10) Cook Time: ",
                       "line(10) Servings: 4", "line(10) Ingredients: ", "line(10) "}
        + QStringList(ingredients).replaceInStrings(QRegularExpression("^"), "line(10) ")
        + QStringList{"line(10) ", "line(10) Directions: ", "line(10) "}
        + QStringList(directions).replaceInStrings(QRegularExpression("^"), "line(10) ") + QStringList{"endDoc"};
}

// The error `body` raises as "number description (source)", "none" for none.
template<typename Body>
QString raised(Body body)
{
    try {
        body();
    } catch (const RuntimeError &error) {
        return QStringLiteral("%1 %2 (%3)").arg(error.number()).arg(error.description(), error.source());
    }
    return "none";
}

// Asks to stop after the second recipe and notes what it was told.
struct StopAfterTwo : PrintProgress
{
    bool cancelled(int printed, int total) override { return told << QStringLiteral("%1 of %2").arg(printed).arg(total), printed >= 2; }
    QStringList told;
};

} // namespace

class TestPrinting : public QObject
{
    Q_OBJECT

private slots:
    void singleRecipePrintsTheBoxesLineByLine_data()
    {
        QTest::addColumn<QString>("ingredients");
        QTest::addColumn<QString>("directions");
        QTest::addColumn<int>("width"); // where the boxes wrap, 0 for nowhere
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("a line per line of each box") << "Water\r\nSalt" << "Boil." << 0 << single({"Water", "Salt"}, {"Boil."});
        QTest::newRow("empty boxes print an empty line each") << "" << "" << 0 << single({""}, {""});
        QTest::newRow("empty lines and a final line break") << "Leaves\r\n" << "a\r\n\r\nbc\r\n" << 0 << single({"Leaves", ""}, {"a", "", "bc", ""});
        QTest::newRow("lines as the box wraps them") << "1 onion" << "Chop the onions\r\nServe" << 6
                                                    << single({"1 onio", "n"}, {"Chop t", "he oni", "ons", "Serve"});
        QTest::newRow("a line beginning at index 32,767") << QString(32765, u'x') + "\r\nx" << "" << 0 << single({QString(32765, u'x'), "x"}, {""});
    }
    void singleRecipePrintsTheBoxesLineByLine()
    {
        QFETCH(QString, ingredients);
        QFETCH(QString, directions);
        QFETCH(int, width);
        QFETCH(QStringList, expected);
        RecordingPrinter printer;
        FakeTextBox ingredientsBox(ingredients, width), directionsBox(directions, width);
        RecipePrint::PrintSingleRecipe(printer, "Soup", "10 min", "", "4", ingredientsBox, directionsBox);
        QCOMPARE(printer.operations, expected);
    }

    void failureAbortsTheDocumentAndSaysWhere_data()
    {
        QTest::addColumn<QString>("ingredients");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("failing"); // the operation that fails, "abort" when aborting fails too
        QTest::addColumn<QString>("outcome"); // the error, then the last operations
        const QString jam = "482 Printer error: paper jam (PrintSingleRecipe) | ";
        QTest::newRow("in a box: aborted by both procedures") << "Water\r\nSalt" << 0 << "line(10) Salt" << jam + "line(10) Water|killDoc|killDoc";
        QTest::newRow("at the end of the document") << "Water" << 0 << "endDoc" << jam + "line(10) Water|line(10) |line(10) Directions: |line(10) |line(10) x|killDoc";
        QTest::newRow("a failed abort in a box takes the first error's place") << "Water\r\nSalt" << 0 << "line(10) Salt abort"
            << "57 Device I/O error (PrintSingleRecipe) | line(10) Water|killDoc";
        QTest::newRow("a failed abort of the recipe itself goes on as it is") << "Water" << 0 << "line(10) Recipe Name: Soup abort"
            << "57 Device I/O error (Printer) | line(12) |fontSize 10";
        QTest::newRow("a line beginning past index 32,767 overflows") << (QString(998, u'x') + "\r\n").repeated(40) << 0 << ""
            << "6 Overflow (PrintSingleRecipe) | line(10) " + QString(998, u'x') + "|killDoc|killDoc";
        QTest::newRow("32,768 lines print, 32,769 overflow before the first") << QString(32769, u'x') << 1 << ""
            << "6 Overflow (PrintSingleRecipe) | line(10) Ingredients: |line(10) |killDoc|killDoc";
    }
    void failureAbortsTheDocumentAndSaysWhere()
    {
        QFETCH(QString, ingredients);
        QFETCH(int, width);
        QFETCH(QString, failing);
        QFETCH(QString, outcome);
        RecordingPrinter printer;
        bool abortFails = failing.endsWith(" abort");
        printer.fail = [&](const QString &operation) {
            if (operation == failing.section(" abort", 0, 0))
                throw RuntimeError(482, "Printer error: paper jam", "Printer");
            if (operation == "killDoc" && std::exchange(abortFails, false))
                throw RuntimeError(57, "Device I/O error", "Printer");
        };
        FakeTextBox ingredientsBox(ingredients, width), directionsBox("x"), fullBox(QString(32768, u'x'), 1);
        const QString error = raised([&] { RecipePrint::PrintSingleRecipe(printer, "Soup", "", "", "", ingredientsBox, directionsBox); });
        const int tail = outcome.section(" | ", 1).count(u'|') + 1;
        QCOMPARE(error + " | " + printer.operations.mid(printer.operations.size() - tail).join(u'|'), outcome);
        RecordingPrinter full;
        RecipePrint::PrintMultiLineText(full, fullBox);
        QCOMPARE(full.operations.size(), 32768);
    }

    void printAllStoresTheBoxesThenPrintsEveryRecipeOrNone_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("failure"); // 0: none; 1: the second recipe fails; 2: its abort too; 3: cancelled after two
        QTest::addColumn<QString>("outcome"); // the error, what the progress was told, the operations
        const QString recipe = "line(%1) ,fontSize 10,line(10) Recipe Name: %2,line(10) Prep Time: ,line(10) Cook Time: ,"
                               "line(10) Servings: ,line(10) Ingredients: ,line(10) Directions: %3";
        QTest::newRow("no recipes: the heading alone") << 0 << 0 << "none |  | scaleLeft -720,scaleTop 0,line(12) Recipes,endDoc";
        QTest::newRow("each recipe behind an empty line; empty fields keep their labels") << 2 << 0
            << "none |  | scaleLeft -720,scaleTop 0,line(12) Recipes," + recipe.arg("12", "Typed", "") + ","
                   + recipe.arg("10", "Recipe 2", "Step 2\r\nRest") + ",endDoc";
        QTest::newRow("a failure: aborted before the error goes on") << 5 << 1 << "482 Printer error: paper jam () |  | killDoc";
        QTest::newRow("a failed abort: the first error goes on") << 5 << 2 << "482 Printer error: paper jam () |  | fontSize 10";
        QTest::newRow("cancelled after the second recipe") << 5 << 3 << "none | 1 of 5,2 of 5 | killDoc";
    }
    void printAllStoresTheBoxesThenPrintsEveryRecipeOrNone()
    {
        QFETCH(int, count);
        QFETCH(int, failure);
        QFETCH(QString, outcome);
        LogicFixture w(numbered(count, 1));
        w.view.texts[MainView::txtName] = "Typed";
        w.view.texts[MainView::txtDirections] = "";
        w.view.recorder.fail = [&](const QString &operation) {
            if ((failure == 1 || failure == 2) && operation == "line(10) Recipe Name: Recipe 2")
                throw RuntimeError(482, "Printer error: paper jam");
            if (failure == 2 && operation == "killDoc")
                throw RuntimeError(RuntimeError::DeviceIOError);
        };
        StopAfterTwo progress;
        const QString error = raised([&] { w.logic.mnuFilePrint_Click(failure == 3 ? &progress : nullptr); });
        const QStringList &ops = w.view.recorder.operations;
        QCOMPARE(error + " | " + progress.told.join(u',') + " | " + (failure ? ops.last() : ops.join(u',')), outcome);
        RecordingPrinter all; // the largest list ends after its last recipe
        ListPrint::PrintAllRecipes(numbered(32767), all);
        QVERIFY(all.operations.size() == 3 + 32767 * 8 + 1 && all.operations.at(all.operations.size() - 7).endsWith(" 32767"));
    }
};

QTEST_GUILESS_MAIN(TestPrinting)
#include "tst_printing.moc"
