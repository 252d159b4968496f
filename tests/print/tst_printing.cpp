// Printing: what a printer is asked, the PDF files kept without one, a box's lines, the commands.
#include "Testing.h"
#include "app/widgets/FieldTextEdit.h"
#include "app/widgets/TabbedPages.h"
#include "print/DefaultPrinter.h"
#include "print/PrintProgress.h"
#include "print/RecipePrinting.h"

#include <sys/stat.h>

namespace {

// A printer that keeps its documents as PDF files in a temporary folder.
struct PdfPrinter : Folder
{
    PdfPrinter()
        : printer(
            dir.path(), [this](const QString &path) { written << path; }, DefaultPrinter::ToPdfFile)
    { }
    QStringList written;
    DefaultPrinter printer;
};

const QString Paragraph = "Whisk the eggs with the sugar until pale, fold in the flour a spoonful at a time and bake "
                          "in a moderate oven until golden.";

QStringList reportedLines(DisplayedText &box)
{
    QStringList lines;
    for (int line = 0; line < box.lineCount(); ++line)
        lines << box.text().mid(box.lineIndex(qint16(line)), box.lineLength(qint16(box.lineIndex(qint16(line)))));
    return lines;
}

} // namespace

class TestPrinting : public QObject
{
    Q_OBJECT

private slots:
    void recipePrintsItsLabelsAndTheBoxesLineByLine_data()
    {
        QTest::addColumn<QString>("ingredients");
        QTest::addColumn<int>("width"); // where the boxes wrap, 0 for nowhere
        QTest::addColumn<QString>("failing"); // the operation that fails with a paper jam
        QTest::addColumn<QStringList>("last"); // operations
        QTest::addColumn<QString>("error");
        const auto row = [](const char *name, const QString &ingredients, int width, const QString &failing,
                            const QStringList &last, const QString &error) {
            QTest::newRow(name) << ingredients << width << failing << last << error;
        };
        const QString jam = "482 Printer error: paper jam (PrintSingleRecipe)",
                      overflow = "6 Overflow (PrintSingleRecipe)";
        const QStringList end{"line(10) ", "line(10) Directions: ", "line(10) ", "line(10) x", "endDocument"};
        const QStringList soup = QString("line(12) |fontSize 10|line(10) Recipe Name: Soup|line(10) Prep Time: 10 min|"
                                         "line(10) Cook Time: |line(10) Servings: 4|line(10) Ingredients: ")
                                     .split(u'|');
        row("a line per line of each box", "Water\r\nSalt", 0, "",
            soup + QStringList{"line(10) ", "line(10) Water", "line(10) Salt"} + end, "none");
        row("an empty box prints an empty line", "", 0, "",
            QStringList{"line(10) Ingredients: ", "line(10) ", "line(10) "} + end, "none");
        row("lines as the box wraps them", "1 onion", 6, "", QStringList{"line(10) 1 onio", "line(10) n"} + end,
            "none");
        row("a failure in a box: aborted by both procedures", "Water\r\nSalt", 0, "line(10) Salt",
            QStringList{"line(10) Water", "abortDocument", "abortDocument"}, jam);
        row("a line beginning past index 32,767 overflows", (QString(998, u'x') + "\r\n").repeated(40), 0, "",
            QStringList{"line(10) " + QString(998, u'x'), "abortDocument", "abortDocument"}, overflow);
    }
    void recipePrintsItsLabelsAndTheBoxesLineByLine()
    {
        QFETCH(QString, ingredients);
        QFETCH(int, width);
        QFETCH(QString, failing);
        QFETCH(QStringList, last);
        QFETCH(QString, error);
        RecordingPrinter printer;
        printer.fail = [&](const QString &operation) {
            if (operation == failing)
                throw RuntimeError(482, "Printer error: paper jam", "Printer");
        };
        FakeTextBox ingredientsBox(ingredients, width), directionsBox("x");
        QCOMPARE(raised([&] {
                     RecipePrinting::printRecipe(printer, "Soup", "10 min", "", "4", ingredientsBox, directionsBox);
                 }),
                 error);
        QCOMPARE(printer.operations.mid(printer.operations.size() - last.size()), last);
    }

