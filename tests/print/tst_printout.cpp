#include "FieldTextEdit.h"
#include "FormLayout.h"
#include "ListPrint.h"
#include "PdfText.h"
#include "PrintProgressDialog.h"
#include "PromptRecorder.h"
#include "QtPrinter.h"
#include "TabControl.h"
#include "WindowFixture.h"

#include <sys/stat.h>

namespace {

constexpr qreal Margin = 18;    // points: the unprintable border of a PDF made without a printer
constexpr qreal Tolerance = 1.5; // points: glyph side bearings

// A printer that keeps its documents as PDF files in a temporary folder.
struct PdfPrinter : Folder
{
    PdfPrinter() : printer(dir.path(), [this](const QString &path) { written << path; }, QtPrinter::PdfFile) {}
    QStringList written;
    QtPrinter printer;
};

const QString Paragraph = QStringLiteral("Whisk the eggs with the sugar until pale, fold in the flour a spoonful at a "
                                         "time and bake in a moderate oven until golden.");

QByteArray twoRecipes()
{
    return "2,1\r\n\"Sponge cake\"\r\n\"15 min\"\r\n\"\"\r\n\"8\"\r\n\"4 eggs\r\n125 g sugar\"\r\n\"" + Paragraph.toUtf8()
         + "\r\nServe warm.\"\r\n\"Tea\"\r\n\"\"\r\n\"5 min\"\r\n\"1\"\r\n\"Leaves\"\r\n\"Steep.\"\r\n";
}

// The lines the box reports to the printing code.
QStringList reportedLines(MultiLineTextBox &box)
{
    QStringList lines;
    for (int line = 0; line < box.lineCount(); ++line) {
        const int start = box.lineIndex(qint16(line));
        lines << box.text().mid(start, box.lineLength(qint16(start)));
    }
    return lines;
}

// The lines the user sees, walked with the box's own cursor, and the reported ones alike without
// the blanks that end a wrapped line, which the cursor never reaches.
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

QStringList trimmedAtTheEnd(QStringList lines)
{
    for (QString &line : lines)
        line.remove(QRegularExpression(" +$"));
    return lines;
}

} // namespace

class TestPrintout : public QObject
{
    Q_OBJECT

private slots:
    void recipesReadBackInOrderHalfAnInchIn()
    {
        PdfPrinter p;
        ListPrint::PrintAllRecipes(listOf({"Crème brûlée", "10 min", "20 min", "4", "Cream\r\nSugar", "Bake.\r\nBurn.",
                                           "Tea", "", "5 min", "1", "Leaves", "Steep."}, 1), p.printer);
        QCOMPARE(p.written, QStringList({p.path("PRINTOUT-1.PDF")}));
        QCOMPARE(PdfText::lines(p.written[0]),
                 QStringList({"Recipes", "Recipe Name: Crème brûlée", "Prep Time: 10 min", "Cook Time: 20 min", "Servings: 4",
                              "Ingredients: Cream", "Sugar", "Directions: Bake.", "Burn.", "Recipe Name: Tea", "Prep Time:",
                              "Cook Time: 5 min", "Servings: 1", "Ingredients: Leaves", "Directions: Steep."}));
        // Half an inch in from the printable area, from its top; a line break starts at the left
        // edge; the heading at 12 points, the rest at 10.
        QHash<QString, QRectF> at;
        for (const PdfText::Word &word : PdfText::words(p.written[0]))
            at.insert(word.text, word.box);
        QVERIFY2(qAbs(at["Recipes"].left() - (Margin + 36)) < Tolerance, qPrintable(QString::number(at["Recipes"].left())));
        QVERIFY2(at["Recipes"].top() >= Margin && at["Recipes"].top() < Margin + 12, qPrintable(QString::number(at["Recipes"].top())));
        QVERIFY(qAbs(at["Sugar"].left() - at["Ingredients:"].left()) < Tolerance);
        QVERIFY(at["Cream"].left() > at["Ingredients:"].right());
        QVERIFY(qAbs((at["Sugar"].top() - at["Cream"].top()) - (at["Cream"].top() - at["4"].top())) < Tolerance);
        QVERIFY2(qAbs(at["Recipes"].height() / at["Sugar"].height() - 1.2) < 0.05, qPrintable(QString::number(at["Recipes"].height())));
    }

