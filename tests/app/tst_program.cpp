// The built program run as a user would, copied or installed: options, display, where the recipes go.
#include "Recipes.h"
#include "core/DataFolders.h"
#include "resources/Version.h"

#include <QtTest>

namespace {

const QByteArray OneRecipe = "1,1\r\n\"Soup\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";
const QString Again = "Try 'larderly --help' for more information.\n";
const QString NoDisplay = "Larderly is a desktop program and found no display to open its window on.\n";
// The start of --help: Qt's usage line and our description.
const QString EnglishHelp = "Usage: larderly [options]\nA recipe box for the desktop: keep, search and print";
const QString GermanHelp = "Aufruf: larderly [Optionen]\nEin Rezeptkasten für den Desktop: Rezepte aufbewahren";

} // namespace

class TestProgram : public QObject
{
    Q_OBJECT

private slots:
    void runsAsAUserStartsItAndKeepsTheRecipesWhereTheyCanWrite_data()
    {
        QTest::addColumn<QString>("program"); // copied into a folder with one recipe, into one named bin, or installed
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("display"); // none, Qt's offscreen platform, or an X display nobody serves
        QTest::addColumn<QString>("out"); // how standard output starts
        QTest::addColumn<QString>("err"); // all of standard error; any ends it with status 1
        QTest::addColumn<QString>("files"); // beside the copy and in the user's data folder
        const auto row = [](const char *name, const QString &program, const QStringList &arguments,
                            const QString &display, const QString &out, const QString &err, const QString &files) {
            QTest::newRow(name) << program << arguments << display << out << err << files;
        };
        const QString copied = "larderly RECIPES.DAT";
        row("--version shows the version", "copied", QStringList{"--version"}, "offscreen",
            "Larderly " LARDERLY_VERSION "\n", "", copied);
        row("an unknown option is refused", "copied", QStringList{"--frobnicate"}, "none", "",
            "larderly: Unknown option 'frobnicate'.\n" + Again, copied);
        row("an extra argument is refused", "copied", QStringList{"RECIPES.DAT"}, "none", "",
            "larderly: unexpected argument 'RECIPES.DAT'\n" + Again, copied);
        row("a start with a display nobody serves says so", "copied", QStringList(), ":9999", "", NoDisplay, copied);
        row("Qt's -platform names the display", "copied", QStringList{"-platform", "offscreen"}, "none", "", "",
            copied);
        row("a platform plugin's warning is no missing display", "copied", QStringList(), "nosuchplugin;offscreen", "",
            "", copied);
        row("a copied program keeps the recipes beside itself", "copied", QStringList(), "offscreen", "", "", copied);
        row("a copy in a folder named bin is still a copy", "bin", QStringList(), "offscreen", "", "", copied);
        row("an installed program keeps them in the user's data folder", "installed", QStringList(), "offscreen", "",
            "", "RECIPES.DAT");
    }
    void runsAsAUserStartsItAndKeepsTheRecipesWhereTheyCanWrite()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(QString, display);
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
        QCOMPARE(there.join(u' '), files); // no lock or journal left
        if (program != "installed")
            QCOMPARE(copy.bytes(QDir(copy.dir.path()).relativeFilePath(folder + "/RECIPES.DAT")), OneRecipe);
        QCOMPARE(QDir(LARDERLY_PREFIX).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList({"bin", "share"}));
    }

    // gettext's rule; Qt's texts (qt6-translations-l10n has French ones) in our language, else English.
    void speaksOneLanguageChosenByGettextsRule_data()
    {
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<bool>("german"); // else English
        const auto row = [](const char *name, const QStringList &environment, bool german) {
            QTest::newRow(name) << environment << german;
        };
        row("a German desktop", QStringList{"LANG=de_DE.UTF-8"}, true);
        row("LC_ALL=C ignores LANGUAGE", QStringList{"LC_ALL=C", "LANG=de_DE.UTF-8", "LANGUAGE=de"}, false);
        row("LC_MESSAGES=POSIX ignores it", QStringList{"LC_MESSAGES=POSIX", "LANG=de_DE.UTF-8", "LANGUAGE=de"}, false);
        row("no locale at all ignores it", QStringList{"LANGUAGE=de"}, false);
        row("French, which we lack, is English, Qt's texts too", QStringList{"LANG=fr_FR.UTF-8"}, false);
        row("French then German is German, Qt's texts too", QStringList{"LANG=fr_FR.UTF-8", "LANGUAGE=fr:de"}, true);
        row("English before German", QStringList{"LANG=de_DE.UTF-8", "LANGUAGE=en:de"}, false);
    }
    void speaksOneLanguageChosenByGettextsRule()
    {
        QFETCH(QStringList, environment);
        QFETCH(bool, german);
        QProcess process;
        process.setEnvironment(environment);
        process.start(LARDERLY_PROGRAM, {"--help"});
        QVERIFY(process.waitForFinished(10000));
        const QString help = german ? GermanHelp : EnglishHelp;
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
