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
        dataTable(QFINDTESTDATA("printing.txt"));
        QTest::newRow("a line beginning at index 32,767") << QStringList{QString(32765, u'x') + "\r\nx", "", "0", QString(32765, u'x') + "|x", ""};
    }
    void singleRecipePrintsTheBoxesLineByLine()
    {
        const QStringList row = dataRow();
        const int width = row[2].toInt();
        RecordingPrinter printer;
        FakeTextBox ingredientsBox(row[0], width), directionsBox(row[1], width);
        RecipePrint::PrintSingleRecipe(printer, "Soup", "10 min", "", "4", ingredientsBox, directionsBox);
        QCOMPARE(printer.operations, single(row[3].split(u'|'), row[4].split(u'|')));
    }

    void failureAbortsTheDocumentAndSaysWhere_data()
    {
        dataTable(QFINDTESTDATA("failures.txt"));
        QTest::newRow("a line beginning past index 32,767 overflows") << QStringList{(QString(998, u'x') + "\r\n").repeated(40), "0", "",
            "6 Overflow (PrintSingleRecipe) | line(10) " + QString(998, u'x') + "|killDoc|killDoc"};
        QTest::newRow("32,768 lines print, 32,769 overflow before the first") << QStringList{QString(32769, u'x'), "1", "",
            "6 Overflow (PrintSingleRecipe) | line(10) Ingredients: |line(10) |killDoc|killDoc"};
    }
    void failureAbortsTheDocumentAndSaysWhere()
    {
        const QStringList row = dataRow();
        const QString failing = row[2], outcome = row[3];
        RecordingPrinter printer;
        bool abortFails = failing.endsWith(" abort");
        printer.fail = [&](const QString &operation) {
            if (operation == failing.section(" abort", 0, 0))
                throw RuntimeError(482, "Printer error: paper jam", "Printer");
            if (operation == "killDoc" && std::exchange(abortFails, false))
                throw RuntimeError(57, "Device I/O error", "Printer");
        };
        FakeTextBox ingredientsBox(row[0], row[1].toInt()), directionsBox("x"), fullBox(QString(32768, u'x'), 1);
        const QString error = raised([&] { RecipePrint::PrintSingleRecipe(printer, "Soup", "", "", "", ingredientsBox, directionsBox); });
        const int tail = outcome.section(" | ", 1).count(u'|') + 1;
        QCOMPARE(error + " | " + printer.operations.mid(printer.operations.size() - tail).join(u'|'), outcome);
        RecordingPrinter full;
        RecipePrint::PrintMultiLineText(full, fullBox);
        QCOMPARE(full.operations.size(), 32768);
    }

    void printAllStoresTheBoxesThenPrintsEveryRecipeOrNone_data() { dataTable(QFINDTESTDATA("printall.txt")); }
    void printAllStoresTheBoxesThenPrintsEveryRecipeOrNone()
    {
        const QStringList row = dataRow();
        const int count = row[0].toInt(), failure = row[1].toInt();
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
        QCOMPARE(error + " | " + progress.told.join(u',') + " | " + (failure ? ops.last() : ops.join(u',')), row[2]);
        RecordingPrinter all; // the largest list ends after its last recipe
        ListPrint::PrintAllRecipes(numbered(32767), all);
        QVERIFY(all.operations.size() == 3 + 32767 * 8 + 1 && all.operations.at(all.operations.size() - 7).endsWith(" 32767"));
    }
};

QTEST_GUILESS_MAIN(TestPrinting)
#include "tst_printing.moc"
