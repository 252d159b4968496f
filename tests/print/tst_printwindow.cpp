#include "FieldTextEdit.h"
#include "FormLayout.h"
#include "PdfText.h"
#include "PrintProgressDialog.h"
#include "PromptRecorder.h"
#include "QtPrinter.h"
#include "RecipeFile.h"
#include "RecipeList.h"
#include "TabControl.h"
#include "frmMain.h"

#include <QtTest>
#include <QtWidgets>

namespace {

const QString Paragraph = QStringLiteral("Whisk the eggs with the sugar until pale, fold in the flour a spoonful "
                                         "at a time and bake in a moderate oven until golden.");

// A shown main window over two recipes in a temporary folder, where printed documents land as
// PDF files since the tests see no printer.
struct Window
{
    Window()
    {
        QFile file(dir.filePath(RecipeFile::fileName()));
        if (file.open(QIODevice::WriteOnly))
            file.write("2,1\r\n\"Sponge cake\"\r\n\"15 min\"\r\n\"\"\r\n\"8\"\r\n\"4 eggs\r\n125 g sugar\"\r\n\""
                       + Paragraph.toUtf8() + "\r\nServe warm.\"\r\n\"Tea\"\r\n\"\"\r\n\"5 min\"\r\n\"1\"\r\n"
                       + "\"Leaves\"\r\n\"Steep.\"\r\n");
        file.close();
        window = std::make_unique<frmMain>(list, dir.path());
        window->Form_Load();
        window->show();
        exposed = QTest::qWaitForWindowExposed(window.get());
    }

    template<typename T = QWidget>
    T *child(const char *name) const { return window->findChild<T *>(QString::fromLatin1(name)); }
    void printSingle() const { QTest::mouseClick(child<QPushButton>("cmdPrintSingle"), Qt::LeftButton); }
    void printAll() const { child<QAction>("mnuFilePrint")->trigger(); }
    QString path(const QString &name) const { return QDir(dir.path()).filePath(name); }
    QStringList pdfs() const { return QDir(dir.path()).entryList({QStringLiteral("*.PDF")}, QDir::Files); }

    QTemporaryDir dir;
    RecipeList list;
    std::unique_ptr<frmMain> window;
    bool exposed = false;
};

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

// The lines as the user sees them, walked with the box's own cursor. End stops before the space
// that ends a wrapped line, so blanks at the end are dropped.
QStringList walkedLines(QPlainTextEdit *box)
{
    QStringList lines;
    const QString raw = box->document()->toRawText();
    box->moveCursor(QTextCursor::Start);
    for (int guard = 0; guard < 10000; ++guard) {
        const int start = box->textCursor().position();
        box->moveCursor(QTextCursor::EndOfLine);
        lines << raw.mid(start, box->textCursor().position() - start);
        box->moveCursor(QTextCursor::StartOfLine);
        box->moveCursor(QTextCursor::Down);
        if (box->textCursor().position() == start)
            break;
    }
    return lines;
}

QStringList trimmedAtTheEnd(QStringList lines)
{
    for (QString &line : lines) {
        while (line.endsWith(u' '))
            line.chop(1);
    }
    return lines;
}

} // namespace

class TestPrintWindow : public QObject
{
    Q_OBJECT

private slots:
    void boxReportsTheLinesItShowsAtItsWidth();
    void everyLineBreakTheBoxShowsIsCrLf_data();
    void everyLineBreakTheBoxShowsIsCrLf();
    void printsIntoNewPdfFilesAndSaysWhere();
    void failureShowsTheErrorAndChangesNothing_data();
    void failureShowsTheErrorAndChangesNothing();
    void progressComesUpAfterTheDelayAndCancelStops();
};

void TestPrintWindow::boxReportsTheLinesItShowsAtItsWidth()
{
    Window w;
    QVERIFY(w.exposed);
    auto *tabs = w.child<TabControl>("SSTab1");
    auto *directions = w.child<FieldTextEdit>("txtDirections");
    const int layoutWidth = directions->width();
    tabs->setCurrentIndex(1);
    QVERIFY(!directions->isVisible());
    directions->resize(layoutWidth * 2 / 3, directions->height());
    const QString text = (Paragraph + QStringLiteral("\r\n")).repeated(40) + QStringLiteral("Serve warm.");
    w.window->setBoxText(MainView::txtDirections, text);
    QCOMPARE(directions->document()->lastBlock().layout()->lineCount(), 0); // Qt has not laid it out yet

    const QStringList reported = reportedLines(*directions);
    QCOMPARE(directions->text(), text);
    QCOMPARE(reported.join(QString()), QString(text).remove(QStringLiteral("\r\n")));
    QVERIFY(reported.size() > 40 * 2);

    // Each wrapped line fits the box, and the next word would not have.
    const QFontMetricsF metrics(directions->font());
    const qreal room = directions->viewport()->width() - 2 * directions->document()->documentMargin();
    for (int i = 0; i + 1 < reported.size(); ++i) {
        QVERIFY2(metrics.horizontalAdvance(reported[i].trimmed()) <= room, qPrintable(reported[i]));
        if (reported[i].endsWith(u' '))
            QVERIFY2(metrics.horizontalAdvance(reported[i] + reported[i + 1].section(u' ', 0, 0)) > room,
                     qPrintable(reported[i]));
    }

    // The lines the user sees, also once the box on view is made wider.
    tabs->setCurrentIndex(0);
    QTRY_VERIFY(directions->isVisible());
    QCOMPARE(walkedLines(directions), trimmedAtTheEnd(reported));
    directions->resize(layoutWidth, directions->height());
    QVERIFY(reportedLines(*directions).size() < reported.size());
    QCOMPARE(walkedLines(directions), trimmedAtTheEnd(reportedLines(*directions)));
}

