#include "ListPrint.h"
#include "LogicFixture.h"
#include "PrintProgress.h"
#include "RecipePrint.h"
#include "RuntimeError.h"

#include <QtTest>

namespace {

// What a printer holding 12 points is asked for the recipe "Soup" with these lines in its boxes.
QStringList single(const QStringList &ingredients, const QStringList &directions)
{
    QStringList ops = {"line(12) ", "fontSize 10", "line(10) Recipe Name: Soup", "line(10) Prep Time: 10 min",
                       "line(10) Cook Time: ", "line(10) Servings: 4", "line(10) Ingredients: ", "line(10) "};
    for (const QString &line : ingredients)
        ops << "line(10) " + line;
    ops << "line(10) " << "line(10) Directions: " << "line(10) ";
    for (const QString &line : directions)
        ops << "line(10) " + line;
    return ops << "endDoc";
}

// The error that `body` raises as "number description (source)", or "none".
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
    bool cancelled(int printed, int total) override
    {
        told << QStringLiteral("%1 of %2").arg(printed).arg(total);
        return printed >= 2;
    }
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
        QTest::newRow("a line beginning at index 32,767 prints") << QString(32765, u'x') + "\r\nx" << "" << 0
                                                                << single({QString(32765, u'x'), "x"}, {""});
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

    void printThisRecipePrintsTheBoxesAsTypedAndStoresNothing()
    {
        LogicFixture w(numbered(2, 1));
        w.view.texts[MainView::txtName] = "Soup";
        w.view.texts[MainView::txtPrep] = "10 min";
        w.view.texts[MainView::txtServe] = "4";
        w.logic.cmdPrintSingle_Click();
        QCOMPARE(w.view.recorder.operations, single({""}, {"Step 1", "Rest"}));
        QCOMPARE(w.list.Recipes(1).Name, "Recipe 1");
    }

    void failureAbortsTheDocumentAndSaysWhere_data()
    {
        QTest::addColumn<QString>("ingredients");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("failing");     // the operation that fails
        QTest::addColumn<bool>("abortFails");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QStringList>("tail");    // the last operations
        const QString jam = "482 Printer error: paper jam (PrintSingleRecipe)";
        QTest::newRow("in a box: aborted by both procedures") << "Water\r\nSalt" << 0 << "line(10) Salt" << false << jam
                                                              << QStringList{"line(10) Water", "killDoc", "killDoc"};
        QTest::newRow("at the end of the document") << "Water" << 0 << "endDoc" << false << jam << QStringList{"line(10) x", "killDoc"};
        QTest::newRow("a failed abort in a box takes the first error's place") << "Water\r\nSalt" << 0 << "line(10) Salt" << true
            << "57 Device I/O error (PrintSingleRecipe)" << QStringList{"line(10) Water", "killDoc"};
        QTest::newRow("a failed abort of the recipe itself goes on as it is") << "Water" << 0 << "line(10) Recipe Name: Soup" << true
            << "57 Device I/O error (Printer)" << QStringList{"line(12) ", "fontSize 10"};
        QTest::newRow("a line beginning past index 32,767 overflows") << (QString(998, u'x') + "\r\n").repeated(40) << 0 << "" << false
            << "6 Overflow (PrintSingleRecipe)" << QStringList{"line(10) " + QString(998, u'x'), "killDoc", "killDoc"};
        QTest::newRow("32,768 lines print, 32,769 overflow before the first") << QString(32769, u'x') << 1 << "" << false
            << "6 Overflow (PrintSingleRecipe)" << QStringList{"line(10) ", "killDoc", "killDoc"};
    }
    void failureAbortsTheDocumentAndSaysWhere()
    {
        QFETCH(QString, ingredients);
        QFETCH(int, width);
        QFETCH(QString, failing);
        QFETCH(bool, abortFails);
        QFETCH(QString, error);
        QFETCH(QStringList, tail);
        RecordingPrinter printer;
        printer.fail = [&](const QString &operation) {
            if (operation == failing)
                throw RuntimeError(482, "Printer error: paper jam", "Printer");
            if (operation == "killDoc" && std::exchange(abortFails, false))
                throw RuntimeError(57, "Device I/O error", "Printer");
        };
        FakeTextBox ingredientsBox(ingredients, width), directionsBox("x", width), fullBox(QString(32768, u'x'), 1);
        QCOMPARE(raised([&] { RecipePrint::PrintSingleRecipe(printer, "Soup", "", "", "", ingredientsBox, directionsBox); }), error);
        QCOMPARE(printer.operations.mid(printer.operations.size() - tail.size()), tail);
        QVERIFY(!printer.operations.contains("endDoc"));
        RecordingPrinter full;
        RecipePrint::PrintMultiLineText(full, fullBox);
        QCOMPARE(full.operations.size(), 32768);
    }

