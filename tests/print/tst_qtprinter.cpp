#include "FakeTextBox.h"
#include "ListPrint.h"
#include "RecipePrint.h"
#include "PdfText.h"
#include "QtPrinter.h"
#include "RecipeList.h"
#include "RuntimeError.h"

#include <QtTest>

namespace {

constexpr qreal Margin = 18;       // the unprintable border of a PDF made without a printer, points
constexpr qreal HalfAnInch = 36;   // points
constexpr qreal Tolerance = 1.5;   // points: glyph side bearings

// A printer that keeps its documents as PDF files in a temporary folder.
class PdfPrinter
{
public:
    PdfPrinter()
        : printer(dir.path(), [this](const QString &path) { written << path; }, QtPrinter::PdfFile)
    {
    }

    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir dir;
    QStringList written;
    QtPrinter printer;
};

} // namespace

class TestQtPrinter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void singleRecipeReadsBackInOrder();
    void allRecipesReadBackInOrder();
    void linesThatNoLongerFitGoOnTheNextPage_data();
    void linesThatNoLongerFitGoOnTheNextPage();
    void originsPlaceTheText_data();
    void originsPlaceTheText();
    void fontSizeSetsTheSizeOfTheText();
    void everyDocumentGetsANewFileNeverReplacingOne();
    void abortedDocumentLeavesNothing();
    void missingFolderIsReportedAtTheFirstLine();
};

void TestQtPrinter::initTestCase()
{
    if (!PdfText::toolsAvailable())
        QSKIP("pdftotext and pdfinfo (poppler-utils) are needed to read the printed PDF back; "
              "scripts/deps.sh test installs them");
}

void TestQtPrinter::singleRecipeReadsBackInOrder()
{
    PdfPrinter p;
    FakeTextBox ingredients(QStringLiteral("2 carrots\r\n1 l water\r\n"));
    FakeTextBox directions(QStringLiteral("Peel the carrots, then simmer them in the water for twenty minutes."), 30);
    RecipePrint::PrintSingleRecipe(p.printer, QStringLiteral("Carrot soup"), QStringLiteral("10 min"), QString(),
                             QStringLiteral("Crème fraîche: 4"), ingredients, directions);

    QCOMPARE(p.written, QStringList({QDir(p.dir.path()).filePath(QStringLiteral("PRINTOUT-1.PDF"))}));
    QCOMPARE(p.files(), QStringList({QStringLiteral("PRINTOUT-1.PDF")}));
    QCOMPARE(PdfText::lines(p.written.first()),
             QStringList({"Recipe Name: Carrot soup", "Prep Time: 10 min", "Cook Time:",
                          "Servings: Crème fraîche: 4", "Ingredients:", "2 carrots", "1 l water", "Directions:",
                          "Peel the carrots, then simmer", "them in the water for twenty", "minutes."}));
    QCOMPARE(PdfText::pageCount(p.written.first()), 1);
    QCOMPARE(p.printer.pageCount(), 1);
}

void TestQtPrinter::allRecipesReadBackInOrder()
{
    RecipeList list;
    const QList<Recipe> recipes = {{"Soup", "10 min", "20 min", "4", "Water\r\nSalt\r\nPepper", "Boil.\r\nServe."},
                                   {"Tea", "", "5 min", "1", "Leaves", "Steep."}};
    for (const Recipe &recipe : recipes) {
        list.appendEmpty();
        list.Recipes(list.RecipeCount()) = recipe;
    }
    PdfPrinter p;
    ListPrint::PrintAllRecipes(list, p.printer);
    QCOMPARE(p.written.size(), 1);
    QCOMPARE(PdfText::lines(p.written.first()),
             QStringList({"Recipes", "Recipe Name: Soup", "Prep Time: 10 min", "Cook Time: 20 min", "Servings: 4",
                          "Ingredients: Water", "Salt", "Pepper", "Directions: Boil.", "Serve.", "Recipe Name: Tea",
                          "Prep Time:", "Cook Time: 5 min", "Servings: 1", "Ingredients: Leaves",
                          "Directions: Steep."}));

    // The lines after a line break start at the left edge, not under the text after the label.
    const QList<PdfText::Word> words = PdfText::words(p.written.first());
    auto wordAt = [&](const QString &text) {
        for (const PdfText::Word &word : words) {
            if (word.text == text)
                return word.box;
        }
        return QRectF();
    };
    QVERIFY(!wordAt("Salt").isNull());
    QVERIFY(qAbs(wordAt("Salt").left() - wordAt("Ingredients:").left()) < Tolerance);
    QVERIFY(wordAt("Water").left() > wordAt("Ingredients:").right());
}

void TestQtPrinter::linesThatNoLongerFitGoOnTheNextPage_data()
{
    QTest::addColumn<float>("size");
    QTest::addColumn<int>("lineCount");
    QTest::newRow("200 lines at 10 points") << 10.0f << 200;
    QTest::newRow("200 lines at 24 points") << 24.0f << 200;
}

