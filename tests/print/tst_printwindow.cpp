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

QByteArray recipesFile()
{
    return QByteArray("2,1\r\n\"Sponge cake\"\r\n\"15 min\"\r\n\"\"\r\n\"8\"\r\n\"4 eggs\r\n125 g sugar\r\n\"\r\n\"")
        + Paragraph.toUtf8() + "\r\nServe warm.\"\r\n"
        + "\"Tea\"\r\n\"\"\r\n\"5 min\"\r\n\"1\"\r\n\"Leaves\"\r\n\"Steep.\"\r\n";
}

// A shown main window over RECIPES.DAT in a temporary folder, where printed documents land as
// PDF files since the tests see no printer.
class Window
{
public:
    Window()
    {
        QFile f(dir.filePath(RecipeFile::fileName()));
        if (f.open(QIODevice::WriteOnly))
            f.write(recipesFile());
        f.close();
        window = std::make_unique<frmMain>(list, dir.path());
        window->Form_Load();
        window->show();
        exposed = QTest::qWaitForWindowExposed(window.get());
    }

    template<typename T = QWidget>
    T *child(const char *name) const
    {
        return window->findChild<T *>(QString::fromLatin1(name));
    }
    FieldTextEdit *box(const char *name) const { return child<FieldTextEdit>(name); }
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
    const QString text = box.text();
    for (int line = 0; line < box.lineCount(); ++line) {
        const int start = box.lineIndex(qint16(line));
        lines << text.mid(start, box.lineLength(qint16(start)));
    }
    return lines;
}

// The lines as the box's own cursor walks them, Home to End, line by line: what the user sees.
// End stops before the space that ends a wrapped line, so blanks at the end are dropped.
QStringList walkedLines(QPlainTextEdit *box)
{
    QStringList lines;
    const QString raw = box->document()->toRawText();
    QTextCursor saved = box->textCursor();
    box->moveCursor(QTextCursor::Start);
    for (int guard = 0; guard < 10000; ++guard) {
        box->moveCursor(QTextCursor::StartOfLine);
        const int start = box->textCursor().position();
        box->moveCursor(QTextCursor::EndOfLine);
        lines << raw.mid(start, box->textCursor().position() - start);
        box->moveCursor(QTextCursor::StartOfLine);
        box->moveCursor(QTextCursor::Down);
        if (box->textCursor().position() == start)
            break;
    }
    box->setTextCursor(saved);
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
    void boxReportsTheLinesItShows_data();
    void boxReportsTheLinesItShows();
    void boxNeverShownLaysOutAtItsWidth();
    void everyLineBreakTheBoxShowsIsCrLf_data();
    void everyLineBreakTheBoxShowsIsCrLf();
    void printThisRecipeKeepsAPdfAndSaysWhere();
    void printAllThroughTheMenu();
    void failureShowsTheErrorAndChangesNothing_data();
    void failureShowsTheErrorAndChangesNothing();
    void progressComesUpAfterTheDelayAndCancelStops();
    void shortPrintShowsOnlyTheWaitCursor();
};

void TestPrintWindow::boxReportsTheLinesItShows_data()
{
    QTest::addColumn<bool>("resourcesOnView");
    QTest::addColumn<int>("widthTwips"); // 0: as laid out
    QTest::addColumn<int>("moreLines");  // than at the layout's width: -1 fewer, 0 as many, 1 more

    QTest::newRow("My Recipes on view") << false << 0 << 0;
    QTest::newRow("Resources on view, text set while hidden") << true << 0 << 0;
    QTest::newRow("narrower box wraps more") << false << 2000 << 1;
    QTest::newRow("wider box wraps less") << false << 6000 << -1;
    QTest::newRow("narrower box while hidden") << true << 2000 << 1;
}

