#include "FakeMainView.h"
#include "FakeTextBox.h"
#include "RecipePrint.h"
#include "MainLogic.h"
#include "MessageBox.h"
#include "RecipeFile.h"
#include "RecipeList.h"
#include "RecordingPrinter.h"
#include "RuntimeError.h"
#include "TextBoxLines.h"

#include <QtTest>

namespace {

const RuntimeError PaperJam(482, QStringLiteral("Printer error: paper jam"), QStringLiteral("Printer"));
const RuntimeError AbortFailed(57, QStringLiteral("Device I/O error"), QStringLiteral("Printer"));

// The document of one recipe as it must come out, everything after the first line at 10 points.
QStringList expectedDocument(const QStringList &fields, const QStringList &ingredients, const QStringList &directions,
                     const QString &firstSize = QStringLiteral("12"))
{
    QStringList ops = {QStringLiteral("line(%1) ").arg(firstSize), "fontSize 10",
                       "line(10) Recipe Name: " + fields[0], "line(10) Prep Time: " + fields[1],
                       "line(10) Cook Time: " + fields[2], "line(10) Servings: " + fields[3],
                       "line(10) Ingredients: ", "line(10) "};
    for (const QString &line : ingredients)
        ops << "line(10) " + line;
    ops << "line(10) " << "line(10) Directions: " << "line(10) ";
    for (const QString &line : directions)
        ops << "line(10) " + line;
    return ops << "endDoc";
}

void printRecipe(RecordingPrinter &printer, const QStringList &fields, const QString &ingredients,
                 const QString &directions, int width = 0)
{
    FakeTextBox ingredientsBox(ingredients, width);
    FakeTextBox directionsBox(directions, width);
    RecipePrint::PrintSingleRecipe(printer, fields[0], fields[1], fields[2], fields[3], ingredientsBox, directionsBox);
}

} // namespace

class TestPrintSingle : public QObject
{
    Q_OBJECT

private slots:
    void boxLineQueries_data();
    void boxLineQueries();
    void document_data();
    void document();
    void firstLineTakesTheSizeThePrinterHolds();
    void failureAbortsTheDocumentAndReachesTheCaller_data();
    void failureAbortsTheDocumentAndReachesTheCaller();
    void sixteenBitLimits_data();
    void sixteenBitLimits();
    void commandPrintsTheBoxesAsShownAndLeavesTheListAlone();
};

void TestPrintSingle::boxLineQueries_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QList<int>>("starts");
    QTest::addColumn<QList<int>>("lengthAtIndex"); // for every index 0 .. text length + 1

    QTest::newRow("empty box: one empty line") << "" << 0 << QList<int>{0} << QList<int>{0, 0};
    QTest::newRow("CR LF counts two characters") << "ab\r\ncd" << 0 << QList<int>{0, 4}
                                                 << QList<int>{2, 2, 2, 2, 2, 2, 2, 0};
    QTest::newRow("final line break opens an empty line") << "ab\r\n" << 0 << QList<int>{0, 4}
                                                          << QList<int>{2, 2, 2, 2, 0, 0};
    QTest::newRow("empty lines between breaks") << "a\r\n\r\nb" << 0 << QList<int>{0, 3, 5}
                                                << QList<int>{1, 1, 1, 0, 0, 1, 1, 0};
    QTest::newRow("break alone") << "\r\n" << 0 << QList<int>{0, 2} << QList<int>{0, 0, 0, 0};
    QTest::newRow("wrapped line keeps its space") << "ab cd" << 3 << QList<int>{0, 3}
                                                  << QList<int>{3, 3, 3, 2, 2, 2, 0};
}

void TestPrintSingle::boxLineQueries()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QList<int>, starts);
    QFETCH(QList<int>, lengthAtIndex);

    FakeTextBox box(text, width);
    QCOMPARE(box.text(), text);
    QCOMPARE(box.lineCount(), starts.size());
    for (int line = 0; line < starts.size(); ++line)
        QCOMPARE(box.lineIndex(qint16(line)), starts[line]);
    QCOMPARE(box.lineIndex(qint16(starts.size())), -1);
    QCOMPARE(box.lineIndex(-1), -1);
    QList<int> lengths;
    for (int index = 0; index <= text.size() + 1; ++index)
        lengths << box.lineLength(qint16(index));
    QCOMPARE(lengths, lengthAtIndex);
    QCOMPARE(box.lineLength(-1), 0);
}