void TestQtPrinter::linesThatNoLongerFitGoOnTheNextPage()
{
    QFETCH(float, size);
    QFETCH(int, lineCount);

    PdfPrinter p;
    p.printer.setFontSize(size);
    QStringList expected;
    for (int i = 1; i <= lineCount; ++i) {
        expected << QStringLiteral("Line %1").arg(i);
        p.printer.printLine(expected.last());
    }
    p.printer.endDoc();
    const QString pdf = p.written.value(0);
    const int pages = PdfText::pageCount(pdf);
    QCOMPARE(pages, p.printer.pageCount());
    QVERIFY(pages > 1);

    // Every line once, in order, across the pages, none below the printable area, and each page
    // filled until the next line would not fit.
    QStringList read;
    for (int i = 1; i <= pages; ++i) {
        const QStringList onPage = PdfText::lines(pdf, i, i);
        QVERIFY2(!onPage.isEmpty(), "empty page");
        read << onPage;
    }
    QCOMPARE(read, expected);
    const QSizeF page = PdfText::pageSize(pdf);
    QList<qreal> lowest(pages + 1, 0);
    for (const PdfText::Word &word : PdfText::words(pdf)) {
        QVERIFY2(word.box.bottom() <= page.height() - Margin + Tolerance, qPrintable(word.text));
        QVERIFY2(word.box.top() >= Margin - Tolerance, qPrintable(word.text));
        lowest[word.page] = std::max(lowest[word.page], word.box.bottom());
    }
    for (int i = 1; i < pages; ++i)
        QVERIFY2(page.height() - Margin - lowest[i] < 1.5 * size, qPrintable(QString::number(lowest[i])));
}

void TestQtPrinter::originsPlaceTheText_data()
{
    QTest::addColumn<float>("scaleLeft");
    QTest::addColumn<qreal>("left");
    QTest::newRow("left edge at 0: text at the printable area's edge") << 0.0f << Margin;
    QTest::newRow("left edge at -720: half an inch in") << -720.0f << Margin + HalfAnInch;
    QTest::newRow("left edge at -1440: an inch in") << -1440.0f << Margin + 2 * HalfAnInch;
}

void TestQtPrinter::originsPlaceTheText()
{
    QFETCH(float, scaleLeft);
    QFETCH(qreal, left);

    PdfPrinter p;
    p.printer.setScaleLeft(scaleLeft);
    p.printer.setScaleTop(0);
    p.printer.printLine(QStringLiteral("Hello"));
    p.printer.endDoc();
    const QList<PdfText::Word> words = PdfText::words(p.written.value(0));
    QCOMPARE(words.size(), 1);
    QVERIFY2(qAbs(words[0].box.left() - left) < Tolerance, qPrintable(QString::number(words[0].box.left())));
    QVERIFY2(words[0].box.top() >= Margin && words[0].box.top() < Margin + 12,
             qPrintable(QString::number(words[0].box.top())));
}

void TestQtPrinter::fontSizeSetsTheSizeOfTheText()
{
    PdfPrinter p;
    p.printer.setFontSize(10);
    p.printer.printLine(QStringLiteral("Small"));
    p.printer.setFontSize(30);
    p.printer.printLine(QStringLiteral("Large"));
    p.printer.endDoc();
    const QList<PdfText::Word> words = PdfText::words(p.written.value(0));
    QCOMPARE(words.size(), 2);
    const qreal ratio = words[1].box.height() / words[0].box.height();
    QVERIFY2(ratio > 2.8 && ratio < 3.2, qPrintable(QString::number(ratio)));
    QCOMPARE(p.printer.fontSize(), 30.0f); // the printer holds it for the next document
}

void TestQtPrinter::everyDocumentGetsANewFileNeverReplacingOne()
{
    PdfPrinter p;
    QFile existing(QDir(p.dir.path()).filePath(QStringLiteral("PRINTOUT-1.PDF")));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.write("keep me");
    existing.close();

    for (const char *text : {"First", "Second"}) {
        p.printer.printLine(QString::fromLatin1(text));
        p.printer.endDoc();
    }
    QCOMPARE(p.written, QStringList({QDir(p.dir.path()).filePath(QStringLiteral("PRINTOUT-2.PDF")),
                                     QDir(p.dir.path()).filePath(QStringLiteral("PRINTOUT-3.PDF"))}));
    QCOMPARE(PdfText::lines(p.written[0]), QStringList({"First"}));
    QCOMPARE(PdfText::lines(p.written[1]), QStringList({"Second"}));
    QVERIFY(existing.open(QIODevice::ReadOnly));
    QCOMPARE(existing.readAll(), QByteArray("keep me"));
    QCOMPARE(p.files(), QStringList({"PRINTOUT-1.PDF", "PRINTOUT-2.PDF", "PRINTOUT-3.PDF"}));
}

void TestQtPrinter::abortedDocumentLeavesNothing()
{
    PdfPrinter p;
    p.printer.endDoc(); // nothing printed: no document
    p.printer.printLine(QStringLiteral("Discard me"));
    QCOMPARE(p.files().size(), 1); // the document in progress
    p.printer.killDoc();
    p.printer.killDoc(); // a second abort of the same document is no error
    QVERIFY(p.files().isEmpty());
    QVERIFY(p.written.isEmpty());

    // The next document starts afresh on page 1 with nothing of the aborted one.
    p.printer.printLine(QStringLiteral("Keep me"));
    p.printer.endDoc();
    QCOMPARE(PdfText::lines(p.written.value(0)), QStringList({"Keep me"}));
    QCOMPARE(p.files(), QStringList({"PRINTOUT-1.PDF"}));
}

void TestQtPrinter::missingFolderIsReportedAtTheFirstLine()
{
    QTemporaryDir dir;
    QStringList written;
    QtPrinter printer(dir.filePath(QStringLiteral("gone")), [&](const QString &path) { written << path; },
                      QtPrinter::PdfFile);
    try {
        printer.printLine(QStringLiteral("Hello"));
        QFAIL("no error");
    } catch (const RuntimeError &error) {
        QCOMPARE(error.number(), int(RuntimeError::PathFileAccessError));
        QCOMPARE(error.description(), QStringLiteral("Path/File access error"));
    }
    printer.killDoc();
    printer.endDoc();
    QVERIFY(written.isEmpty());
    QVERIFY(QDir(dir.path()).isEmpty());
}

QTEST_MAIN(TestQtPrinter)
#include "tst_qtprinter.moc"
