// End to end through a real print spooler: starts its own CUPS daemon (config, spool and socket
// in a temporary folder, so a system cupsd is left alone) with a cups-pdf queue as the default
// printer, prints one recipe and all recipes through the main window, and checks that the jobs
// complete and their PDFs arrive with the pages the program printed. cups-pdf's PDFs lose the
// text layer, so the text itself is checked on Qt's own PDF output elsewhere.
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
constexpr int DaemonStartMs = 20000;
constexpr int JobMs = 120000;

QString findProgram(const QString &name)
{
    return QStandardPaths::findExecutable(name, {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin"),
                                                 QStringLiteral("/sbin"), QStringLiteral("/bin")});
}

bool writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

QByteArray recipesFile(int count)
{
    QByteArray data = QByteArray::number(count) + ",1\r\n";
    for (int i = 1; i <= count; ++i) {
        data += "\"Recipe " + QByteArray::number(i) + "\"\r\n\"10 min\"\r\n\"20 min\"\r\n\"4\"\r\n";
        data += "\"Flour\r\nEggs\r\nMilk\r\nSalt\"\r\n\"Mix.\r\nRest for an hour.\r\nBake.\"\r\n";
    }
    return data;
}

} // namespace

class TestSpooler : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void printsOneRecipeOnTheDefaultPrinter();
    void printsAllRecipesOnTheDefaultPrinter();

private:
    bool run(const QString &program, const QStringList &arguments);
    QString log() const;
    // Prints through the window, waits for the job and returns its PDF.
    QString printAndCollect(frmMain &window, const std::function<void()> &print, int *pages);

    std::unique_ptr<QTemporaryDir> m_dir;
    QProcess m_daemon;
    QString m_socket;
    QString m_queue;
    QString m_backendSettings;
    int m_jobs = 0;
};

bool TestSpooler::run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("CUPS_SERVER"), m_socket);
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(30000);
    if (!finished)
        process.kill();
    process.waitForFinished(5000);
    const bool ok = finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (!ok)
        qWarning().noquote() << program << arguments.join(u' ') << "failed:" << process.readAll();
    return ok;
}

QString TestSpooler::log() const
{
    QString text;
    for (const char *name : {"log/error_log", "log/cupsd.out"}) {
        QFile file(m_dir->filePath(QString::fromLatin1(name)));
        if (file.open(QIODevice::ReadOnly))
            text += QString::fromLocal8Bit(file.readAll().right(4000));
    }
    return text;
}

