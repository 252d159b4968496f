#include "ListPrint.h"
#include "LogicFixture.h"
#include "PrintProgress.h"
#include "RecipePrint.h"
#include "RuntimeError.h"

#include <QtTest>

namespace {

// What a printer holding 12 points is asked for a recipe "Soup" with these lines in its boxes.
QStringList single(const QStringList &ingredients, const QStringList &directions, const QString &name = "Soup")
{
    QStringList ops = {"line(12) ", "fontSize 10", "line(10) Recipe Name: " + name, "line(10) Prep Time: 10 min",
                       "line(10) Cook Time: ", "line(10) Servings: 4", "line(10) Ingredients: ", "line(10) "};
    for (const QString &line : ingredients)
        ops << "line(10) " + line;
    ops << "line(10) " << "line(10) Directions: " << "line(10) ";
    for (const QString &line : directions)
        ops << "line(10) " + line;
    return ops << "endDoc";
}

void printSingle(RecordingPrinter &printer, const QString &ingredients, const QString &directions, int width = 0)
{
    FakeTextBox ingredientsBox(ingredients, width);
    FakeTextBox directionsBox(directions, width);
    RecipePrint::PrintSingleRecipe(printer, "Soup", "10 min", "", "4", ingredientsBox, directionsBox);
}

// The RuntimeError that `body` raises; number 0 for none.
template<typename Body>
RuntimeError raised(Body body)
{
    try {
        body();
    } catch (const RuntimeError &error) {
        return error;
    }
    return RuntimeError(0, QStringLiteral("none"));
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
        QTest::addColumn<int>("width");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("a line per line of each box")
            << "Water\r\nSalt" << "Boil.\r\nServe hot." << 0 << single({"Water", "Salt"}, {"Boil.", "Serve hot."});
        QTest::newRow("empty boxes print one empty line each") << "" << "" << 0 << single({""}, {""});
        QTest::newRow("empty lines and a final line break")
            << "Leaves\r\n" << "a\r\n\r\nbc\r\n" << 0 << single({"Leaves", ""}, {"a", "", "bc", ""});
        QTest::newRow("lines as the box wraps them")
            << "1 onion" << "Chop the onions\r\nServe" << 6 << single({"1 onio", "n"}, {"Chop t", "he oni", "ons", "Serve"});
    }
    void singleRecipePrintsTheBoxesLineByLine()
    {
        QFETCH(QString, ingredients);
        QFETCH(QString, directions);
        QFETCH(int, width);
        QFETCH(QStringList, expected);
        RecordingPrinter printer;
        printSingle(printer, ingredients, directions, width);
        QCOMPARE(printer.operations, expected);
    }

    void printThisRecipePrintsTheBoxesAsTypedAndStoresNothing()
    {
        LogicFixture w(numbered(2, 1));
        w.view.texts[MainView::txtName] = QStringLiteral("Soup");
        w.view.texts[MainView::txtPrep] = QStringLiteral("10 min");
        w.view.texts[MainView::txtServe] = QStringLiteral("4");
        w.logic.cmdPrintSingle_Click();
        QCOMPARE(w.view.recorder.operations, single({""}, {"Step 1", "Rest"}));
        QCOMPARE(w.list.Recipes(1).Name, QStringLiteral("Recipe 1"));
    }

