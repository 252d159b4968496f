#include "ListPrint.h"
#include "PdfText.h"
#include "QtPrinter.h"
#include "RecipeList.h"

#include <QtTest>

namespace {

constexpr qreal Margin = 18;    // the unprintable border of a PDF made without a printer, points
constexpr qreal Tolerance = 1.5; // points: glyph side bearings

// A printer that keeps its documents as PDF files in a temporary folder.
struct PdfPrinter
{
    PdfPrinter()
        : printer(dir.path(), [this](const QString &path) { written << path; }, QtPrinter::PdfFile)
    {
    }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
    QString path(const QString &name) const { return QDir(dir.path()).filePath(name); }

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
    void allRecipesReadBackInOrderHalfAnInchIn();
    void linesThatNoLongerFitGoOnTheNextPage_data();
    void linesThatNoLongerFitGoOnTheNextPage();
    void fontSizeSetsTheSizeOfTheText();
    void documentsGetNewFilesAndAbortedOnesLeaveNothing();
};

void TestQtPrinter::initTestCase()
{
    if (!PdfText::toolsAvailable())
        QSKIP("pdftotext and pdfinfo (poppler-utils) are needed to read the printed PDF back; "
              "scripts/deps.sh test installs them");
}

void TestQtPrinter::allRecipesReadBackInOrderHalfAnInchIn()
{
    RecipeList list;
    for (const Recipe &recipe : {Recipe{"Crème brûlée", "10 min", "20 min", "4", "Cream\r\nSugar", "Bake.\r\nBurn."},
                                 Recipe{"Tea", "", "5 min", "1", "Leaves", "Steep."}}) {
        list.appendEmpty();
        list.Recipes(list.RecipeCount()) = recipe;
    }
    PdfPrinter p;
    ListPrint::PrintAllRecipes(list, p.printer);
    QCOMPARE(p.written, QStringList({p.path("PRINTOUT-1.PDF")}));
    QCOMPARE(PdfText::lines(p.written[0]),
             QStringList({"Recipes", "Recipe Name: Crème brûlée", "Prep Time: 10 min", "Cook Time: 20 min",
                          "Servings: 4", "Ingredients: Cream", "Sugar", "Directions: Bake.", "Burn.",
                          "Recipe Name: Tea", "Prep Time:", "Cook Time: 5 min", "Servings: 1", "Ingredients: Leaves",
                          "Directions: Steep."}));

    // Half an inch in from the printable area, from its top; a line break starts the next line
    // at the left edge, not under the text after the label.
    QHash<QString, QRectF> at;
    for (const PdfText::Word &word : PdfText::words(p.written[0]))
        at.insert(word.text, word.box);
    QVERIFY2(qAbs(at["Recipes"].left() - (Margin + 36)) < Tolerance, qPrintable(QString::number(at["Recipes"].left())));
    QVERIFY2(at["Recipes"].top() >= Margin && at["Recipes"].top() < Margin + 12,
             qPrintable(QString::number(at["Recipes"].top())));
    QVERIFY(qAbs(at["Sugar"].left() - at["Ingredients:"].left()) < Tolerance);
    QVERIFY(at["Cream"].left() > at["Ingredients:"].right());
    QVERIFY(qAbs((at["Sugar"].top() - at["Cream"].top()) - (at["Cream"].top() - at["4"].top())) < Tolerance);
}

void TestQtPrinter::linesThatNoLongerFitGoOnTheNextPage_data()
{
    QTest::addColumn<float>("size");
    QTest::newRow("10 points") << 10.0f;
    QTest::newRow("24 points") << 24.0f;
}

void TestQtPrinter::linesThatNoLongerFitGoOnTheNextPage()
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

    // No line outside the printable area, and each page filled until the next line would not fit.
    const qreal bottom = PdfText::pageHeight(pdf) - Margin;
    QList<qreal> lowest(pages + 1, 0);
    for (const PdfText::Word &word : PdfText::words(pdf)) {
        QVERIFY2(word.box.top() >= Margin - Tolerance && word.box.bottom() <= bottom + Tolerance, qPrintable(word.text));
        lowest[word.page] = std::max(lowest[word.page], word.box.bottom());
    }
    for (int i = 1; i < pages; ++i)
        QVERIFY2(bottom - lowest[i] < 1.5 * size, qPrintable(QString::number(lowest[i])));
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
}

void TestQtPrinter::documentsGetNewFilesAndAbortedOnesLeaveNothing()
{
    PdfPrinter p;
    QFile existing(p.path("PRINTOUT-1.PDF"));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.write("keep me");
    existing.close();

    p.printer.printLine(QStringLiteral("Discard me"));
    QCOMPARE(p.files().size(), 2); // the document in progress
    p.printer.killDoc();
    p.printer.killDoc(); // with no document open, nothing to do
    QCOMPARE(p.files(), QStringList({"PRINTOUT-1.PDF"}));

    for (const char *text : {"First", "Second"}) {
        p.printer.printLine(QString::fromLatin1(text));
        p.printer.endDoc();
    }
    QCOMPARE(p.written, QStringList({p.path("PRINTOUT-2.PDF"), p.path("PRINTOUT-3.PDF")}));
    QCOMPARE(PdfText::lines(p.written[0]), QStringList({"First"}));
    QCOMPARE(PdfText::lines(p.written[1]), QStringList({"Second"}));
    QCOMPARE(p.files(), QStringList({"PRINTOUT-1.PDF", "PRINTOUT-2.PDF", "PRINTOUT-3.PDF"}));
    QVERIFY(existing.open(QIODevice::ReadOnly));
    QCOMPARE(existing.readAll(), QByteArray("keep me"));
}

QTEST_MAIN(TestQtPrinter)
#include "tst_qtprinter.moc"