    void linesThatNoLongerFitGoOnTheNextPage_data()
    {
        QTest::addColumn<float>("size");
        QTest::newRow("10 points") << 10.0f;
        QTest::newRow("24 points") << 24.0f;
    }
    void linesThatNoLongerFitGoOnTheNextPage()
    {
        QFETCH(float, size);
        PdfPrinter p;
        p.printer.setFontSize(size);
        QStringList expected;
        for (int i = 1; i <= 200; ++i) {
            expected << QStringLiteral("Line %1").arg(i);
            p.printer.printLine(expected.last());
        }
        p.printer.endDoc();
        const QString pdf = p.written.value(0);
        const int pages = PdfText::pageCount(pdf);
        QVERIFY(pages > 1);
        QCOMPARE(p.printer.pageCount(), pages);
        QCOMPARE(PdfText::lines(pdf), expected);
        // Every line inside the printable area, each page filled until the next line would not fit.
        const qreal bottom = PdfText::pageHeight(pdf) - Margin;
        QList<qreal> lowest(pages + 1, 0);
        for (const PdfText::Word &word : PdfText::words(pdf)) {
            QVERIFY2(word.box.top() >= Margin - Tolerance && word.box.bottom() <= bottom + Tolerance, qPrintable(word.text));
            lowest[word.page] = std::max(lowest[word.page], word.box.bottom());
            if (word.text.startsWith(u'L'))
                QVERIFY2(qAbs(word.box.height() - size * 1.15) < size * 0.15, qPrintable(QString::number(word.box.height())));
        }
        for (int i = 1; i < pages; ++i)
            QVERIFY2(bottom - lowest[i] < 1.5 * size, qPrintable(QString::number(lowest[i])));
    }