void TestPrintSingle::document_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("ingredients");
    QTest::addColumn<QString>("directions");
    QTest::addColumn<int>("width");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("whole recipe")
        << QStringList{"Soup", "10 min", "20 min", "4"} << "Water\r\nSalt" << "Boil.\r\nServe hot." << 0
        << QStringList{"line(12) ",
                       "fontSize 10",
                       "line(10) Recipe Name: Soup",
                       "line(10) Prep Time: 10 min",
                       "line(10) Cook Time: 20 min",
                       "line(10) Servings: 4",
                       "line(10) Ingredients: ",
                       "line(10) ",
                       "line(10) Water",
                       "line(10) Salt",
                       "line(10) ",
                       "line(10) Directions: ",
                       "line(10) ",
                       "line(10) Boil.",
                       "line(10) Serve hot.",
                       "endDoc"};
    QTest::newRow("no recipe shown: labels alone, one empty line per box")
        << QStringList{"", "", "", ""} << "" << "" << 0
        << expectedDocument({"", "", "", ""}, {""}, {""});
    QTest::newRow("empty cooking time keeps its label") << QStringList{"Tea", "2 min", "", "1"} << "Leaves" << "Steep."
                                                        << 0 << expectedDocument({"Tea", "2 min", "", "1"}, {"Leaves"}, {"Steep."});
    QTest::newRow("text ending in a line break prints an empty last line")
        << QStringList{"Tea", "", "", ""} << "Leaves\r\n" << "Steep.\r\n\r\n" << 0
        << expectedDocument({"Tea", "", "", ""}, {"Leaves", ""}, {"Steep.", "", ""});
    QTest::newRow("lines after line breaks start after both characters")
        << QStringList{"Tea", "", "", ""} << "ab\r\ncd\r\n\r\nef" << "x\r\ny" << 0
        << expectedDocument({"Tea", "", "", ""}, {"ab", "cd", "", "ef"}, {"x", "y"});
    QTest::newRow("paragraph wrapped by the box prints as the box breaks it")
        << QStringList{"Stew", "", "", ""} << "1 onion" << "Chop the onions finely and fry them\r\nServe" << 16
        << expectedDocument({"Stew", "", "", ""}, {"1 onion"}, {"Chop the onions ", "finely and fry ", "them", "Serve"});
    QTest::newRow("word longer than the box is cut at its width")
        << QStringList{"Stew", "", "", ""} << "Worcestershire" << "" << 6
        << expectedDocument({"Stew", "", "", ""}, {"Worces", "tershi", "re"}, {""});
    QTest::newRow("labels come first even when a value looks like one")
        << QStringList{"Servings: 2", "Cook Time: ", " ", "\t"} << "" << "" << 0
        << expectedDocument({"Servings: 2", "Cook Time: ", " ", "\t"}, {""}, {""});
}

void TestPrintSingle::document()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, ingredients);
    QFETCH(QString, directions);
    QFETCH(int, width);
    QFETCH(QStringList, expected);

    RecordingPrinter printer;
    printRecipe(printer, fields, ingredients, directions, width);
    QCOMPARE(printer.operations, expected);
}

void TestPrintSingle::firstLineTakesTheSizeThePrinterHolds()
{
    RecordingPrinter printer(8.25f);
    printRecipe(printer, {"Tea", "", "", ""}, "Leaves", "Steep.");
    QCOMPARE(printer.operations.first(), QStringLiteral("line(8.25) "));
    printer.operations.clear();
    printRecipe(printer, {"Tea", "", "", ""}, "Leaves", "Steep.");
    QCOMPARE(printer.operations, expectedDocument({"Tea", "", "", ""}, {"Leaves"}, {"Steep."}, "10"));
}

void TestPrintSingle::failureAbortsTheDocumentAndReachesTheCaller_data()
{
    QTest::addColumn<QString>("failingOperation");
    QTest::addColumn<int>("failingAborts"); // how many aborts fail, from the first
    QTest::addColumn<QStringList>("tail");  // the operations from the last one printed
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("source");

    QTest::newRow("name line: one abort") << "line(10) Recipe Name: Soup" << 0
                                          << QStringList{"fontSize 10", "killDoc"} << 482 << "PrintSingleRecipe";
    QTest::newRow("ingredients: aborted in both procedures")
        << "line(10) Salt" << 0 << QStringList{"line(10) Water", "killDoc", "killDoc"} << 482 << "PrintSingleRecipe";
    QTest::newRow("directions: the whole document goes, lines printed before included")
        << "line(10) Serve hot." << 0 << QStringList{"line(10) Boil.", "killDoc", "killDoc"} << 482
        << "PrintSingleRecipe";
    QTest::newRow("end of the document") << "endDoc" << 0 << QStringList{"line(10) Serve hot.", "killDoc"} << 482
                                         << "PrintSingleRecipe";
    QTest::newRow("failed abort inside the directions takes the first error's place")
        << "line(10) Serve hot." << 1 << QStringList{"line(10) Boil.", "killDoc"} << 57 << "PrintSingleRecipe";
    QTest::newRow("failed abort of the recipe's own handler reaches the caller as it is")
        << "line(10) Recipe Name: Soup" << 1 << QStringList{"line(12) ", "fontSize 10"} << 57 << "Printer";
}