void TestPrintWindow::everyLineBreakTheBoxShowsIsCrLf_data()
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

void TestPrintWindow::everyLineBreakTheBoxShowsIsCrLf()
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
    QCOMPARE(box.fieldText(), field); // shown, not edited: the field is handed back as it was
}

void TestPrintWindow::printsIntoNewPdfFilesAndSaysWhere()
{
    if (!PdfText::toolsAvailable())
        QSKIP("pdftotext (poppler-utils) is needed to read the printed PDF back");
    Window w;
    QVERIFY(w.exposed);
    QVERIFY(QtPrinter::defaultPrinterName().isEmpty());
    auto *name = w.child<QLineEdit>("txtName");
    name->selectAll();
    QTest::keyClicks(name, "Victoria sponge");
    QTest::keyClicks(w.child("txtIngredients"), "2 ");

    PromptRecorder prompts;
    bool waitCursorOverMessage = false;
    prompts.onShow([&](const MessageBox::Request &) { waitCursorOverMessage = QApplication::overrideCursor(); });
    w.printSingle();
    QCOMPARE(w.list.Recipes(1).Name, "Sponge cake");
    QCOMPARE(w.list.Recipes(1).Ingredients, "4 eggs\r\n125 g sugar");
    w.printAll();
    QCOMPARE(w.pdfs(), QStringList({"PRINTOUT-1.PDF", "PRINTOUT-2.PDF"}));
    const QString saved = QStringLiteral("No printer is installed, so the document was saved as a PDF file:\n\n");
    QCOMPARE(prompts.texts(), QStringList({saved + QDir::toNativeSeparators(w.path("PRINTOUT-1.PDF")),
                                           saved + QDir::toNativeSeparators(w.path("PRINTOUT-2.PDF"))}));
    QVERIFY(!waitCursorOverMessage); // the print is over by the time the user is told

    QStringList single = {"Recipe Name: Victoria sponge", "Prep Time: 15 min", "Cook Time:", "Servings: 8",
                          "Ingredients:", "2 4 eggs", "125 g sugar", "Directions:"};
    single << walkedLines(w.child<FieldTextEdit>("txtDirections"));
    QVERIFY(single.size() > 11); // the paragraph came out over several lines
    QCOMPARE(PdfText::lines(w.path("PRINTOUT-1.PDF")), single);

    const QStringList all = PdfText::lines(w.path("PRINTOUT-2.PDF"));
    QCOMPARE(all.first(), "Recipes");
    QCOMPARE(all.filter("Recipe Name:"), QStringList({"Recipe Name: Victoria sponge", "Recipe Name: Tea"}));
    QVERIFY(all.contains("Ingredients: 2 4 eggs"));
    QCOMPARE(w.child<QLabel>("lblCurrRecord")->text(), "Record 1 of 2");
}

void TestPrintWindow::failureShowsTheErrorAndChangesNothing_data()
{
    QTest::addColumn<bool>("printAll");
    QTest::newRow("Print This Recipe") << false;
    QTest::newRow("Print All") << true;
}

void TestPrintWindow::failureShowsTheErrorAndChangesNothing()
{
    QFETCH(bool, printAll);

    Window w;
    QVERIFY(w.exposed);
    QVERIFY(QDir(w.dir.path()).removeRecursively()); // nowhere to keep the PDF
    QTest::keyClicks(w.child("txtCook"), "40 min");

    PromptRecorder prompts;
    printAll ? w.printAll() : w.printSingle();
    QCOMPARE(prompts.texts(), QStringList({"Path/File access error"}));
    QCOMPARE(w.child<QLineEdit>("txtCook")->text(), "40 min");
    QCOMPARE(w.child<QLineEdit>("txtName")->text(), "Sponge cake");
    QCOMPARE(w.list.Recipes(1).CookTime, printAll ? "40 min" : ""); // Print All stores the edits first
    QCOMPARE(w.list.RecipeCount(), Int16(2));
    QVERIFY(!QApplication::overrideCursor());
}

void TestPrintWindow::progressComesUpAfterTheDelayAndCancelStops()
{
    QWidget owner;
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    {
        PrintProgressDialog shortPrint(&owner, 60 * 60 * 1000);
        QVERIFY(!shortPrint.cancelled(1000, 1000));
        QVERIFY(!shortPrint.dialog());
        QVERIFY(QApplication::overrideCursor());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    QVERIFY(!QApplication::overrideCursor());
    {
        PrintProgressDialog progress(&owner, 0);
        QVERIFY(!progress.cancelled(1, 40));
        QProgressDialog *dialog = progress.dialog();
        QVERIFY(dialog);
        QTRY_VERIFY(dialog->isVisible());
        QCOMPARE(dialog->windowModality(), Qt::WindowModal);
        QCOMPARE(dialog->maximum(), 40);
        QVERIFY(QApplication::overrideCursor());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::BusyCursor);

        auto *cancel = dialog->findChild<QPushButton *>();
        QVERIFY(cancel);
        QCOMPARE(cancel->text(), "Cancel");
        QTest::mouseClick(cancel, Qt::LeftButton);
        QVERIFY(progress.cancelled(2, 40));
    }
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(!owner.findChild<QProgressDialog *>());
}

QTEST_MAIN(TestPrintWindow)
#include "tst_printwindow.moc"

