// End to end through a CUPS daemon of the tests' own (spooler.sh) whose cups-pdf queue is the
// default printer. cups-pdf's PDFs have no text layer, so their pages are what is checked.
#include "QtPrinter.h"
#include "Testing.h"

class TestSpooler : public QObject
{
    Q_OBJECT

private slots:
    void aDocumentGoesToTheDefaultPrinterAsOneJob()
    {
        const QDir spooler(qEnvironmentVariable("LARDERLY_SPOOLER"));
        if (QFile::exists(spooler.filePath("skip")))
            QSKIP(qPrintable(dataLines(spooler.filePath("skip")).value(0)));
        qputenv("CUPS_SERVER", QFile::encodeName(spooler.filePath("cups.sock")));
        QCOMPARE(QtPrinter::defaultPrinterName(), "LarderlyTest");
        Folder folder;
        QtPrinter printer(folder.dir.path(), {});
        for (int line = 0; line < 200; ++line) // several pages
            printer.printLine(QStringLiteral("Line %1").arg(line));
        printer.endDoc();
        const QDir out(spooler.filePath("out"));
        QTRY_VERIFY_WITH_TIMEOUT(!out.entryList({"*.pdf"}).isEmpty() && PdfText::pageCount(out.filePath(out.entryList({"*.pdf"})[0])) > 0, 120000);
        QVERIFY(printer.pageCount() > 2);
        QCOMPARE(PdfText::pageCount(out.filePath(out.entryList({"*.pdf"})[0])), printer.pageCount());
        QCOMPARE(folder.files(), QStringList()); // nothing kept beside the recipes
    }
};

QTEST_MAIN(TestSpooler)
#include "tst_spooler.moc"