void TestPrintWindow::boxReportsTheLinesItShows()
{
    QFETCH(bool, resourcesOnView);
    QFETCH(int, widthTwips);
    QFETCH(int, moreLines);

    Window w;
    QVERIFY(w.exposed);
    auto *tabs = w.child<TabControl>("SSTab1");
    FieldTextEdit *directions = w.box("txtDirections");
    const int layoutWidth = directions->width();
    if (widthTwips)
        directions->resize(FormLayout::pixels(widthTwips), directions->height());
    if (resourcesOnView) {
        tabs->setCurrentIndex(1);
        QVERIFY(!directions->isVisible());
    }
    const QString text = (Paragraph + QStringLiteral("\r\n")).repeated(40) + QStringLiteral("Serve warm.");
    w.window->setBoxText(MainView::txtDirections, text);
    if (resourcesOnView) // Qt has left most of the new text unlaid out
        QCOMPARE(directions->document()->lastBlock().layout()->lineCount(), 0);

    const QStringList reported = reportedLines(*directions);
    QCOMPARE(directions->text(), text);
    QCOMPARE(reported.join(QString()), QString(text).remove(QStringLiteral("\r\n")));
    QVERIFY(reported.size() >= 2 * 40 + 1);

    // Each wrapped line fits the box, and the next word would not have.
    const QFontMetricsF metrics(directions->font());
    const qreal room = directions->viewport()->width() - 2 * directions->document()->documentMargin();
    for (int i = 0; i + 1 < reported.size(); ++i) {
        QVERIFY2(metrics.horizontalAdvance(reported[i].trimmed()) <= room, qPrintable(reported[i]));
        if (reported[i].endsWith(u' ')) {
            const QString nextWord = reported[i + 1].section(u' ', 0, 0);
            QVERIFY2(metrics.horizontalAdvance(reported[i] + nextWord) > room, qPrintable(reported[i]));
        }
    }

    // The same lines as the user sees on the page.
    tabs->setCurrentIndex(0);
    QTRY_VERIFY(directions->isVisible());
    QCOMPARE(walkedLines(directions), trimmedAtTheEnd(reported));
    QCOMPARE(reportedLines(*directions), reported);

    directions->resize(layoutWidth, directions->height());
    const qsizetype atLayoutWidth = reportedLines(*directions).size();
    QCOMPARE(reported.size() > atLayoutWidth ? 1 : reported.size() < atLayoutWidth ? -1 : 0, moreLines);
}

void TestPrintWindow::boxNeverShownLaysOutAtItsWidth()
{
    const QRect geometry = FormLayout::rect(0, 0, 3135, 2175);
    FieldTextEdit shown;
    shown.setFont(FormLayout::font());
    shown.setGeometry(geometry);
    shown.show();
    QVERIFY(QTest::qWaitForWindowExposed(&shown));
    shown.setFieldText(Paragraph);

    FieldTextEdit hidden;
    hidden.setFont(FormLayout::font());
    hidden.setGeometry(geometry);
    hidden.setFieldText(Paragraph);

    const QStringList lines = reportedLines(hidden);
    QVERIFY(lines.size() >= 3);
    QCOMPARE(lines, reportedLines(shown));
}

void TestPrintWindow::everyLineBreakTheBoxShowsIsCrLf_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("CR LF") << "a\r\nb" << "a\r\nb" << QStringList{"a", "b"};
    QTest::newRow("lone LF and lone CR") << "a\nb\rc" << "a\r\nb\r\nc" << QStringList{"a", "b", "c"};
    QTest::newRow("line separator") << QStringLiteral("a\u2028b") << "a\r\nb" << QStringList{"a", "b"};
    QTest::newRow("line separator at the end") << QStringLiteral("a\u2028") << "a\r\n" << QStringList{"a", ""};
    QTest::newRow("two line separators") << QStringLiteral("a\u2028\u2028b") << "a\r\n\r\nb"
                                         << QStringList{"a", "", "b"};
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

void TestPrintWindow::printThisRecipeKeepsAPdfAndSaysWhere()
{
    if (!PdfText::toolsAvailable())
        QSKIP("pdftotext (poppler-utils) is needed to read the printed PDF back");
    Window w;
    QVERIFY(w.exposed);
    QVERIFY(QtPrinter::defaultPrinterName().isEmpty());
    auto *name = w.child<QLineEdit>("txtName");
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, "Victoria sponge");

    PromptRecorder prompts;
    QTest::mouseClick(w.child<QPushButton>("cmdPrintSingle"), Qt::LeftButton);
    QCOMPARE(w.pdfs(), QStringList({"PRINTOUT-1.PDF"}));
    const QString pdf = QDir(w.dir.path()).filePath(QStringLiteral("PRINTOUT-1.PDF"));
    QCOMPARE(prompts.texts(), QStringList({"No printer is installed, so the document was saved as a PDF file:\n\n"
                                           + QDir::toNativeSeparators(pdf)}));

    QStringList expected = {"Recipe Name: Victoria sponge", "Prep Time: 15 min", "Cook Time:", "Servings: 8",
                            "Ingredients:", "4 eggs", "125 g sugar", "Directions:"};
    expected << trimmedAtTheEnd(reportedLines(*w.box("txtDirections")));
    QCOMPARE(PdfText::lines(pdf), expected);
    QVERIFY(expected.size() > 11); // the paragraph came out over several lines

    QCOMPARE(w.list.Recipes(1).Name, QStringLiteral("Sponge cake"));
    QCOMPARE(name->text(), QStringLiteral("Victoria sponge"));
}