    void printAllStoresTheBoxesThenPrintsEveryRecipe_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("no recipes: the heading alone") << 0 << QStringList{"scaleLeft -720", "scaleTop 0", "line(12) Recipes", "endDoc"};
        QStringList two = {"scaleLeft -720", "scaleTop 0", "line(12) Recipes"};
        for (const QString name : {"Typed", "Recipe 2"})
            two << (name == "Typed" ? "line(12) " : "line(10) ") << "fontSize 10" << "line(10) Recipe Name: " + name
                << "line(10) Prep Time: " << "line(10) Cook Time: " << "line(10) Servings: " << "line(10) Ingredients: "
                << "line(10) Directions: " + QString(name == "Typed" ? "" : "Step 2\r\nRest");
        QTest::newRow("each recipe behind an empty line; empty fields keep their labels") << 2 << (two << "endDoc");
    }
    void printAllStoresTheBoxesThenPrintsEveryRecipe()
    {
        QFETCH(int, count);
        QFETCH(QStringList, expected);
        LogicFixture w(numbered(count, 1));
        w.view.texts[MainView::txtName] = "Typed";
        w.view.texts[MainView::txtDirections] = QString();
        w.logic.mnuFilePrint_Click();
        QCOMPARE(w.view.recorder.operations, expected);
        RecordingPrinter all; // the largest list ends after its last recipe
        ListPrint::PrintAllRecipes(numbered(32767), all);
        QVERIFY(all.operations.size() == 3 + 32767 * 8 + 1 && all.operations.at(all.operations.size() - 7).endsWith(" 32767"));
    }

    void failedOrCancelledPrintAllIsDiscarded_data()
    {
        QTest::addColumn<int>("failure"); // 0: cancelled after two recipes; 1: fails; 2: the abort fails too
        QTest::addColumn<QString>("outcome");
        QTest::newRow("cancelled after the second recipe") << 0 << "none 1 of 5,2 of 5 killDoc";
        QTest::newRow("failed: aborted before the error goes on") << 1 << "482 Printer error: paper jam () 1 of 5 killDoc";
        QTest::newRow("failed abort: the first error goes on") << 2 << "482 Printer error: paper jam () 1 of 5 fontSize 10";
    }
    void failedOrCancelledPrintAllIsDiscarded()
    {
        QFETCH(int, failure);
        QFETCH(QString, outcome);
        LogicFixture w(numbered(5, 1));
        w.view.recorder.fail = [&](const QString &operation) {
            if (failure && operation == "line(10) Recipe Name: Recipe 2")
                throw RuntimeError(482, "Printer error: paper jam");
            if (failure == 2 && operation == "killDoc")
                throw RuntimeError(RuntimeError::DeviceIOError);
        };
        StopAfterTwo progress;
        const QString error = raised([&] { w.logic.mnuFilePrint_Click(&progress); });
        QCOMPARE(error + " " + progress.told.join(u',') + " " + w.view.recorder.operations.last(), outcome);
        QVERIFY(!w.view.recorder.operations.contains("endDoc"));
    }
};

QTEST_GUILESS_MAIN(TestPrinting)
#include "tst_printing.moc"
