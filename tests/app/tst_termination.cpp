#include "PromptRecorder.h"
#include "Startup.h"
#include "TerminationSignals.h"
#include "frmMain.h"

#include <QtTest>
#include <QtWidgets>

#include <csignal>

class TestTermination : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(TerminationSignals::install()); }
    void closesAndSavesAsTheCloseBoxDoes_data();
    void closesAndSavesAsTheCloseBoxDoes();
};

void TestTermination::closesAndSavesAsTheCloseBoxDoes_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("aboutBoxOpen");
    QTest::newRow("SIGTERM, the session ending") << SIGTERM << false;
    QTest::newRow("SIGHUP while the About box is open") << SIGHUP << true;
    QTest::newRow("SIGINT while the About box is open") << SIGINT << true;
}

void TestTermination::closesAndSavesAsTheCloseBoxDoes()
{
    QFETCH(int, signal);
    QFETCH(bool, aboutBoxOpen);
    QTemporaryDir folder;
    QFile file(folder.filePath("RECIPES.DAT"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("1,1\r\n\"Soup\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n"));
    file.close();
    PromptRecorder prompts;
    Startup::Main(folder.path());
    TerminationSignals terminations;
    connect(&terminations, &TerminationSignals::received, &Startup::closeMainWindow);
    auto *name = Startup::mainWindow()->findChild<QLineEdit *>("txtName");
    name->selectAll();
    QTest::keyClicks(name, "Stew"); // typed, not yet stored in the recipe

    QObject row; // its timers end with the row
    QTimer::singleShot(0, &row, [signal] { std::raise(signal); });
    QTimer::singleShot(5000, &row, [] { // a box the signal left open must not hang the test
        if (QWidget *box = QApplication::activeModalWidget())
            box->close();
    });
    if (aboutBoxOpen)
        Startup::mainWindow()->mnuHelpAbout_Click();
    QTRY_VERIFY_WITH_TIMEOUT(!Startup::mainWindow(), 4000);
    QCOMPARE(prompts.texts(), QStringList());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("1,1\r\n\"Stew\"\r\n"));
}

QTEST_MAIN(TestTermination)
#include "tst_termination.moc"
