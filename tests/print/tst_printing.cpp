// Printing: what the printing procedures ask of a printer, the PDF files made when there is no
// printer, the lines a box reports, the window's commands, and, run by the spooler test alone, one
// document through a CUPS daemon of the tests' own (spooler.sh) whose cups-pdf queue is the default
// printer; cups-pdf's PDFs have no text layer, so their pages are what is checked there.
#include "Testing.h"
#include "app/FieldTextEdit.h"
#include "app/FieldTextLayout.h"
#include "app/PrintProgressDialog.h"
#include "app/TabbedPages.h"
#include "print/DefaultPrinter.h"
#include "print/RecipePrinting.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// What a printer holding 12 points is asked for the recipe "Soup" with these lines in its boxes.
QStringList single(const QStringList &ingredients, const QStringList &directions)
{
    return QStringList{"line(12) ",
                       "fontSize 10",
                       "line(10) Recipe Name: Soup",
                       "line(10) Prep Time: 10 min",
                       "line(10) Cook Time: ",
                       "line(10) Servings: 4",
                       "line(10) Ingredients: ",
                       "line(10) "}
    + QStringList(ingredients).replaceInStrings(QRegularExpression("^"), "line(10) ")
        + QStringList{"line(10) ", "line(10) Directions: ", "line(10) "}
    + QStringList(directions).replaceInStrings(QRegularExpression("^"), "line(10) ") + QStringList{"endDocument"};
}

// Asks to stop after the second recipe and notes what it was told.
struct StopAfterTwo : PrintProgress
{
    bool cancelled(int printed, int total) override
    {
        return told << QStringLiteral("%1 of %2").arg(printed).arg(total), printed >= 2;
    }
    QStringList told;
};

constexpr qreal Margin = 18; // points: the unprintable border of a PDF made without a printer

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

const QString Paragraph
    = "Whisk the eggs with the sugar until pale, fold in the flour a spoonful at a time and bake in a "
      "moderate oven until golden.";

// The lines a box reports to the printing code.
QStringList reportedLines(DisplayedText &box)
{
    QStringList lines;
    for (int line = 0; line < box.lineCount(); ++line)
        lines << box.text().mid(box.lineIndex(qint16(line)), box.lineLength(qint16(box.lineIndex(qint16(line)))));
    return lines;
}

// The lines the user sees, walked with the box's own cursor, which never reaches the blanks that end
// a wrapped line; `trimmed` drops those from reported lines.
QStringList walkedLines(QPlainTextEdit *box)
{
    QStringList lines;
    box->moveCursor(QTextCursor::Start);
    for (int start = -1; start != box->textCursor().position(); box->moveCursor(QTextCursor::Down)) {
        start = box->textCursor().position();
        box->moveCursor(QTextCursor::EndOfLine);
        lines << box->document()->toRawText().mid(start, box->textCursor().position() - start);
        box->moveCursor(QTextCursor::StartOfLine);
    }
    return lines;
}

QStringList trimmed(QStringList lines)
{
    return lines.replaceInStrings(QRegularExpression(" +$"), QString());
}

// `length` characters with no line break opportunity among them.
QString unbroken(int length)
{
    QString run;
    for (int i = 0; i < length; ++i)
        run += QChar(u"abcdefghijklmnopqrstuvwxyz0123456789"[i % 36]);
    return run;
}

