// End to end through a real spooler: its own CUPS daemon (configuration, spool and socket in a
// temporary folder, so a system cupsd is left alone) with a cups-pdf queue as the default
// printer. cups-pdf's PDFs have no text layer, so only their pages are checked here.
#include "PdfText.h"
#include "PromptRecorder.h"
#include "QtPrinter.h"
#include "RecipeFile.h"
#include "RecipeList.h"
#include "frmMain.h"

#include <QtTest>
#include <QtWidgets>

#include <cups/cups.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString Ppd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd");
const QString Backend = QStringLiteral("/usr/lib/cups/backend/cups-pdf");
// cups-pdf reads the settings of a queue whose device is cups-pdf:/NAME from this folder only.
const QString PdfBackendSettings = QStringLiteral("/etc/cups");
constexpr int StartMs = 20000;
constexpr int WaitMs = 120000;

QString findProgram(const QString &name)
{
    return QStandardPaths::findExecutable(name, {"/usr/sbin", "/usr/bin", "/sbin", "/bin"});
}

bool writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

// Runs a tool for at most half a minute.
bool run(const QString &program, const QStringList &arguments)
{
    QProcess process; // kills the tool when it goes
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return true;
    qWarning().noquote() << program << arguments.join(u' ') << "failed:" << process.readAll();
    return false;
}

// The end of the daemon's logs.
QString log(const QString &dir)
{
    QString text;
    for (const char *name : {"/log/error_log", "/log/cupsd.out"}) {
        QFile file(dir + QString::fromLatin1(name));
        if (file.open(QIODevice::ReadOnly))
            text += QString::fromLocal8Bit(file.readAll().right(4000));
    }
    return text;
}

// The jobs that completed; a job that stopped or failed is put in `failure`.
int completedJobs(QString *failure)
{
    cups_job_t *jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, CUPS_WHICHJOBS_ALL);
    int done = 0;
    for (int i = 0; i < count; ++i) {
        if (jobs[i].state == IPP_JSTATE_COMPLETED)
            ++done;
        else if (jobs[i].state >= IPP_JSTATE_STOPPED)
            *failure = QStringLiteral("job %1 ended in state %2\n").arg(jobs[i].id).arg(int(jobs[i].state));
    }
    cupsFreeJobs(count, jobs);
    return done;
}

QByteArray recipesFile(int count)
{
    QByteArray data = QByteArray::number(count) + ",1\r\n";
    for (int i = 1; i <= count; ++i)
        data += "\"Recipe " + QByteArray::number(i) + "\"\r\n\"10 min\"\r\n\"20 min\"\r\n\"4\"\r\n"
              + "\"Flour\r\nEggs\r\nMilk\r\nSalt\"\r\n\"Mix.\r\nRest for an hour.\r\nBake.\"\r\n";
    return data;
}

} // namespace

class TestSpooler : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void jobCompletesWithThePagesPrinted_data();
    void jobCompletesWithThePagesPrinted();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QProcess m_daemon;
    QString m_backendSettings;
    int m_jobs = 0;
};

