// The built program run as a user would, copied or installed: options, display, where the recipes go.
#include "Recipes.h"
#include "core/DataFolders.h"
#include "resources/Version.h"

#include <QtTest>

namespace {

const QByteArray OneRecipe = "1,1\r\n\"Soup\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";
const QString Again = "Try 'larderly --help' for more information.\n";

} // namespace

class TestProgram : public QObject
{
    Q_OBJECT

private slots:
    void runsAsAUserStartsItAndKeepsTheRecipesWhereTheyCanWrite_data()
    {
        QTest::addColumn<QString>("where"); // copied into a folder with one recipe, into one named bin, or installed
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("display"); // none, Qt's offscreen platform, or an X display nobody serves
        QTest::addColumn<QString>("out"); // how standard output starts; with none, the window opens
        QTest::addColumn<QString>("err"); // all of standard error; any ends it with status 1
        const auto row = [](const char *name, const QString &where, const QString &arguments, const QString &display,
                            const QString &out,
                            const QString &err) { QTest::newRow(name) << where << arguments << display << out << err; };
        row("--version", "copied", "--version", "offscreen", "Larderly " LARDERLY_VERSION "\n", "");
        row("an unknown option", "copied", "--frobnicate", "none", "",
            "larderly: Unknown option 'frobnicate'.\n" + Again);
        row("an extra argument", "copied", "RECIPES.DAT", "none", "",
            "larderly: unexpected argument 'RECIPES.DAT'\n" + Again);
        row("a display nobody serves", "copied", "", ":9999", "",
            "Larderly is a desktop program and found no display to open its window on.\n");
        row("Qt's -platform names the display", "copied", "-platform offscreen", "none", "", "");
        row("a platform plugin's warning is no missing display", "copied", "", "nosuchplugin;offscreen", "", "");
        row("a copy keeps the recipes beside itself", "copied", "", "offscreen", "", "");
        row("a copy in a folder named bin is still a copy", "bin", "", "offscreen", "", "");
        row("an installed program keeps them in the user's data folder", "installed", "", "offscreen", "", "");
    }
    void runsAsAUserStartsItAndKeepsTheRecipesWhereTheyCanWrite()
    {
        QFETCH(QString, where);
        QFETCH(QString, arguments);
        QFETCH(QString, display);
        QFETCH(QString, out);
        QFETCH(QString, err);
        Folder copy, home;
        const QString folder = where == "bin" ? copy.path("bin") : copy.dir.path();
        const bool installed = where == "installed";
        const QString recipes = QDir(copy.dir.path()).relativeFilePath(folder + "/RECIPES.DAT");
        if (!installed) {
            QVERIFY(QDir().mkpath(folder) && QFile::copy(LARDERLY_PROGRAM, folder + "/larderly"));
            QFile::remove(copy.path()); // the recipes go beside the program
            copy.put(OneRecipe, recipes);
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
        process.start(installed ? LARDERLY_PREFIX "/bin/larderly" : folder + "/larderly",
                      QProcess::splitCommand(arguments));
        QVERIFY(process.waitForStarted(10000));
        QByteArray errors;
        if (err.isEmpty() && out.isEmpty()) { // the window opens: ended as the session ends it
            while (!errors.contains("on view\n") && process.waitForReadyRead(10000))
                errors += process.readAllStandardError();
            process.terminate();
        }
        QVERIFY(process.waitForFinished(30000));
        errors += process.readAllStandardError();
        errors.replace("larderly.application: the main window is on view\n", "");
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), err.isEmpty() ? 0 : 1);
        QCOMPARE(QString(process.readAllStandardOutput()).left(qMax(out.size(), 1)), out); // none expected: none at all
        QCOMPARE(QString(errors).remove(QRegularExpression("qt.qpa.plugin: Could not find.*\n")), err);
        const QStringList there
            = QDir(folder).entryList(QDir::Files) + QDir(home.path("data/larderly")).entryList(QDir::Files);
        QCOMPARE(there.join(u' '), installed ? "RECIPES.DAT" : "larderly RECIPES.DAT"); // no lock or journal left
        QVERIFY(installed || copy.bytes(recipes) == OneRecipe);
        QCOMPARE(QDir(LARDERLY_PREFIX).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList({"bin", "share"}));
    }

    // gettext's rule; Qt's texts (qt6-translations-l10n has French ones) in our language, else English.
    void speaksOneLanguageChosenByGettextsRule_data()
    {
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<bool>("german"); // else English
        QTest::newRow("a German desktop") << QStringList{"LANG=de_DE.UTF-8"} << true;
        QTest::newRow("LC_ALL=C ignores LANGUAGE")
            << QStringList{"LC_ALL=C", "LANG=de_DE.UTF-8", "LANGUAGE=de"} << false;
        QTest::newRow("and LC_MESSAGES=POSIX")
            << QStringList{"LC_MESSAGES=POSIX", "LANG=de_DE.UTF-8", "LANGUAGE=de"} << false;
        QTest::newRow("and no locale at all") << QStringList{"LANGUAGE=de"} << false;
        QTest::newRow("French, which we lack, is English") << QStringList{"LANG=fr_FR.UTF-8"} << false;
        QTest::newRow("French then German is German") << QStringList{"LANG=fr_FR.UTF-8", "LANGUAGE=fr:de"} << true;
        QTest::newRow("English before German") << QStringList{"LANG=de_DE.UTF-8", "LANGUAGE=en:de"} << false;
    }
    void speaksOneLanguageChosenByGettextsRule()
    {
        QFETCH(QStringList, environment);
        QFETCH(bool, german);
        QProcess process;
        process.setEnvironment(environment);
        process.start(LARDERLY_PROGRAM, {"--help"});
        QVERIFY(process.waitForFinished(10000));
        // The start of --help: Qt's usage line and our description.
        const QString help = german ? "Aufruf: larderly [Optionen]\nEin Rezeptkasten für den Desktop: Rezepte"
                                    : "Usage: larderly [options]\nA recipe box for the desktop: keep, search";
        QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()).left(help.size()), help);
    }

    void printoutsGoBesideACopyOrIntoTheDocumentsFolder()
    {
        Folder home;
        qputenv("HOME", QFile::encodeName(home.dir.path()));
        const DataFolders installed(LARDERLY_PREFIX "/bin");
        QCOMPARE(installed.pdfFolder(), home.dir.path()); // no documents folder yet
        QVERIFY(QDir(home.dir.path()).mkpath("Documents"));
        QCOMPARE(installed.pdfFolder(), home.path("Documents"));
        QCOMPARE(DataFolders(home.dir.path()).pdfFolder(), home.dir.path());
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