    void printAllStoresTheBoxesThenPrintsEveryRecipeOrNone_data()
    {
        QTest::addColumn<int>("count"); // recipes "Recipe 1" on, the first on screen with its name box "Typed"
        QTest::addColumn<int>("failure"); // 1 printing the second recipe fails, 2 cancelled after two
        QTest::addColumn<QString>("error");
        QTest::addColumn<QStringList>("last"); // operations
        const auto row = [](const char *name, int count, int failure, const QString &error, const QStringList &last) {
            QTest::newRow(name) << count << failure << error << last;
        };
        const auto recipe = [](const QString &name, const QString &directions) {
            return QString("line(10) |fontSize 10|line(10) Recipe Name: %1|line(10) Prep Time: |line(10) Cook Time: |"
                           "line(10) Servings: |line(10) Ingredients: |line(10) Directions: %2")
                .arg(name, directions)
                .split(u'|');
        };
        QStringList heading{"leftEdge -720", "topEdge 0", "line(12) Recipes", "line(12) "};
        row("no recipes: the heading alone", 0, 0, "none", heading.mid(0, 3) + QStringList{"endDocument"});
        row("each recipe behind an empty line; empty fields keep their labels", 2, 0, "none",
            heading + recipe("Typed", "").mid(1) + recipe("Recipe 2", "Step 2\r\nRest") + QStringList{"endDocument"});
        row("the most recipes", 32767, 0, "none",
            recipe("Recipe 32767", "Step 32767\r\nRest") + QStringList{"endDocument"});
        row("a failure: aborted before the error goes on", 5, 1, "482 Printer error: paper jam ()",
            QStringList{"abortDocument"});
        row("cancelled after the second recipe: discarded", 5, 2, "none", QStringList{"abortDocument"});
    }
    void printAllStoresTheBoxesThenPrintsEveryRecipeOrNone()
    {
        QFETCH(int, count);
        QFETCH(int, failure);
        QFETCH(QString, error);
        QFETCH(QStringList, last);
        LogicFixture w(numbered(count, 1));
        w.view.texts[Recipe::Name] = "Typed";
        w.view.texts[Recipe::Directions] = "";
        w.view.recorder.fail = [&](const QString &operation) {
            if (failure == 1 && operation == "line(10) Recipe Name: Recipe 2")
                throw RuntimeError(482, "Printer error: paper jam");
        };
        struct : PrintProgress
        {
            bool cancelled(int printed, int total) override
            {
                return told << QStringLiteral("%1/%2").arg(printed).arg(total), printed >= 2;
            }
            QStringList told;
        } stopAfterTwo;
        QCOMPARE(raised([&] { w.logic.printAllRecipes(failure == 2 ? &stopAfterTwo : nullptr); }), error);
        QCOMPARE(stopAfterTwo.told.join(u' '), failure == 2 ? "1/5 2/5" : "");
        const QStringList &done = w.view.recorder.operations;
        QCOMPARE(done.mid(done.size() - last.size()), last);
        if (count)
            QCOMPARE(w.list().at(1).name, "Typed"); // stored first
    }

    void pdfHoldsEveryLineOnAsManyPagesAsThePrinterCounted()
    {
        PdfPrinter p;
        RecipeList list = numbered(40, 1);
        list.at(1).ingredients = "Crème brûlée";
        RecipePrinting::printAllRecipes(list, p.printer);
        QCOMPARE(PdfText::lines(p.written.value(0)).mid(0, 8),
                 QStringList({"Recipes", "Recipe Name: Recipe 1", "Prep Time:", "Cook Time:", "Servings:",
                              "Ingredients: Crème brûlée", "Directions: Step 1", "Rest"}));
        QCOMPARE(PdfText::pageCount(p.written[0]), p.printer.pageCount());
    }