void TestSpooler::initTestCase()
{
    if (::geteuid() != 0)
        QSKIP("needs root: it starts its own CUPS daemon, whose cups-pdf backend runs as root");
    const QString cupsd = findProgram(QStringLiteral("cupsd"));
    const QString lpadmin = findProgram(QStringLiteral("lpadmin"));
    if (cupsd.isEmpty() || lpadmin.isEmpty() || !QFileInfo::exists(Backend) || !QFileInfo::exists(Ppd)
        || !QFileInfo(PdfBackendSettings).isDir())
        QSKIP("needs the packages cups and printer-driver-cups-pdf (scripts/deps.sh test installs them)");
    if (!PdfText::toolsAvailable())
        QSKIP("needs pdfinfo (poppler-utils) to count the pages of the printed PDFs");
    const group *lp = ::getgrnam("lp");
    if (!lp)
        QSKIP("needs the group lp that the cups package creates");

    // The filters run as lp: they must reach the spool through the temporary folder.
    m_dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/larderly-spooler-XXXXXX"));
    QVERIFY(m_dir->isValid());
    const QString root = m_dir->path();
    QVERIFY(QFile::setPermissions(root, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                            | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
    for (const char *sub : {"etc", "spool/tmp", "cache", "state", "log", "out", "pdf-spool"})
        QVERIFY(QDir(root).mkpath(QString::fromLatin1(sub)));
    for (const char *sub : {"spool", "spool/tmp"}) {
        const QByteArray path = QFile::encodeName(m_dir->filePath(QString::fromLatin1(sub)));
        QCOMPARE(::chown(path.constData(), 0, lp->gr_gid), 0);
        QCOMPARE(::chmod(path.constData(), qstrcmp(sub, "spool") == 0 ? 0710 : 01770), 0);
    }

    m_socket = m_dir->filePath(QStringLiteral("cups.sock"));
    const QByteArray dir = QFile::encodeName(root);
    QVERIFY(writeFile(m_dir->filePath(QStringLiteral("etc/cups-files.conf")),
                      "ServerRoot " + dir + "/etc\nRequestRoot " + dir + "/spool\nTempDir " + dir
                          + "/spool/tmp\nCacheDir " + dir + "/cache\nStateDir " + dir + "/state\nErrorLog " + dir
                          + "/log/error_log\nAccessLog " + dir + "/log/access_log\nPageLog " + dir
                          + "/log/page_log\nPrintcap " + dir + "/state/printcap\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\nUser lp\nGroup lp\n"
                          + "SystemGroup root\nSandboxing Relaxed\n"));
    QVERIFY(writeFile(m_dir->filePath(QStringLiteral("etc/cupsd.conf")),
                      "Listen " + QFile::encodeName(m_socket)
                          + "\nLogLevel info\nBrowsing No\nWebInterface No\nDefaultAuthType None\n"
                            "<Policy default>\n<Limit All>\nOrder deny,allow\n</Limit>\n</Policy>\n"));

    const QString instance = QStringLiteral("larderly-test-%1").arg(QCoreApplication::applicationPid());
    m_backendSettings = QDir(PdfBackendSettings).filePath(QStringLiteral("cups-pdf-%1.conf").arg(instance));
    QVERIFY(writeFile(m_backendSettings, "Out " + dir + "/out\nAnonDirName " + dir + "/out\nSpool " + dir
                                             + "/pdf-spool\nLog " + dir + "/log\nGrp root\n"));

    m_daemon.setProgram(cupsd);
    m_daemon.setArguments({QStringLiteral("-f"), QStringLiteral("-c"), m_dir->filePath(QStringLiteral("etc/cupsd.conf")),
                           QStringLiteral("-s"), m_dir->filePath(QStringLiteral("etc/cups-files.conf"))});
    m_daemon.setStandardOutputFile(m_dir->filePath(QStringLiteral("log/cupsd.out")));
    m_daemon.setStandardErrorFile(m_dir->filePath(QStringLiteral("log/cupsd.out")), QIODevice::Append);
    m_daemon.start();
    QVERIFY2(m_daemon.waitForStarted(DaemonStartMs), qPrintable(m_daemon.errorString()));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(m_socket) || m_daemon.state() == QProcess::NotRunning, DaemonStartMs);
    QVERIFY2(m_daemon.state() == QProcess::Running, qPrintable(log()));

    // This process and the tools it runs talk to that daemon only.
    qputenv("CUPS_SERVER", QFile::encodeName(m_socket));
    cupsSetServer(QFile::encodeName(m_socket).constData());
    m_queue = QStringLiteral("LarderlyTest");
    QVERIFY(run(lpadmin, {QStringLiteral("-p"), m_queue, QStringLiteral("-E"), QStringLiteral("-v"),
                          QStringLiteral("cups-pdf:/") + instance, QStringLiteral("-P"), Ppd}));
    QVERIFY(run(lpadmin, {QStringLiteral("-d"), m_queue}));
    QCOMPARE(QtPrinter::defaultPrinterName(), m_queue);
}

void TestSpooler::cleanupTestCase()
{
    if (m_daemon.state() != QProcess::NotRunning) {
        m_daemon.terminate();
        if (!m_daemon.waitForFinished(15000)) {
            m_daemon.kill();
            m_daemon.waitForFinished(5000);
        }
    }
    if (!m_backendSettings.isEmpty())
        QFile::remove(m_backendSettings);
}

QString TestSpooler::printAndCollect(frmMain &window, const std::function<void()> &print, int *pages)
{
    // cups-pdf names its file after the job's title, which is the same for every document.
    const QDir out(m_dir->filePath(QStringLiteral("out")));
    for (const QString &name : out.entryList({QStringLiteral("*.pdf")}, QDir::Files))
        QFile::remove(out.filePath(name));
    PromptRecorder prompts;
    print();
    if (!prompts.texts().isEmpty()) {
        qWarning() << "the print said:" << prompts.texts();
        return QString();
    }
    *pages = dynamic_cast<QtPrinter &>(window.printer()).pageCount();
    ++m_jobs;

    // Bounded waits: the job completes, then its PDF is there.
    QString failure;
    auto completed = [&] {
        cups_job_t *jobs = nullptr;
        const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, m_queue.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
        int done = 0;
        for (int i = 0; i < count; ++i) {
            if (jobs[i].state == IPP_JSTATE_COMPLETED)
                ++done;
            else if (jobs[i].state >= IPP_JSTATE_STOPPED)
                failure = QStringLiteral("job %1 ended in state %2").arg(jobs[i].id).arg(int(jobs[i].state));
        }
        cupsFreeJobs(count, jobs);
        return done;
    };
    if (!QTest::qWaitFor([&] { return completed() == m_jobs || !failure.isEmpty(); }, JobMs) || completed() != m_jobs) {
        qWarning().noquote() << "the job did not complete:" << failure << cupsLastErrorString() << log();
        return QString();
    }
    QStringList added;
    const bool arrived = QTest::qWaitFor([&] {
        added = out.entryList({QStringLiteral("*.pdf")}, QDir::Files);
        return !added.isEmpty();
    }, JobMs);
    if (!arrived || added.size() != 1) {
        qWarning().noquote() << "expected one new PDF, found" << added << log();
        return QString();
    }
    return out.filePath(added.first());
}

void TestSpooler::printsOneRecipeOnTheDefaultPrinter()
{
    QTemporaryDir folder;
    QVERIFY(writeFile(folder.filePath(RecipeFile::fileName()), recipesFile(3)));
    RecipeList list;
    frmMain window(list, folder.path());
    window.Form_Load();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    int pages = 0;
    const QString pdf = printAndCollect(window, [&] {
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("cmdPrintSingle")), Qt::LeftButton);
    }, &pages);
    QVERIFY(!pdf.isEmpty());
    QCOMPARE(pages, 1);
    QCOMPARE(PdfText::pageCount(pdf), pages);
    // Nothing was kept beside the recipes: the document went to the printer.
    QVERIFY(QDir(folder.path()).entryList({QStringLiteral("*.PDF")}, QDir::Files).isEmpty());
}

void TestSpooler::printsAllRecipesOnTheDefaultPrinter()
{
    QTemporaryDir folder;
    QVERIFY(writeFile(folder.filePath(RecipeFile::fileName()), recipesFile(60)));
    RecipeList list;
    frmMain window(list, folder.path());
    window.Form_Load();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    int pages = 0;
    const QString pdf = printAndCollect(window, [&] {
        window.findChild<QAction *>(QStringLiteral("mnuFilePrint"))->trigger();
    }, &pages);
    QVERIFY(!pdf.isEmpty());
    QVERIFY2(pages >= 5, qPrintable(QString::number(pages))); // 60 recipes of 14 lines at 10 points
    QCOMPARE(PdfText::pageCount(pdf), pages);
    QVERIFY(QDir(folder.path()).entryList({QStringLiteral("*.PDF")}, QDir::Files).isEmpty());
}

QTEST_MAIN(TestSpooler)
#include "tst_spooler.moc"
