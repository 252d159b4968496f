#include "DataFile.h"
#include "Recipes.h"
#include "store/RecoveryJournal.h"

#include <QtTest>

const QByteArray OneRecipe = "1,1\r\n\"Soup\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";

class TestProgram : public QObject
{
    Q_OBJECT

private slots:
    void runsAsAUserStartsItAndKeepsTheRecipesWhereTheyCanWrite_data() { dataTable(QFINDTESTDATA("program.txt")); }
    void runsAsAUserStartsItAndKeepsTheRecipesWhereTheyCanWrite()
    {
        const QStringList row = dataRow();
        const QString argument = row[1], display = row[2], out = row[4];
        Folder copy, home;
        const bool installed = row[0] == "installed";
        const QString program = installed ? LARDERLY_PREFIX "/bin/larderly" : copy.path("larderly");
        QVERIFY(installed || (QFile::copy(LARDERLY_PROGRAM, program) && (copy.put(OneRecipe), true)));
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
        process.start(program, argument.isEmpty() ? QStringList() : QStringList{argument});
        QVERIFY(process.waitForStarted(10000));
        QByteArray err;
        if (argument.isEmpty() && display == "offscreen") { // the window opens: ended as the session ends it
            while (!err.contains("on view\n") && process.waitForReadyRead(10000))
                err += process.readAllStandardError();
            process.terminate();
        }
        const bool finished = process.waitForFinished(30000);
        err += process.readAllStandardError();
        err.replace("larderly.application: the main window is on view\n", "");
        QVERIFY2(finished && process.exitStatus() == QProcess::NormalExit, qPrintable(err));
        QCOMPARE(process.exitCode(), row[3].toInt());
        QCOMPARE(QString(process.readAllStandardOutput()).left(qMax(out.size(), 1)), out); // none expected: none at all
        QCOMPARE(err, row[5]);
        QCOMPARE((copy.files() + QDir(home.path("data/larderly")).entryList(QDir::Files)).join(u' '),
                 row[6]); // no lock or copy left
        QVERIFY(installed || copy.bytes() == OneRecipe);
        QCOMPARE(QDir(LARDERLY_PREFIX).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList({"bin", "share"}));
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