void TestSpooler::initTestCase()
{
    if (::geteuid() != 0)
        QSKIP("needs root: it starts its own CUPS daemon, whose cups-pdf backend runs as root");
    const QString cupsd = findProgram(QStringLiteral("cupsd"));
    const QString lpadmin = findProgram(QStringLiteral("lpadmin"));
    const group *lp = ::getgrnam("lp");
    if (cupsd.isEmpty() || lpadmin.isEmpty() || !QFileInfo::exists(Backend) || !QFileInfo::exists(Ppd)
        || !QFileInfo(PdfBackendSettings).isDir() || !lp || !PdfText::toolsAvailable())
        QSKIP("needs the packages cups, printer-driver-cups-pdf and poppler-utils (scripts/deps.sh test installs them)");

    // The filters run as lp: they must reach the spool through the temporary folder.
    m_dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/larderly-spooler-XXXXXX"));
    QVERIFY(m_dir->isValid());
    const QByteArray root = QFile::encodeName(m_dir->path());
    QCOMPARE(::chmod(root.constData(), 0755), 0);
    for (const char *sub : {"etc", "spool/tmp", "cache", "state", "log", "out", "pdf-spool"})
        QVERIFY(QDir(m_dir->path()).mkpath(QString::fromLatin1(sub)));
    QCOMPARE(::chown(root + "/spool", 0, lp->gr_gid), 0);
    QCOMPARE(::chmod(root + "/spool", 0710), 0);
    QCOMPARE(::chown(root + "/spool/tmp", 0, lp->gr_gid), 0);
    QCOMPARE(::chmod(root + "/spool/tmp", 01770), 0);

    const QByteArray socket = root + "/cups.sock";
    QVERIFY(writeFile(root + "/etc/cups-files.conf",
                      "ServerRoot " + root + "/etc\nRequestRoot " + root + "/spool\nTempDir " + root + "/spool/tmp\n"
                          + "CacheDir " + root + "/cache\nStateDir " + root + "/state\nErrorLog " + root
                          + "/log/error_log\nAccessLog " + root + "/log/access_log\nPageLog " + root
                          + "/log/page_log\nPrintcap " + root + "/state/printcap\nServerBin /usr/lib/cups\n"
                          + "DataDir /usr/share/cups\nUser lp\nGroup lp\nSystemGroup root\nSandboxing Relaxed\n"));
    QVERIFY(writeFile(root + "/etc/cupsd.conf",
                      "Listen " + socket + "\nLogLevel info\nBrowsing No\nWebInterface No\nDefaultAuthType None\n"
                          + "<Policy default>\n<Limit All>\nOrder deny,allow\n</Limit>\n</Policy>\n"));
    const QString instance = QStringLiteral("larderly-test-%1").arg(QCoreApplication::applicationPid());
    m_backendSettings = QDir(PdfBackendSettings).filePath(QStringLiteral("cups-pdf-%1.conf").arg(instance));
    QVERIFY(writeFile(m_backendSettings, "Out " + root + "/out\nAnonDirName " + root + "/out\nSpool " + root
                                             + "/pdf-spool\nLog " + root + "/log\nGrp root\n"));

    m_daemon.setProgram(cupsd);
    m_daemon.setArguments({"-f", "-c", root + "/etc/cupsd.conf", "-s", root + "/etc/cups-files.conf"});
    m_daemon.setStandardOutputFile(root + "/log/cupsd.out");
    m_daemon.setStandardErrorFile(root + "/log/cupsd.out", QIODevice::Append);
    m_daemon.start();
    QVERIFY2(m_daemon.waitForStarted(StartMs), qPrintable(m_daemon.errorString()));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(socket) || m_daemon.state() == QProcess::NotRunning, StartMs);
    QVERIFY2(m_daemon.state() == QProcess::Running, qPrintable(log(m_dir->path())));

    // This process and the tools it runs talk to that daemon only.
    qputenv("CUPS_SERVER", socket);
    cupsSetServer(socket.constData());
    QVERIFY(run(lpadmin, {"-p", "LarderlyTest", "-E", "-v", "cups-pdf:/" + instance, "-P", Ppd}));
    QVERIFY(run(lpadmin, {"-d", "LarderlyTest"}));
    QCOMPARE(QtPrinter::defaultPrinterName(), "LarderlyTest");
}

void TestSpooler::cleanupTestCase()
{
    m_daemon.terminate();
    if (!m_daemon.waitForFinished(15000))
        m_daemon.kill(); // and the QProcess waits for it when it goes
    if (!m_backendSettings.isEmpty())
        QFile::remove(m_backendSettings);
}

void TestSpooler::jobCompletesWithThePagesPrinted_data()
{
    QTest::addColumn<int>("recipes");
    QTest::addColumn<bool>("printAll");
    QTest::addColumn<int>("minPages");
    QTest::addColumn<int>("maxPages");
    QTest::newRow("Print This Recipe: one page") << 3 << false << 1 << 1;
    QTest::newRow("Print All of 60 recipes of 14 lines") << 60 << true << 5 << 100;
}

void TestSpooler::jobCompletesWithThePagesPrinted()
{
    QFETCH(int, recipes);
    QFETCH(bool, printAll);
    QFETCH(int, minPages);
    QFETCH(int, maxPages);

    QTemporaryDir folder;
    QVERIFY(writeFile(folder.filePath(RecipeFile::fileName()), recipesFile(recipes)));
    RecipeList list;
    frmMain window(list, folder.path());
    window.Form_Load();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // cups-pdf names every file after the job's title, the same for every document.
    const QDir out(m_dir->filePath(QStringLiteral("out")));
    for (const QString &name : out.entryList({"*.pdf"}, QDir::Files))
        QVERIFY(QFile::remove(out.filePath(name)));

    PromptRecorder prompts;
    if (printAll)
        window.findChild<QAction *>(QStringLiteral("mnuFilePrint"))->trigger();
    else
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("cmdPrintSingle")), Qt::LeftButton);
    QVERIFY2(prompts.texts().isEmpty(), qPrintable(prompts.texts().join(u'\n')));
    const int pages = dynamic_cast<QtPrinter &>(window.printer()).pageCount();
    QVERIFY2(pages >= minPages && pages <= maxPages, qPrintable(QString::number(pages)));
    ++m_jobs;

    QString failure;
    QTRY_VERIFY2_WITH_TIMEOUT(completedJobs(&failure) == m_jobs || !failure.isEmpty(), qPrintable(log(m_dir->path())), WaitMs);
    QVERIFY2(failure.isEmpty(), qPrintable(failure + log(m_dir->path())));
    QTRY_VERIFY2_WITH_TIMEOUT(!out.entryList({"*.pdf"}, QDir::Files).isEmpty(), qPrintable(log(m_dir->path())), WaitMs);
    const QStringList pdfs = out.entryList({"*.pdf"}, QDir::Files);
    QCOMPARE(pdfs.size(), 1);
    QCOMPARE(PdfText::pageCount(out.filePath(pdfs.first())), pages);
    // The document went to the printer: nothing was kept beside the recipes.
    QVERIFY(QDir(folder.path()).entryList({"*.PDF"}, QDir::Files).isEmpty());
}

QTEST_MAIN(TestSpooler)
#include "tst_spooler.moc"
