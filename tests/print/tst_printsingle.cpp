#include "FakeTextBox.h"
#include "RecipePrint.h"
#include "RecordingPrinter.h"
#include "RuntimeError.h"

#include <QtTest>

namespace {

// What a printer holding 12 points is asked to do for the recipe that print() prints.
QStringList expectedDocument(const QStringList &ingredients, const QStringList &directions)
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

void print(RecordingPrinter &printer, const QString &ingredients, const QString &directions, int width = 0)
{
    FakeTextBox ingredientsBox(ingredients, width);
    FakeTextBox directionsBox(directions, width);
    RecipePrint::PrintSingleRecipe(printer, "Soup", "10 min", "", "4", ingredientsBox, directionsBox);
}

// The RuntimeError that `body` raises; error 0 when it raises none.
template<typename Body>
RuntimeError raised(Body body)
{
    try {
        body();
    } catch (const RuntimeError &error) {
        return error;
    }
    return RuntimeError(0, QStringLiteral("nothing raised"));
}

} // namespace

class TestPrintSingle : public QObject
{
    Q_OBJECT

private slots:
    void document_data();
    void document();
    void failureAbortsTheWholeDocument_data();
    void failureAbortsTheWholeDocument();
    void sixteenBitLimits_data();
    void sixteenBitLimits();
};

void TestPrintSingle::document_data()
{
    QTest::addColumn<QString>("ingredients");
    QTest::addColumn<QString>("directions");
    QTest::addColumn<int>("width");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("one line per line of each box, an empty field keeps its label")
        << "Water\r\nSalt" << "Boil.\r\nServe hot." << 0
        << expectedDocument({"Water", "Salt"}, {"Boil.", "Serve hot."});
    QTest::newRow("empty boxes print one empty line each") << "" << "" << 0 << expectedDocument({""}, {""});
    QTest::newRow("empty lines and a final line break print as empty lines")
        << "Leaves\r\n" << "a\r\n\r\nbc\r\n" << 0 << expectedDocument({"Leaves", ""}, {"a", "", "bc", ""});
    QTest::newRow("lines as the box wraps them at its width")
        << "1 onion" << "Chop the onions\r\nServe" << 6
        << expectedDocument({"1 onio", "n"}, {"Chop t", "he oni", "ons", "Serve"});
}

void TestPrintSingle::document()
{
    QFETCH(QString, ingredients);
    QFETCH(QString, directions);
    QFETCH(int, width);
    QFETCH(QStringList, expected);

    RecordingPrinter printer;
    print(printer, ingredients, directions, width);
    QCOMPARE(printer.operations, expected);
}

void TestPrintSingle::failureAbortsTheWholeDocument_data()
{
    QTest::addColumn<QString>("failing");
    QTest::addColumn<bool>("firstAbortFails");
    QTest::addColumn<QStringList>("tail"); // the operations from the last line printed on
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("source");

    QTest::newRow("in the directions: aborted by both procedures")
        << "line(10) Serve hot." << false << QStringList{"line(10) Boil.", "killDoc", "killDoc"} << 482
        << "PrintSingleRecipe";
    QTest::newRow("at the end of the document") << "endDoc" << false << QStringList{"line(10) Serve hot.", "killDoc"}
                                                << 482 << "PrintSingleRecipe";
    QTest::newRow("failed abort in the directions takes the first error's place")
        << "line(10) Serve hot." << true << QStringList{"line(10) Boil.", "killDoc"} << 57 << "PrintSingleRecipe";
    QTest::newRow("failed abort in the recipe's own handler goes on as it is")
        << "line(10) Recipe Name: Soup" << true << QStringList{"line(12) ", "fontSize 10"} << 57 << "Printer";
}

void TestPrintSingle::failureAbortsTheWholeDocument()
{
    QFETCH(QString, failing);
    QFETCH(bool, firstAbortFails);
    QFETCH(QStringList, tail);
    QFETCH(int, number);
    QFETCH(QString, source);

    RecordingPrinter printer;
    printer.beforeOperation = [&](const QString &operation) {
        if (operation == failing)
            throw RuntimeError(482, QStringLiteral("Printer error: paper jam"), QStringLiteral("Printer"));
        if (operation == "killDoc" && std::exchange(firstAbortFails, false))
            throw RuntimeError(57, QStringLiteral("Device I/O error"), QStringLiteral("Printer"));
    };
    const RuntimeError error = raised([&] { print(printer, "Water\r\nSalt", "Boil.\r\nServe hot."); });
    QCOMPARE(error.number(), number);
    QCOMPARE(error.description(), number == 482 ? "Printer error: paper jam" : "Device I/O error");
    QCOMPARE(error.source(), source);
    QCOMPARE(printer.operations.mid(printer.operations.size() - tail.size()), tail);
    QVERIFY(!printer.operations.contains("endDoc"));
}

void TestPrintSingle::sixteenBitLimits_data()
{
    QTest::addColumn<QString>("ingredients");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("linesPrinted");
    QTest::addColumn<bool>("overflows");

    QTest::newRow("line beginning at index 33000 overflows")
        << (QString(998, u'x') + "\r\n").repeated(40) << 0 << 33 << true;
    QTest::newRow("line beginning at index 32767 prints") << QString(32765, u'x') + "\r\nx" << 0 << 2 << false;
    QTest::newRow("32768 lines all print") << QString(32768, u'x') << 1 << 32768 << false;
    QTest::newRow("32769 lines overflow before the first") << QString(32769, u'x') << 1 << 0 << true;
}

void TestPrintSingle::sixteenBitLimits()
{
    QFETCH(QString, ingredients);
    QFETCH(int, width);
    QFETCH(int, linesPrinted);
    QFETCH(bool, overflows);

    RecordingPrinter printer;
    const RuntimeError error = raised([&] { print(printer, ingredients, "Boil.", width); });
    QCOMPARE(error.number(), overflows ? int(RuntimeError::Overflow) : 0);
    if (overflows)
        QCOMPARE(error.source(), QStringLiteral("PrintSingleRecipe"));
    QCOMPARE(printer.operations.filter("line(10) x").size(), linesPrinted);
    QCOMPARE(printer.operations.last(), overflows ? "killDoc" : "endDoc");
}

QTEST_GUILESS_MAIN(TestPrintSingle)
#include "tst_printsingle.moc"