    void documentsGetNewFilesOfTheUsersModeAndAbortedOnesLeaveNothing_data()
    {
        QTest::addColumn<int>("umask");
        QTest::addColumn<QString>("mode");
        QTest::newRow("umask 022: readable by all") << 022 << "644";
        QTest::newRow("umask 077: the owner's alone") << 077 << "600";
    }
    void documentsGetNewFilesOfTheUsersModeAndAbortedOnesLeaveNothing()
    {
        QFETCH(int, umask);
        QFETCH(QString, mode);
        PdfPrinter p;
        p.put("keep me", "PRINTOUT-1.PDF");
        p.printer.printLine("Discard me");
        QCOMPARE(p.files().size(), 2); // the document in progress
        p.printer.killDoc();
        p.printer.killDoc(); // with no document open there is nothing to do
        QCOMPARE(p.files(), QStringList({"PRINTOUT-1.PDF"}));
        const mode_t before = ::umask(mode_t(umask));
        for (const char *text : {"First", "Second"}) {
            p.printer.printLine(text);
            p.printer.endDoc();
        }
        ::umask(before);
        QCOMPARE(p.written, QStringList({p.path("PRINTOUT-2.PDF"), p.path("PRINTOUT-3.PDF")}));
        QCOMPARE(PdfText::lines(p.written[0]) + PdfText::lines(p.written[1]) + QStringList{p.bytes("PRINTOUT-1.PDF")},
                 QStringList({"First", "Second", "keep me"}));
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(p.written[1]).constData(), &info), 0);
        QCOMPARE(QString::number(info.st_mode & 0777, 8), mode);
    }

    void boxReportsTheLinesItShowsAtItsWidthEvenWhenHidden()
    {
        WindowFixture w(twoRecipes());
        auto *tabs = w.child<TabControl>("SSTab1");
        auto *box = w.child<FieldTextEdit>("txtDirections");
        const int width = box->width();
        tabs->setCurrentIndex(1);
        box->resize(width * 2 / 3, box->height());
        const QString text = (Paragraph + "\r\n").repeated(40) + "Serve warm.";
        w.window->setBoxText(MainView::txtDirections, text);
        QCOMPARE(box->document()->lastBlock().layout()->lineCount(), 0); // not laid out by Qt yet

        const QStringList reported = reportedLines(*box);
        QCOMPARE(box->text(), text);
        QCOMPARE(reported.join(QString()), QString(text).remove("\r\n"));
        QVERIFY(reported.size() > 80);
        // Each wrapped line fits the box, and its next word would not have.
        const QFontMetricsF metrics(box->font());
        const qreal room = box->viewport()->width() - 2 * box->document()->documentMargin();
        for (int i = 0; i + 1 < reported.size(); ++i) {
            QVERIFY2(metrics.horizontalAdvance(reported[i].trimmed()) <= room, qPrintable(reported[i]));
            if (reported[i].endsWith(u' '))
                QVERIFY(metrics.horizontalAdvance(reported[i] + reported[i + 1].section(u' ', 0, 0)) > room);
        }
        tabs->setCurrentIndex(0);
        QTRY_VERIFY(box->isVisible());
        QCOMPARE(walkedLines(box), trimmedAtTheEnd(reported));
        box->resize(width, box->height()); // wider: fewer lines, as on screen
        QVERIFY(reportedLines(*box).size() < reported.size());
        QCOMPARE(walkedLines(box), trimmedAtTheEnd(reportedLines(*box)));
    }

    void everyLineBreakTheBoxShowsIsACrLf_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("lone LF, lone CR, CR LF") << "a\nb\rc\r\nd" << "a\r\nb\r\nc\r\nd" << QStringList{"a", "b", "c", "d"};
        QTest::newRow("line separators, two in a row and one at the end")
            << QStringLiteral("a\u2028\u2028b\u2028") << "a\r\n\r\nb\r\n" << QStringList{"a", "", "b", ""};
        QTest::newRow("final line break") << "a\r\n" << "a\r\n" << QStringList{"a", ""};
        QTest::newRow("empty box") << "" << "" << QStringList{""};
    }
    void everyLineBreakTheBoxShowsIsACrLf()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        FieldTextEdit box;
        box.setGeometry(FormLayout::rect(0, 0, 3135, 2175));
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        box.setFieldText(field);
        QCOMPARE(box.text(), text);
        QCOMPARE(reportedLines(box), lines);
        QCOMPARE(walkedLines(&box), lines);
        QCOMPARE(box.fieldText(), field); // shown, not edited: handed back as it was
    }

    void printsIntoNewPdfFilesAndSaysWhereOnceDone()
    {
        WindowFixture w(twoRecipes());
        QVERIFY(QtPrinter::defaultPrinterName().isEmpty());
        w.type("txtName", "Victoria ");
        w.type("txtIngredients", "2 ");
        PromptRecorder prompts;
        bool busy = false;
        prompts.onShow = [&] { busy = busy || QApplication::overrideCursor(); };
        QTest::mouseClick(w.child("cmdPrintSingle"), Qt::LeftButton);
        QCOMPARE(w.list.Recipes(1).Name, "Sponge cake"); // printing one recipe stores nothing
        w.child<QAction>("mnuFilePrint")->trigger();
        QCOMPARE(w.list.Recipes(1).Name, "Victoria Sponge cake"); // Print All stores first
        const QString saved = "No printer is installed, so the document was saved as a PDF file:\n\n";
        QCOMPARE(prompts.texts(), QStringList({saved + QDir::toNativeSeparators(w.path("PRINTOUT-1.PDF")),
                                               saved + QDir::toNativeSeparators(w.path("PRINTOUT-2.PDF"))}));
        QVERIFY(!busy); // the print is over when the user is told

        QStringList single = {"Recipe Name: Victoria Sponge cake", "Prep Time: 15 min", "Cook Time:", "Servings: 8",
                              "Ingredients:", "2 4 eggs", "125 g sugar", "Directions:"};
        single << walkedLines(w.child<FieldTextEdit>("txtDirections"));
        QVERIFY(single.size() > 11); // the paragraph came out on several lines
        QCOMPARE(PdfText::lines(w.path("PRINTOUT-1.PDF")), single);
        const QStringList all = PdfText::lines(w.path("PRINTOUT-2.PDF"));
        QCOMPARE(all.first(), "Recipes");
        QCOMPARE(all.filter("Recipe Name:"), QStringList({"Recipe Name: Victoria Sponge cake", "Recipe Name: Tea"}));
        QVERIFY(all.contains("Ingredients: 2 4 eggs"));
    }

    void failureShowsTheErrorAndChangesNothing_data()
    {
        QTest::addColumn<bool>("printAll");
        QTest::newRow("Print This Recipe") << false;
        QTest::newRow("Print All") << true;
    }
    void failureShowsTheErrorAndChangesNothing()
    {
        QFETCH(bool, printAll);
        WindowFixture w(twoRecipes());
        QVERIFY(QDir(w.dir.path()).removeRecursively()); // nowhere to keep the PDF
        w.type("txtCook", "40 min");
        PromptRecorder prompts;
        printAll ? w.child<QAction>("mnuFilePrint")->trigger() : QTest::mouseClick(w.child("cmdPrintSingle"), Qt::LeftButton);
        QCOMPARE(prompts.texts(), QStringList({"Path/File access error"}));
        QCOMPARE(w.child<QLineEdit>("txtCook")->text(), "40 min");
        QCOMPARE(w.counter(), "Record 1 of 2");
        QVERIFY(!QApplication::overrideCursor());
    }

    void progressComesUpAfterTheDelayAndItsCancelStops()
    {
        QWidget owner;
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        {
            PrintProgressDialog quick(&owner, 60 * 60 * 1000);
            QVERIFY(!quick.cancelled(1000, 1000) && !quick.dialog());
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        }
        QVERIFY(!QApplication::overrideCursor());
        {
            PrintProgressDialog progress(&owner, 0);
            QVERIFY(!progress.cancelled(1, 40));
            QProgressDialog *dialog = progress.dialog();
            QTRY_VERIFY(dialog && dialog->isVisible());
            QCOMPARE(dialog->windowModality(), Qt::WindowModal);
            QCOMPARE(dialog->maximum(), 40);
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
            QTest::mouseClick(dialog->findChild<QPushButton *>(), Qt::LeftButton);
            QVERIFY(progress.cancelled(2, 40));
        }
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(!owner.findChild<QProgressDialog *>());
    }
};

QTEST_MAIN(TestPrintout)
#include "tst_printout.moc"
