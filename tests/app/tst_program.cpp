// The built program run as a user would: copied alone into a folder, or installed; its command line,
// a missing display, where it keeps the recipes, and the session ending while it starts.
#include "Recipes.h"
#include "store/RecoveryJournal.h"

#include <QtTest>

namespace {

const QByteArray OneRecipe = "1,1\r\n\"Soup\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";
const QString Again = "Try 'larderly --help' for more information.\n";
const QString NoDisplay = "Larderly is a desktop program and found no display to open its window on.\n";

} // namespace

class TestProgram : public QObject
{
    Q_OBJECT

private slots:
    void runsAsAUserStartsItAndKeepsTheRecipesWhereTheyCanWrite_data()
    {
        QTest::addColumn<QString>("program");   // copied into a folder with one recipe, into one named bin, or installed
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("display");   // none, Qt's offscreen platform, or an X display nobody serves
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");       // how standard output starts
        QTest::addColumn<QString>("err");       // all of standard error
        QTest::addColumn<QString>("files");     // beside the copy and in the user's data folder
        const QString copied = "larderly RECIPES.DAT";
        for (const char *display : {"none", "offscreen"}) {
            QTest::addRow("--help shows the usage, %s", display) << "copied" << QStringList{"--help"} << display << 0
                                                                 << "Usage: larderly [options]\n" << "" << copied;
            QTest::addRow("--version shows the version, %s", display) << "copied" << QStringList{"--version"} << display << 0
                                                                      << "Larderly 1.0.0\n" << "" << copied;
            QTest::addRow("an unknown option is refused, %s", display) << "copied" << QStringList{"--frobnicate"} << display
                                                                       << 1 << "" << "larderly: Unknown option 'frobnicate'.\n" + Again
                                                                       << copied;
        }
        QTest::newRow("an extra argument is refused") << "copied" << QStringList{"RECIPES.DAT"} << "none" << 1 << ""
                                                      << "larderly: unexpected argument 'RECIPES.DAT'\n" + Again << copied;
        QTest::newRow("a start without a display says so") << "copied" << QStringList() << "none" << 1 << "" << NoDisplay
                                                           << copied;
        QTest::newRow("a start with an unreachable display says so") << "copied" << QStringList() << ":9999" << 1 << ""
                                                                     << NoDisplay << copied;
        QTest::newRow("Qt's -platform names the display") << "copied" << QStringList{"-platform", "offscreen"} << "none"
                                                          << 0 << "" << "" << copied;
        QTest::newRow("a platform plugin's warning is no missing display")
            << "copied" << QStringList() << "nosuchplugin;offscreen" << 0 << "" << "" << copied;
        QTest::newRow("a copied program keeps the recipes beside itself") << "copied" << QStringList() << "offscreen" << 0
                                                                          << "" << "" << copied;
        QTest::newRow("a copy in a folder named bin is still a copy") << "bin" << QStringList() << "offscreen" << 0 << ""
                                                                      << "" << copied;
        QTest::newRow("an installed program keeps them in the user's data folder")
            << "installed" << QStringList() << "offscreen" << 0 << "" << "" << "RECIPES.DAT";
    }
    void runsAsAUserStartsItAndKeepsTheRecipesWhereTheyCanWrite()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(QString, display);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QFETCH(QString, files);
        Folder copy, home;
        const QString folder = program == "bin" ? copy.path("bin") : copy.dir.path();
        const QString path = program == "installed" ? LARDERLY_PREFIX "/bin/larderly" : folder + "/larderly";
        if (program != "installed") {
            QVERIFY(QDir().mkpath(folder));
            QVERIFY(QFile::copy(LARDERLY_PROGRAM, path));
            QFile::remove(copy.path()); // the recipes go beside the program
            copy.put(OneRecipe, QDir(copy.dir.path()).relativeFilePath(folder + "/RECIPES.DAT"));
        }
        QProcessEnvironment environment;
        environment.insert("HOME", home.dir.path());
        environment.insert("XDG_DATA_HOME", home.path("data"));
        environment.insert("XDG_RUNTIME_DIR", home.dir.path());
        if (display != "none")
            environment.insert(display.startsWith(':') ? "DISPLAY" : "QT_QPA_PLATFORM", display);
        environment.insert("QT_LOGGING_RULES", "larderly.application.debug=true");
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setReadChannel(QProcess::StandardError);
        process.start(path, arguments);
        QVERIFY(process.waitForStarted(10000));
        QByteArray errors;
        if (status == 0 && out.isEmpty()) { // the window opens: ended as the session ends it
            while (!errors.contains("on view\n") && process.waitForReadyRead(10000))
                errors += process.readAllStandardError();
            process.terminate();
        }
        QVERIFY(process.waitForFinished(30000));
        errors += process.readAllStandardError();
        errors.replace("larderly.application: the main window is on view\n", "");
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), status);
        QCOMPARE(QString(process.readAllStandardOutput()).left(qMax(out.size(), 1)), out); // none expected: none at all
        QCOMPARE(QString(errors).remove(QRegularExpression("qt.qpa.plugin: Could not find.*\n")), err);
        const QStringList there = QDir(folder).entryList(QDir::Files) + QDir(home.path("data/larderly")).entryList(QDir::Files);
        QCOMPARE(there.join(u' '), files); // no lock or journal left
        if (program != "installed")
            QCOMPARE(copy.bytes(QDir(copy.dir.path()).relativeFilePath(folder + "/RECIPES.DAT")), OneRecipe);
        QCOMPARE(QDir(LARDERLY_PREFIX).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList({"bin", "share"}));
    }

    void aSignalWhileAStartUpQuestionIsOpenEndsItAndTouchesNothing()
    {
        Folder copy, home;
        const QString program = copy.path("larderly");
        QVERIFY(QFile::copy(LARDERLY_PROGRAM, program));
        RecipeList list = numbered(2, 1);
        const FileIdentity base = RecipeFile::write(list, copy.path());
        {
            RecoveryJournal last(copy.dir.path());
            last.start(list, base);
            list.at(1).name = "Stew";
            last.recordRecipe(1, list.at(1));
            QVERIFY(!last.sync().isEmpty());
        }
        const QByteArray file = copy.bytes(), journal = copy.bytes("RECIPES.JNL");
        QProcess process;
        QProcessEnvironment environment;
        environment.insert("HOME", home.dir.path());
        environment.insert("XDG_RUNTIME_DIR", home.dir.path());
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("QT_LOGGING_RULES", "larderly.messages.info=true");
        process.setProcessEnvironment(environment);
        process.setReadChannel(QProcess::StandardError);
        process.start(program);
        QByteArray err;
        while (!err.contains("Recover them?") && process.waitForReadyRead(10000))
            err += process.readAllStandardError();
        QVERIFY2(err.contains("shows: The changes of the last session were not saved. Recover them?"), err);
        process.terminate();
        QVERIFY(process.waitForFinished(5000)); // at once: nobody is there to answer
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(copy.bytes(), file);
        QCOMPARE(copy.bytes("RECIPES.JNL"), journal); // offered again at the next start
        QCOMPARE(copy.files(), QStringList({"larderly", "RECIPES.DAT", "RECIPES.JNL"}));
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