// Each line of a document as its layout breaks it (start, length, top), then its line count.
QStringList laidOutLines(QTextDocument &doc)
{
    QStringList lines;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        doc.documentLayout()->blockBoundingRect(block);
        for (int i = 0; i < block.layout()->lineCount(); ++i) {
            const QTextLine line = block.layout()->lineAt(i);
            lines << QStringLiteral("%1+%2@%3")
                         .arg(block.position() + line.textStart())
                         .arg(line.textLength())
                         .arg(line.y());
        }
    }
    return lines << QStringLiteral("%1 lines").arg(doc.lineCount());
}

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
        QTest::addColumn<QStringList>("ingredientLines");
        QTest::addColumn<QStringList>("directionLines");
        QTest::newRow("a line per line of each box")
            << "Water\r\nSalt"
            << "Boil." << 0 << QStringList{"Water", "Salt"} << QStringList{"Boil."};
        QTest::newRow("empty boxes print an empty line each") << ""
                                                              << "" << 0 << QStringList{""} << QStringList{""};
        QTest::newRow("empty lines and a final line break")
            << "Leaves\r\n"
            << "a\r\n\r\nbc\r\n"
            << 0 << QStringList{"Leaves", ""} << QStringList{"a", "", "bc", ""};
        QTest::newRow("lines as the box wraps them") << "1 onion"
                                                     << "Chop the onions\r\nServe" << 6 << QStringList{"1 onio", "n"}
                                                     << QStringList{"Chop t", "he oni", "ons", "Serve"};
        QTest::newRow("a line beginning at index 32,767")
            << QString(32765, u'x') + "\r\nx"
            << "" << 0 << QStringList{QString(32765, u'x'), "x"} << QStringList{""};
    }
    void singleRecipePrintsTheBoxesLineByLine()
    {
        QFETCH(QString, ingredients);
        QFETCH(QString, directions);
        QFETCH(int, width);
        QFETCH(QStringList, ingredientLines);
        QFETCH(QStringList, directionLines);
        RecordingPrinter printer;
        FakeTextBox ingredientsBox(ingredients, width), directionsBox(directions, width);
        RecipePrinting::printRecipe(printer, "Soup", "10 min", "", "4", ingredientsBox, directionsBox);
        QCOMPARE(printer.operations, single(ingredientLines, directionLines));
    }

    void failureAbortsTheDocumentAndSaysWhere_data()
    {
        QTest::addColumn<QString>("ingredients");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("failing"); // fails with "482 Printer error: paper jam"; " abort": then the abort too
        QTest::addColumn<QString>("error");
        QTest::addColumn<QStringList>("last"); // operations
        const QString jam = "482 Printer error: paper jam (PrintSingleRecipe)";
        QTest::newRow("in a box: aborted by both procedures")
            << "Water\r\nSalt" << 0 << "line(10) Salt" << jam
            << QStringList{"line(10) Water", "abortDocument", "abortDocument"};
        QTest::newRow("at the end of the document")
            << "Water" << 0 << "endDocument" << jam << QStringList{"line(10) x", "abortDocument"};
        QTest::newRow("a failed abort in a box takes the first error's place")
            << "Water\r\nSalt" << 0 << "line(10) Salt abort"
            << "57 Device I/O error (PrintSingleRecipe)" << QStringList{"line(10) Water", "abortDocument"};
        QTest::newRow("a failed abort of the recipe itself goes on as it is")
            << "Water" << 0 << "line(10) Recipe Name: Soup abort"
            << "57 Device I/O error (Printer)" << QStringList{"line(12) ", "fontSize 10"};
        QTest::newRow("a line beginning past index 32,767 overflows")
            << (QString(998, u'x') + "\r\n").repeated(40) << 0 << ""
            << "6 Overflow (PrintSingleRecipe)"
            << QStringList{"line(10) " + QString(998, u'x'), "abortDocument", "abortDocument"};
        QTest::newRow("32,769 lines overflow before the first")
            << QString(32769, u'x') << 1 << ""
            << "6 Overflow (PrintSingleRecipe)"
            << QStringList{"line(10) Ingredients: ", "line(10) ", "abortDocument", "abortDocument"};
    }
    void failureAbortsTheDocumentAndSaysWhere()
    {
        QFETCH(QString, ingredients);
        QFETCH(int, width);
        QFETCH(QString, failing);
        QFETCH(QString, error);
        QFETCH(QStringList, last);
        RecordingPrinter printer;
        bool abortFails = failing.endsWith(" abort");
        printer.fail = [&](const QString &operation) {
            if (operation == failing.section(" abort", 0, 0))
                throw RuntimeError(482, "Printer error: paper jam", "Printer");
            if (operation == "abortDocument" && std::exchange(abortFails, false))
                throw RuntimeError(57, "Device I/O error", "Printer");
        };
        FakeTextBox ingredientsBox(ingredients, width), directionsBox("x");
        QCOMPARE(
            raised([&] { RecipePrinting::printRecipe(printer, "Soup", "", "", "", ingredientsBox, directionsBox); }),
            error);
        QCOMPARE(printer.operations.mid(printer.operations.size() - last.size()), last);
    }

    void theMostLinesAndRecipesArePrinted()
    {
        RecordingPrinter lines;
        FakeTextBox full(QString(32768, u'x'), 1);
        RecipePrinting::printDisplayedText(lines, full);
        QCOMPARE(lines.operations.size(), 32768);
        RecordingPrinter all; // the largest list ends after its last recipe
        RecipePrinting::printAllRecipes(numbered(32767), all);
        QCOMPARE(all.operations.size(), 3 + 32767 * 8 + 1);
        QCOMPARE(all.operations.at(all.operations.size() - 7), "line(10) Recipe Name: Recipe 32767");
    }

    void printAllStoresTheBoxesThenPrintsEveryRecipeOrNone_data()
    {
        QTest::addColumn<int>("count"); // recipes "Recipe 1" on, the first on screen with its name box "Typed"
        QTest::addColumn<int>("failure"); // 1 printing the second recipe fails, 2 its abort too, 3 cancelled after two
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("told"); // the progress
        QTest::addColumn<QStringList>("operations"); // all, or after a failure the last
        const auto recipe = [](const QString &name, const QString &directions) { // the first empty line at 12 points
            return QStringList{name == "Typed" ? "line(12) " : "line(10) ",
                               "fontSize 10",
                               "line(10) Recipe Name: " + name,
                               "line(10) Prep Time: ",
                               "line(10) Cook Time: ",
                               "line(10) Servings: ",
                               "line(10) Ingredients: ",
                               "line(10) Directions: " + directions};
        };
        const QStringList heading{"leftEdge -720", "topEdge 0", "line(12) Recipes"};
        QTest::newRow("no recipes: the heading alone") << 0 << 0 << "none"
                                                       << "" << heading + QStringList{"endDocument"};
        QTest::newRow("each recipe behind an empty line; empty fields keep their labels")
            << 2 << 0 << "none"
            << "" << heading + recipe("Typed", "") + recipe("Recipe 2", "Step 2\r\nRest") + QStringList{"endDocument"};
        QTest::newRow("a failure: aborted before the error goes on") << 5 << 1 << "482 Printer error: paper jam ()"
                                                                     << "" << QStringList{"abortDocument"};
        QTest::newRow("a failed abort: the first error goes on") << 5 << 2 << "482 Printer error: paper jam ()"
                                                                 << "" << QStringList{"fontSize 10"};
        QTest::newRow("cancelled after the second recipe") << 5 << 3 << "none"
                                                           << "1 of 5,2 of 5" << QStringList{"abortDocument"};
    }
    void printAllStoresTheBoxesThenPrintsEveryRecipeOrNone()
    {
        QFETCH(int, count);
        QFETCH(int, failure);
        QFETCH(QString, error);
        QFETCH(QString, told);
        QFETCH(QStringList, operations);
        LogicFixture w(numbered(count, 1));
        w.view.texts[Recipe::Name] = "Typed";
        w.view.texts[Recipe::Directions] = "";
        w.view.recorder.fail = [&](const QString &operation) {
            if ((failure == 1 || failure == 2) && operation == "line(10) Recipe Name: Recipe 2")
                throw RuntimeError(482, "Printer error: paper jam");
            if (failure == 2 && operation == "abortDocument")
                throw RuntimeError(RuntimeError::DeviceIOError);
        };
        StopAfterTwo progress;
        QCOMPARE(raised([&] { w.logic.printAllRecipes(failure == 3 ? &progress : nullptr); }), error);
        QCOMPARE(progress.told.join(u','), told);
        const QStringList &done = w.view.recorder.operations;
        QCOMPARE(done.mid(done.size() - operations.size()), operations);
        if (count)
            QCOMPARE(w.list.at(1).name, "Typed"); // stored first
    }

    void pdfHoldsEveryLineWhereThePageAndTheScaleSettingsPutIt()
    {
        PdfPrinter p;
        RecipeList list = numbered(40, 1);
        list.at(1).ingredients = "Crème brûlée";
        RecipePrinting::printAllRecipes(list, p.printer);
        const QStringList lines = PdfText::lines(p.written.value(0));
        QCOMPARE(lines.mid(0, 8),
                 QStringList({"Recipes", "Recipe Name: Recipe 1", "Prep Time:", "Cook Time:", "Servings:",
                              "Ingredients: Crème brûlée", "Directions: Step 1", "Rest"}));
        QCOMPARE(lines.size(), 1 + 40 * 7);
        const int pages = PdfText::pageCount(p.written[0]);
        QVERIFY(pages > 2);
        QCOMPARE(p.printer.pageCount(), pages);
        // Half an inch in from the printable area, from its top; a line break starts at the left edge;
        // every line inside the area and every page filled until the next line would not fit; the
        // heading at the printer's 12 points, the rest at 10.
        const QList<PdfText::Word> words = PdfText::words(p.written[0]);
        const qreal bottom = PdfText::pageHeight(p.written[0]) - Margin;
        QList<qreal> lowest(pages + 1, 0);
        for (const PdfText::Word &word : words) {
            QVERIFY2(word.box.top() >= Margin - 1 && word.box.bottom() <= bottom + 1, qPrintable(word.text));
            lowest[word.page] = std::max(lowest[word.page], word.box.bottom());
            if (word.text == "Recipes" || word.text == "Rest")
                QVERIFY2(qAbs(word.box.left() - Margin - 36) < 1.5, qPrintable(word.text));
        }
        for (int page = 1; page < pages; ++page)
            QVERIFY2(bottom - lowest[page] < 25, // two lines, one of them perhaps empty
                     qPrintable(QString::number(lowest[page])));
        QVERIFY(words[0].box.top() < Margin + 12 && qAbs(words[0].box.height() / words[1].box.height() - 1.2) < 0.05);
    }

    void keptPdfsAreNewFilesOfTheUsersModeAndAbortedOnesLeaveNothing_data()
    {
        QTest::addColumn<int>("umask");
        QTest::addColumn<int>("mode"); // as QFile's permissions for the owner, the group and others
        QTest::newRow("umask 022: readable by all") << 022 << 0x0644;
        QTest::newRow("umask 002: the group may write too") << 002 << 0x0664;
        QTest::newRow("umask 077: the owner's alone") << 077 << 0x0600;
    }
    void keptPdfsAreNewFilesOfTheUsersModeAndAbortedOnesLeaveNothing()
    {
        QFETCH(int, umask);
        QFETCH(int, mode);
        PdfPrinter p;
        p.put("keep me", "PRINTOUT-1.PDF");
        p.printer.printLine("Discard me");
        QCOMPARE(p.files().size(), 2); // the document in progress
        p.printer.abortDocument();
        p.printer.abortDocument(); // with no document open there is nothing to do
        QCOMPARE(p.files(), QStringList({"PRINTOUT-1.PDF"}));
        const mode_t before = ::umask(mode_t(umask));
        for (const char *text : {"First", "Second"}) {
            p.printer.printLine(text);
            p.printer.endDocument();
        }
        ::umask(before);
        QCOMPARE(p.written, QStringList({p.path("PRINTOUT-2.PDF"), p.path("PRINTOUT-3.PDF")}));
        QCOMPARE(PdfText::lines(p.written[0]) + PdfText::lines(p.written[1]) << p.bytes("PRINTOUT-1.PDF"),
                 QStringList({"First", "Second", "keep me"}));
        QCOMPARE(int(QFileInfo(p.written[1]).permissions() & 0x0777), mode);
    }

    void aPdfCutShortByAFullDiskIsAnErrorAndIsNotKept()
    {
        PdfPrinter p;
        for (int line = 0; line < 2000; ++line)
            p.printer.printLine(Paragraph);
        rlimit limit{}, full{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        full = {4096, limit.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN); // EFBIG from write() instead of a kill
        ::setrlimit(RLIMIT_FSIZE, &full);
        const QString error = raised([&] { p.printer.endDocument(); });
        ::setrlimit(RLIMIT_FSIZE, &limit);
        QCOMPARE(error, "57 Device I/O error ()");
        QCOMPARE(p.written, QStringList());
        QCOMPARE(p.files(), QStringList());
    }

    void boxReportsTheLinesItShowsAtItsWidthEvenWhenHidden()
    {
        WindowFixture w("1,1\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
        auto *tabs = w.child<TabbedPages>("tabs");
        auto *box = w.child<FieldTextEdit>("directionsEdit");
        const int width = box->width();
        tabs->setCurrentIndex(1);
        box->resize(width * 2 / 3, box->height());
        const QString text = (Paragraph + "\r\n").repeated(40) + "Serve warm.";
        w.window->setFieldText(Recipe::Directions, text);
        QCOMPARE(box->document()->lastBlock().layout()->lineCount(), 0); // not laid out by Qt yet
        const QStringList reported = reportedLines(*box);
        QVERIFY(box->text() == text && reported.join(QString()) == QString(text).remove("\r\n")
                && reported.size() > 80);
        const QFontMetricsF metrics(box->font()); // each wrapped line fits, and its next word would not have
        const qreal room = box->viewport()->width() - 2 * box->document()->documentMargin();
        for (int i = 0; i + 1 < reported.size(); ++i) {
            QVERIFY2(metrics.horizontalAdvance(reported[i].trimmed()) <= room, qPrintable(reported[i]));
            QVERIFY(!reported[i].endsWith(u' ')
                    || metrics.horizontalAdvance(reported[i] + reported[i + 1].section(u' ', 0, 0)) > room);
        }
        tabs->setCurrentIndex(0);
        QTRY_VERIFY(box->isVisible());
        QCOMPARE(walkedLines(box), trimmed(reported));
        box->resize(width, box->height()); // wider: fewer lines, as on screen
        QVERIFY(reportedLines(*box).size() < reported.size());
        QCOMPARE(walkedLines(box), trimmed(reportedLines(*box)));
        // Every line break the box shows is a CR LF: a lone LF or CR, a line separator, one at the end.
        w.window->setFieldText(Recipe::Directions, "a\nb\rc\r\nd\u2028\u2028e\u2028");
        QCOMPARE(reportedLines(*box) << box->text(),
                 QStringList({"a", "b", "c", "d", "", "e", "", "a\r\nb\r\nc\r\nd\r\n\r\ne\r\n"}));
        QCOMPARE(walkedLines(box), reportedLines(*box));
        QCOMPARE(box->fieldText(), "a\nb\rc\r\nd\u2028\u2028e\u2028"); // shown, not edited: handed back as it was
    }

    void boxBreaksLinesWhereQtsPlainTextLayoutDoes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("at"); // where `typed` is typed once the text is laid out; -1 for nowhere
        QTest::addColumn<QString>("typed"); // or "font" for a larger font
        QTest::newRow("ordinary words") << Paragraph.repeated(3) << 200 << -1 << "";
        QTest::newRow("an overlong word between words, broken anywhere")
            << "Mix the " + unbroken(500) + " into the flour, then knead well." << 200 << -1 << "";
        QTest::newRow("a long word that fits its line")
            << unbroken(70) + " " + Paragraph.repeated(2) << 900 << -1 << "";
        QTest::newRow("breaks and spaces inside long runs")
            << unbroken(300) + "\u2028   " + unbroken(200) + "\u00ad" + unbroken(200) + "\u00a0" + unbroken(100) + "  z"
            << 200 << -1 << "";
        QTest::newRow("ideographs, a break opportunity each")
            << QString("\u6f22\u5b57\u4eee\u540d").repeated(100) << 200 << -1 << "";
        QTest::newRow("paragraphs, one a long run") << "Step one\n" + unbroken(5000) + "\nStep two" << 200 << -1 << "";
        QTest::newRow("no width: a line for each paragraph")
            << Paragraph + "\n" + unbroken(500) + "\nServe." << 0 << -1 << "";
        QTest::newRow("a letter typed into a long word") << unbroken(2000) << 200 << 1000 << "y";
        QTest::newRow("a space typed into a long word") << "Add " + unbroken(2000) << 200 << 1000 << " ";
        QTest::newRow("a line break typed into a long word") << unbroken(2000) << 200 << 1000 << "\n";
        QTest::newRow("a larger font for a long word") << unbroken(2000) << 200 << -1 << "font";
    }
    void boxBreaksLinesWhereQtsPlainTextLayoutDoes()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(int, at);
        QFETCH(QString, typed);
        QWidget window;
        FieldTextEdit box(&window), qt(&window);
        auto *stock = new QTextDocument(&qt);
        stock->setDocumentLayout(new QPlainTextDocumentLayout(stock));
        qt.setDocument(stock); // Qt's own layout, in a box alike in every other way
        box.setGeometry(0, 0, width, 300);
        qt.setGeometry(0, 300, width, 300);
        window.resize(900, 600);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QStringList lines[2];
        for (FieldTextEdit *edit : {&box, &qt}) {
            edit->setFieldText(text);
            laidOutLines(*edit->document());
            if (typed == "font") {
                edit->setFont(QFont(edit->font().family(), 17));
            } else if (at >= 0) {
                QTextCursor cursor(edit->document());
                cursor.setPosition(at);
                cursor.insertText(typed);
            }
            lines[edit == &qt] = laidOutLines(*edit->document());
        }
        QVERIFY(qobject_cast<FieldTextLayout *>(box.document()->documentLayout()));
        QCOMPARE(lines[0], lines[1]);
        QVERIFY(lines[0].size() > 3);
    }

    void longPrintShowsAWaitCursorThenAProgressDialogWhoseCancelStopsIt()
    {
        QWidget window;
        {
            PrintProgressDialog progress(&window, 60000);
            QVERIFY(!progress.cancelled(1, 9) && !progress.dialog()
                    && QApplication::overrideCursor()->shape() == Qt::WaitCursor);
        }
        QVERIFY(!QApplication::overrideCursor());
        PrintProgressDialog progress(&window, 0);
        QVERIFY(!progress.cancelled(2, 9));
        QVERIFY(progress.dialog()->isVisible());
        QCOMPARE(progress.dialog()->windowModality(), Qt::WindowModal); // the window waits for the print
        QCOMPARE(progress.dialog()->labelText(), "Printing recipe 2 of 9");
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::BusyCursor); // the dialog can be used
        QTest::mouseClick(progress.dialog()->findChild<QPushButton *>(), Qt::LeftButton);
        QVERIFY(progress.cancelled(3, 9));
    }

    void windowPrintsIntoNewPdfFilesAndSaysWhereOnceDoneOrWhatFailed()
    {
        WindowFixture w("2,1\r\n\"Sponge cake\"\r\n\"15 min\"\r\n\"\"\r\n\"8\"\r\n\"4 eggs\r\n125 g sugar\"\r\n\""
                        + Paragraph.toUtf8() + "\"\r\n"
                        + QByteArray("\"Tea\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n"));
        w.type("nameEdit", "Victoria ");
        w.type("ingredientsEdit", "2 ");
        PromptRecorder prompts;
        bool busy = false;
        prompts.onShow = [&] { busy = busy || QApplication::overrideCursor(); };
        QTest::mouseClick(w.child("printButton"), Qt::LeftButton);
        QCOMPARE(w.list.at(1).name, "Sponge cake"); // printing one recipe stores nothing
        w.child<QAction>("printAllAction")->trigger();
        QCOMPARE(w.list.at(1).name, "Victoria Sponge cake"); // Print All stores first
        const QString saved = "No printer is installed, so the document was saved as a PDF file:\n\n";
        QCOMPARE(prompts.texts(), QStringList({saved + w.path("PRINTOUT-1.PDF"), saved + w.path("PRINTOUT-2.PDF")}));
        QVERIFY(!busy); // the print is over when the user is told
        const QStringList single = {"Recipe Name: Victoria Sponge cake",
                                    "Prep Time: 15 min",
                                    "Cook Time:",
                                    "Servings: 8",
                                    "Ingredients:",
                                    "2 4 eggs",
                                    "125 g sugar",
                                    "Directions:"};
        QCOMPARE(PdfText::lines(w.path("PRINTOUT-1.PDF")),
                 single + walkedLines(w.child<FieldTextEdit>("directionsEdit")));
        QCOMPARE(PdfText::lines(w.path("PRINTOUT-2.PDF")).filter("Name:"),
                 QStringList({"Recipe Name: Victoria Sponge cake", "Recipe Name: Tea"}));

        QVERIFY(QDir(w.dir.path()).removeRecursively()); // nowhere to keep the next one
        w.type("cookTimeEdit", "40 min");
        prompts.requests.clear();
        w.child<QAction>("printAllAction")->trigger();
        QCOMPARE(prompts.texts(), QStringList({"Path/File access error"}));
        QVERIFY(w.child<QLineEdit>("cookTimeEdit")->text() == "40 min" && w.counter() == "Record 1 of 2"
                && !QApplication::overrideCursor());
    }

    void aDocumentGoesToTheDefaultPrinterAsOneJob()
    {
        const QDir spooler(qEnvironmentVariable("LARDERLY_SPOOLER"));
        if (!qEnvironmentVariableIsSet("LARDERLY_SPOOLER"))
            QSKIP("run by the spooler test, which starts the daemon");
        if (QFile::exists(spooler.filePath("skip")))
            QSKIP("the spooler could not be started here: see its skip file");
        qputenv("CUPS_SERVER", QFile::encodeName(spooler.filePath("cups.sock")));
        QCOMPARE(DefaultPrinter::defaultPrinterName(), "LarderlyTest");
        Folder folder;
        DefaultPrinter printer(folder.dir.path(), {});
        for (int line = 0; line < 200; ++line) // several pages
            printer.printLine(QStringLiteral("Line %1").arg(line));
        printer.endDocument();
        const QDir out(spooler.filePath("out"));
        QTRY_VERIFY_WITH_TIMEOUT(!out.entryList({"*.pdf"}).isEmpty()
                                     && PdfText::pageCount(out.filePath(out.entryList({"*.pdf"})[0])) > 0,
                                 120000);
        QVERIFY(printer.pageCount() > 2);
        QCOMPARE(PdfText::pageCount(out.filePath(out.entryList({"*.pdf"})[0])), printer.pageCount());
        QCOMPARE(folder.files(), QStringList()); // nothing kept beside the recipes
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