void TestPrintSingle::failureAbortsTheDocumentAndReachesTheCaller()
{
    QFETCH(QString, failingOperation);
    QFETCH(int, failingAborts);
    QFETCH(QStringList, tail);
    QFETCH(int, number);
    QFETCH(QString, source);

    RecordingPrinter printer;
    printer.beforeOperation = [&](const QString &operation) {
        if (operation == failingOperation)
            throw PaperJam;
        if (operation == "killDoc" && failingAborts > 0) {
            --failingAborts;
            throw AbortFailed;
        }
    };
    try {
        printRecipe(printer, {"Soup", "10 min", "20 min", "4"}, "Water\r\nSalt", "Boil.\r\nServe hot.");
        QFAIL("no error reached the caller");
    } catch (const RuntimeError &error) {
        QCOMPARE(error.number(), number);
        QCOMPARE(error.description(), number == 482 ? PaperJam.description() : AbortFailed.description());
        QCOMPARE(error.source(), source);
    }
    QCOMPARE(printer.operations.mid(printer.operations.size() - tail.size()), tail);
    QVERIFY(!printer.operations.contains("endDoc"));
}

void TestPrintSingle::sixteenBitLimits_data()
{
    QTest::addColumn<QString>("ingredients");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("linesPrinted"); // ingredient lines that reached the printer
    QTest::addColumn<bool>("overflows");

    const QString line998 = QString(998, u'x') + "\r\n"; // 1000 characters with its line break
    QTest::newRow("line beginning at index 33000") << line998.repeated(40) << 0 << 33 << true;
    QTest::newRow("line beginning at index 32767 still prints")
        << QString(32765, u'x') + "\r\nlast" << 0 << 2 << false;
    QTest::newRow("32768 lines: the loop ends after line 32767") << QString(32768, u'x') << 1 << 32768 << false;
    QTest::newRow("32769 lines: overflow before any of them") << QString(32769, u'x') << 1 << 0 << true;
}

void TestPrintSingle::sixteenBitLimits()
{
    QFETCH(QString, ingredients);
    QFETCH(int, width);
    QFETCH(int, linesPrinted);
    QFETCH(bool, overflows);

    RecordingPrinter printer;
    FakeTextBox ingredientsBox(ingredients, width);
    FakeTextBox directionsBox(QStringLiteral("Boil."));
    bool overflowed = false;
    try {
        RecipePrint::PrintSingleRecipe(printer, "Big", "", "", "", ingredientsBox, directionsBox);
    } catch (const RuntimeError &error) {
        overflowed = true;
        QCOMPARE(error.number(), int(RuntimeError::Overflow));
        QCOMPARE(error.description(), QStringLiteral("Overflow"));
        QCOMPARE(error.source(), QStringLiteral("PrintSingleRecipe"));
    }
    QCOMPARE(overflowed, overflows);
    const QStringList &ops = printer.operations;
    const int firstIngredient = ops.indexOf("line(10) Ingredients: ") + 2;
    if (overflows) {
        QCOMPARE(ops.size(), firstIngredient + linesPrinted + 2);
        QCOMPARE(ops.mid(ops.size() - 2), QStringList({"killDoc", "killDoc"}));
    } else {
        QCOMPARE(ops.indexOf("line(10) Directions: "), firstIngredient + linesPrinted + 1);
        QCOMPARE(ops.last(), QStringLiteral("endDoc"));
        QCOMPARE(ops.at(firstIngredient + linesPrinted - 1), width ? QStringLiteral("line(10) x")
                                                                   : QStringLiteral("line(10) last"));
    }
}

void TestPrintSingle::commandPrintsTheBoxesAsShownAndLeavesTheListAlone()
{
    QTemporaryDir dir;
    RecipeList list;
    RecipeFile file(list, dir.path(), [](const QString &m) { MessageBox::message(nullptr, m); });
    FakeMainView view;
    MainLogic logic(list, file, view);
    for (const char *name : {"Soup", "Tea"}) {
        list.appendEmpty();
        list.Recipes(list.RecipeCount()).Name = QString::fromLatin1(name);
        list.Recipes(list.RecipeCount()).Ingredients = QStringLiteral("Water");
    }
    list.setCurrentRecipe(1);
    logic.ShowCurrentRecipe();

    // Edits typed but not stored.
    view.texts[MainView::txtName] = "Carrot soup";
    view.texts[MainView::txtServe] = "6";
    view.texts[MainView::txtIngredients] = "Carrots, peeled and diced\r\nWater";
    view.texts[MainView::txtDirections] = "Simmer.\r\n";
    view.boxWidth = 12;
    logic.cmdPrintSingle_Click();

    QCOMPARE(view.recorder.operations,
             expectedDocument({"Carrot soup", "", "", "6"}, {"Carrots, ", "peeled and ", "diced", "Water"}, {"Simmer.", ""}));
    QCOMPARE(list.Recipes(1).Name, QStringLiteral("Soup"));
    QCOMPARE(list.Recipes(1).Ingredients, QStringLiteral("Water"));
    QCOMPARE(list.Recipes(1).Servings, QString());
    QCOMPARE(list.CurrentRecipe(), Int16(1));
    QCOMPARE(view.texts[MainView::txtName], QStringLiteral("Carrot soup"));
}

QTEST_GUILESS_MAIN(TestPrintSingle)
#include "tst_printsingle.moc"