    void failureAbortsTheDocumentAndNamesTheProcedure_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::addColumn<bool>("abortFails");
        QTest::addColumn<QStringList>("tail");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("source");
        QTest::newRow("in the directions: aborted by both procedures")
            << "line(10) Serve hot." << false << QStringList{"line(10) Boil.", "killDoc", "killDoc"} << 482 << "PrintSingleRecipe";
        QTest::newRow("at the end of the document")
            << "endDoc" << false << QStringList{"line(10) Serve hot.", "killDoc"} << 482 << "PrintSingleRecipe";
        QTest::newRow("a failed abort in the directions takes the first error's place")
            << "line(10) Serve hot." << true << QStringList{"line(10) Boil.", "killDoc"} << 57 << "PrintSingleRecipe";
        QTest::newRow("a failed abort in the recipe's own handler goes on as it is")
            << "line(10) Recipe Name: Soup" << true << QStringList{"line(12) ", "fontSize 10"} << 57 << "Printer";
    }
    void failureAbortsTheDocumentAndNamesTheProcedure()
    {
        QFETCH(QString, failing);
        QFETCH(bool, abortFails);
        QFETCH(QStringList, tail);
        QFETCH(int, number);
        QFETCH(QString, source);
        RecordingPrinter printer;
        printer.fail = [&](const QString &operation) {
            if (operation == failing)
                throw RuntimeError(482, QStringLiteral("Printer error: paper jam"), QStringLiteral("Printer"));
            if (operation == "killDoc" && std::exchange(abortFails, false))
                throw RuntimeError(57, QStringLiteral("Device I/O error"), QStringLiteral("Printer"));
        };
        const RuntimeError error = raised([&] { printSingle(printer, "Water\r\nSalt", "Boil.\r\nServe hot."); });
        QCOMPARE(QStringLiteral("%1 %2 %3").arg(error.number()).arg(error.description(), error.source()),
                 QStringLiteral("%1 %2 %3").arg(number).arg(number == 482 ? "Printer error: paper jam" : "Device I/O error", source));
        QCOMPARE(printer.operations.mid(printer.operations.size() - tail.size()), tail);
        QVERIFY(!printer.operations.contains("endDoc"));
    }

    void linesAndIndexesAreSixteenBit_data()
    {
        QTest::addColumn<QString>("ingredients");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("linesPrinted");
        QTest::addColumn<bool>("overflows");
        QTest::newRow("a line beginning at index 33,000 overflows") << (QString(998, u'x') + "\r\n").repeated(40) << 0 << 33 << true;
        QTest::newRow("a line beginning at index 32,767 prints") << QString(32765, u'x') + "\r\nx" << 0 << 2 << false;
        QTest::newRow("32,768 lines all print") << QString(32768, u'x') << 1 << 32768 << false;
        QTest::newRow("32,769 lines overflow before the first") << QString(32769, u'x') << 1 << 0 << true;
    }
    void linesAndIndexesAreSixteenBit()
    {
        QFETCH(QString, ingredients);
        QFETCH(int, width);
        QFETCH(int, linesPrinted);
        QFETCH(bool, overflows);
        RecordingPrinter printer;
        const RuntimeError error = raised([&] { printSingle(printer, ingredients, "Boil.", width); });
        QCOMPARE(error.number(), overflows ? int(RuntimeError::Overflow) : 0);
        QCOMPARE(error.source(), overflows ? "PrintSingleRecipe" : "");
        QCOMPARE(printer.operations.filter("line(10) x").size(), linesPrinted);
        QCOMPARE(printer.operations.last(), overflows ? "killDoc" : "endDoc");
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
        w.view.texts[MainView::txtName] = QStringLiteral("Typed");
        w.view.texts[MainView::txtDirections] = QString();
        w.logic.mnuFilePrint_Click();
        QCOMPARE(w.view.recorder.operations, expected);
    }

    void printAllOfTheLargestListEndsAfterItsLastRecipe()
    {
        RecordingPrinter printer;
        ListPrint::PrintAllRecipes(numbered(32767), printer);
        QCOMPARE(printer.operations.size(), 3 + 32767 * 8 + 1);
        QCOMPARE(printer.operations.at(printer.operations.size() - 7), "line(10) Recipe Name: Recipe 32767");
    }

    void failedOrCancelledPrintAllIsDiscarded_data()
    {
        QTest::addColumn<int>("failure"); // 0: cancelled after two recipes; 1: fails; 2: fails and so does the abort
        QTest::addColumn<QString>("last");
        QTest::newRow("cancelled after the second recipe") << 0 << "killDoc";
        QTest::newRow("failed: aborted before the error goes on") << 1 << "killDoc";
        QTest::newRow("failed abort: the first error goes on") << 2 << "fontSize 10";
    }
    void failedOrCancelledPrintAllIsDiscarded()
    {
        QFETCH(int, failure);
        QFETCH(QString, last);
        LogicFixture w(numbered(5, 1));
        w.view.recorder.fail = [&](const QString &operation) {
            if (failure && operation == "line(10) Recipe Name: Recipe 2")
                throw RuntimeError(482, QStringLiteral("Printer error: paper jam"));
            if (failure == 2 && operation == "killDoc")
                throw RuntimeError(RuntimeError::DeviceIOError);
        };
        StopAfterTwo progress;
        const RuntimeError error = raised([&] { w.logic.mnuFilePrint_Click(&progress); });
        QCOMPARE(error.description(), failure ? "Printer error: paper jam" : "none");
        QCOMPARE(progress.told.join(u','), failure ? "1 of 5" : "1 of 5,2 of 5");
        QCOMPARE(w.view.recorder.operations.last(), last);
        QVERIFY(!w.view.recorder.operations.contains("endDoc"));
    }
};

QTEST_GUILESS_MAIN(TestPrinting)
#include "tst_printing.moc"
