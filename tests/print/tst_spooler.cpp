// End to end through a real spooler, started by spooler.sh, whose cups-pdf queue is the default
// printer. cups-pdf's PDFs have no text layer, so their pages are what is checked.
#include "QtPrinter.h"
#include "RecipeFile.h"
#include "Testing.h"

#include <cups/cups.h>

class TestSpooler : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QFile skip(m_dir.filePath("skip"));
        if (skip.open(QIODevice::ReadOnly))
            QSKIP(skip.readAll().trimmed().constData());
        qputenv("CUPS_SERVER", QFile::encodeName(m_dir.filePath("cups.sock")));
        cupsSetServer(m_dir.filePath("cups.sock").toLocal8Bit().constData());
        QCOMPARE(QtPrinter::defaultPrinterName(), "LarderlyTest");
    }

    void jobCompletesWithThePagesPrinted_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("printAll");
        QTest::newRow("Print This Recipe: one page") << 3 << false;
        QTest::newRow("Print All of 60 recipes: several pages") << 60 << true;
    }
    void jobCompletesWithThePagesPrinted()
    {
        QFETCH(int, count);
        QFETCH(bool, printAll);
        WindowFixture w;
        RecipeList recipes = numbered(count, 1);
        QVERIFY(RecipeFile(recipes, w.dir.path(), {}).SaveRecipes());
        w.window->Form_Load();
        const QDir out(m_dir.filePath("out")); // cups-pdf gives every document the same name
        for (const QString &name : out.entryList({"*.pdf"}, QDir::Files))
            QVERIFY(QFile::remove(out.filePath(name)));

        PromptRecorder prompts;
        printAll ? w.child<QAction>("mnuFilePrint")->trigger() : QTest::mouseClick(w.child("cmdPrintSingle"), Qt::LeftButton);
        QCOMPARE(prompts.texts(), QStringList());
        const int pages = dynamic_cast<QtPrinter &>(w.window->printer()).pageCount();
        QVERIFY2(printAll ? pages > 4 : pages == 1, qPrintable(QString::number(pages)));
        QTRY_VERIFY_WITH_TIMEOUT(jobsLeft() == 0 && out.entryList({"*.pdf"}, QDir::Files).size() == 1, 120000);
        QCOMPARE(PdfText::pageCount(out.filePath(out.entryList({"*.pdf"}, QDir::Files).value(0))), pages);
        QVERIFY(w.files().filter(".PDF").isEmpty()); // nothing kept beside the recipes
    }

private:
    // Jobs not yet completed; one that stopped or failed counts for ever.
    static int jobsLeft()
    {
        cups_job_t *jobs = nullptr;
        const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, CUPS_WHICHJOBS_ALL);
        int left = 0;
        for (int i = 0; i < count; ++i)
            left += jobs[i].state != IPP_JSTATE_COMPLETED;
        cupsFreeJobs(count, jobs);
        return left;
    }

    QDir m_dir{QString::fromLocal8Bit(qgetenv("LARDERLY_SPOOLER"))};
};

QTEST_MAIN(TestSpooler)
#include "tst_spooler.moc"