void TestPrintWindow::printAllThroughTheMenu()
{
    if (!PdfText::toolsAvailable())
        QSKIP("pdftotext (poppler-utils) is needed to read the printed PDF back");
    Window w;
    QVERIFY(w.exposed);
    QTest::keyClick(w.window.get(), Qt::Key_F12);
    QTest::keyClicks(w.child("txtServe"), "2");

    PromptRecorder prompts;
    w.window->findChild<QAction *>("mnuFilePrint")->trigger();
    QCOMPARE(w.pdfs(), QStringList({"PRINTOUT-1.PDF"}));
    QCOMPARE(prompts.requests().size(), 1);
    QVERIFY(prompts.texts().first().endsWith(QStringLiteral("PRINTOUT-1.PDF")));
    const QStringList lines = PdfText::lines(QDir(w.dir.path()).filePath(QStringLiteral("PRINTOUT-1.PDF")));
    QCOMPARE(lines.first(), QStringLiteral("Recipes"));
    QCOMPARE(lines.filter("Recipe Name:"), QStringList({"Recipe Name: Sponge cake", "Recipe Name: Tea"}));
    QVERIFY(lines.contains("Servings: 21")); // typed in front of the stored "1"
    QVERIFY(lines.contains("Ingredients: 4 eggs"));
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(w.child<QLabel>("lblCurrRecord")->text(), QStringLiteral("Record 2 of 2"));
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
    if (printAll)
        w.window->findChild<QAction *>("mnuFilePrint")->trigger();
    else
        QTest::mouseClick(w.child<QPushButton>("cmdPrintSingle"), Qt::LeftButton);
    QCOMPARE(prompts.texts(), QStringList({"Path/File access error"}));
    QCOMPARE(w.child<QLineEdit>("txtCook")->text(), QStringLiteral("40 min"));
    QCOMPARE(w.child<QLineEdit>("txtName")->text(), QStringLiteral("Sponge cake"));
    QCOMPARE(w.list.Recipes(1).CookTime, printAll ? QStringLiteral("40 min") : QString());
    QCOMPARE(w.list.RecipeCount(), Int16(2));
    QVERIFY(!QApplication::overrideCursor());

    // The printer is not left in a document: the next print works once the folder is back.
    QVERIFY(QDir().mkpath(w.dir.path()));
    prompts.clear();
    QTest::mouseClick(w.child<QPushButton>("cmdPrintSingle"), Qt::LeftButton);
    QCOMPARE(prompts.requests().size(), 1);
    QCOMPARE(w.pdfs(), QStringList({"PRINTOUT-1.PDF"}));
    if (PdfText::toolsAvailable())
        QCOMPARE(PdfText::lines(QDir(w.dir.path()).filePath(QStringLiteral("PRINTOUT-1.PDF"))).first(),
                 QStringLiteral("Recipe Name: Sponge cake"));
}

void TestPrintWindow::progressComesUpAfterTheDelayAndCancelStops()
{
    QWidget owner;
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    {
        PrintProgressDialog progress(&owner, 0);
        QVERIFY(QApplication::overrideCursor());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        QVERIFY(!progress.cancelled(1, 40));
        QProgressDialog *dialog = progress.dialog();
        QVERIFY(dialog);
        QTRY_VERIFY(dialog->isVisible());
        QCOMPARE(dialog->windowModality(), Qt::WindowModal);
        QCOMPARE(dialog->maximum(), 40);
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::BusyCursor);

        QPushButton *cancel = dialog->findChild<QPushButton *>();
        QVERIFY(cancel);
        QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
        QTest::mouseClick(cancel, Qt::LeftButton);
        QVERIFY(progress.cancelled(2, 40));
    }
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(!owner.findChild<QProgressDialog *>());
}

void TestPrintWindow::shortPrintShowsOnlyTheWaitCursor()
{
    PrintProgressDialog progress(nullptr, 60 * 60 * 1000);
    for (int i = 1; i <= 1000; ++i)
        QVERIFY(!progress.cancelled(i, 1000));
    QVERIFY(!progress.dialog());
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
}

QTEST_MAIN(TestPrintWindow)
#include "tst_printwindow.moc"