    void keptPdfsAreNewFilesOfTheUsersModeAndAbortedOnesLeaveNothing()
    {
        PdfPrinter p;
        p.put("keep me", "PRINTOUT-1.PDF");
        p.printer.printLine("Discard me");
        p.printer.abortDocument();
        QCOMPARE(p.files(), QStringList({"PRINTOUT-1.PDF"}));
        const mode_t before = ::umask(002); // the group may write too
        for (const char *text : {"First", "Second"}) {
            p.printer.printLine(text);
            p.printer.endDocument();
        }
        ::umask(before);
        QCOMPARE(p.written, QStringList({p.path("PRINTOUT-2.PDF"), p.path("PRINTOUT-3.PDF")}));
        QCOMPARE(PdfText::lines(p.written[0]) + PdfText::lines(p.written[1]) << p.bytes("PRINTOUT-1.PDF"),
                 QStringList({"First", "Second", "keep me"}));
        QCOMPARE(int(QFileInfo(p.written[1]).permissions() & 0x0777), 0x0664);
    }

    void aPdfCutShortByAFullDiskIsAnErrorAndIsNotKept()
    {
        PdfPrinter p;
        for (int line = 0; line < 2000; ++line)
            p.printer.printLine(Paragraph);
        const QString error = [&] {
            const auto full = fillDiskAt(4096);
            return raised([&] { p.printer.endDocument(); });
        }();
        QCOMPARE(error, "57 Device I/O error ()");
        QCOMPARE(p.written + p.files(), QStringList());
    }

    void boxReportsTheLinesItShowsAtItsWidthEvenWhenHidden()
    {
        WindowFixture w("1,1\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
        w.child<TabbedPages>("tabs")->setCurrentIndex(1);
        auto *box = w.child<FieldTextEdit>("directionsEdit");
        const QString text = (Paragraph + "\r\n").repeated(40) + "Serve warm.";
        w.window->setFieldText(Recipe::Directions, text);
        QCOMPARE(box->document()->lastBlock().layout()->lineCount(), 0); // not laid out by Qt yet
        const QStringList reported = reportedLines(*box);
        QCOMPARE(reported.join(QString()), QString(text).remove("\r\n"));
        QVERIFY(reported.size() > 80);
        // Every line break the box shows is a CR LF: a lone LF or CR, a line separator, one at the end.
        w.window->setFieldText(Recipe::Directions, "a\nb\rc\r\nd\u2028\u2028e\u2028");
        QCOMPARE(reportedLines(*box) << box->text(),
                 QStringList({"a", "b", "c", "d", "", "e", "", "a\r\nb\r\nc\r\nd\r\n\r\ne\r\n"}));
        QCOMPARE(box->fieldText(), "a\nb\rc\r\nd\u2028\u2028e\u2028"); // shown, not edited: handed back as it was
    }

    void windowPrintsIntoNewPdfFilesAndSaysWhereOnceDoneOrWhatFailed()
    {
        WindowFixture w(
            "2,1\r\n\"Sponge cake\"\r\n\"15 min\"\r\n\"\"\r\n\"8\"\r\n\"4 eggs\r\n125 g sugar\"\r\n\"Bake.\"\r\n"
            "\"Tea\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
        w.type("nameEdit", "Victoria ");
        PromptRecorder prompts;
        QTest::mouseClick(w.child("printButton"), Qt::LeftButton);
        QCOMPARE(w.list().at(1).name, "Sponge cake"); // printing one recipe stores nothing
        QCOMPARE(prompts.texts(),
                 QStringList("No printer is installed, so the document was saved as a PDF file:\n\n"
                             + w.path("PRINTOUT-1.PDF")));
        QCOMPARE(PdfText::lines(w.path("PRINTOUT-1.PDF")),
                 QStringList({"Recipe Name: Victoria Sponge cake", "Prep Time: 15 min", "Cook Time:", "Servings: 8",
                              "Ingredients:", "4 eggs", "125 g sugar", "Directions:", "Bake."}));
        QVERIFY(QDir(w.dir.path()).removeRecursively()); // nowhere to keep the next one
        w.type("cookTimeEdit", "40 min");
        prompts.requests.clear();
        w.child<QAction>("printAllAction")->trigger();
        QCOMPARE(prompts.texts(), QStringList({"Path/File access error"}));
        QCOMPARE(w.child<QLineEdit>("cookTimeEdit")->text(), "40 min");
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
