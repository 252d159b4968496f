// The built program run as a user would, copied or installed: options, display, language, where the recipes go.
#include "Recipes.h"
#include "resources/Version.h"

#include <QtTest>

namespace {

const QByteArray OneRecipe = "1,1\r\n\"Soup\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";
const QString Again = "Try 'larderly --help' for more information.\n";
// The start of --help: Qt's usage line and our description.
const QString English = "Usage: larderly [options]\nA recipe box for the desktop: keep, search and print";
const QString German = "Aufruf: larderly [Optionen]\nEin Rezeptkasten für den Desktop: Rezepte aufbewahren";

} // namespace

class TestProgram : public QObject
{
    Q_OBJECT

private slots:
    // The language by gettext's rule; Qt's texts (qt6-translations-l10n has French ones) in ours, else English.
    void runsAsAUserStartsItAndKeepsTheRecipesWhereTheyCanWrite_data()
    {
        QTest::addColumn<QString>("where"); // copied into a folder with one recipe (by default), into bin, or installed
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("environment"); // the display (none, offscreen, one nobody serves), the language
        QTest::addColumn<QString>("out"); // how standard output starts; with none, the window opens
        QTest::addColumn<QString>("err"); // all of standard error; any ends it with status 1
        const auto row = [](const char *name, const QString &arguments, const QString &environment, const QString &out,
                            const QString &err, const QString &where = "copied") {
            QTest::newRow(name) << where << arguments << environment << out << err;
        };
        const QString shown = "QT_QPA_PLATFORM=offscreen";
        row("--version", "--version", shown, "Larderly " LARDERLY_VERSION "\n", "");
        row("an unknown option", "--frobnicate", "", "", "larderly: Unknown option 'frobnicate'.\n" + Again);
        row("an extra argument", "RECIPES.DAT", "", "", "larderly: unexpected argument 'RECIPES.DAT'\n" + Again);
        row("a display nobody serves", "", "DISPLAY=:9999", "",
            "Larderly is a desktop program and found no display to open its window on.\n");
        row("Qt's -platform names the display", "-platform offscreen", "", "", "");
        row("a platform plugin's warning is no missing display", "", "QT_QPA_PLATFORM=nosuchplugin;offscreen", "", "");
        row("a copy keeps the recipes beside itself", "", shown, "", "");
        row("a copy in a folder named bin is still a copy", "", shown, "", "", "bin");
        row("an installed program keeps them in the user's data folder", "", shown, "", "", "installed");
        row("a German desktop", "--help", "LANG=de_DE.UTF-8", German, "");
        row("LC_ALL=C ignores LANGUAGE", "--help", "LC_ALL=C LANG=de_DE.UTF-8 LANGUAGE=de", English, "");
        row("and no locale at all", "--help", "LANGUAGE=de", English, "");
        row("French, which we lack, is English", "--help", "LANG=fr_FR.UTF-8", English, "");
        row("French then German is German", "--help", "LANG=fr_FR.UTF-8 LANGUAGE=fr:de", German, "");
        row("English before German", "--help", "LANG=de_DE.UTF-8 LANGUAGE=en:de", English, "");
    }
    void runsAsAUserStartsItAndKeepsTheRecipesWhereTheyCanWrite()
    {
        QFETCH(QString, where);
        QFETCH(QString, arguments);
        QFETCH(QString, environment);
        QFETCH(QString, out);
        QFETCH(QString, err);
        Folder copy, home;
        const QString folder = where == "bin" ? copy.path("bin") : copy.dir.path();
        const bool installed = where == "installed";
        const QString recipes = QDir(copy.dir.path()).relativeFilePath(folder + "/RECIPES.DAT");
        if (!installed) { // the recipes go beside the program
            QVERIFY(QDir().mkpath(folder) && QFile::copy(LARDERLY_PROGRAM, folder + "/larderly"));
            copy.put(OneRecipe, recipes);
        }
        QProcessEnvironment variables;
        const QString user = "HOME=%1 XDG_DATA_HOME=%1/data XDG_RUNTIME_DIR=%1 "
                             "QT_LOGGING_RULES=larderly.application.debug=true;larderly.translations.info=false";
        for (const QString &variable : (user.arg(home.dir.path()) + u' ' + environment).split(u' ', Qt::SkipEmptyParts))
            variables.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        QProcess process;
        process.setProcessEnvironment(variables);
        process.setReadChannel(QProcess::StandardError);
        process.start(installed ? LARDERLY_PREFIX "/bin/larderly" : folder + "/larderly",
                      QProcess::splitCommand(arguments));
        QByteArray errors;
        if (err.isEmpty() && out.isEmpty()) { // the window opens: ended as the session ends it
            while (!errors.contains("on view\n") && process.waitForReadyRead(10000))
                errors += process.readAllStandardError();
            process.terminate();
        }
        QVERIFY(process.waitForFinished(30000));
        errors += process.readAllStandardError();
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), err.isEmpty() ? 0 : 1);
        QCOMPARE(QString(process.readAllStandardOutput()).left(qMax(out.size(), 1)), out); // none expected: none at all
        const QRegularExpression said(
            "qt.qpa.plugin: Could not find.*\n|larderly.application: the main window is on view\n");
        QCOMPARE(QString(errors).remove(said), err);
        const QStringList there
            = QDir(folder).entryList(QDir::Files) + QDir(home.path("data/larderly")).entryList(QDir::Files);
        QCOMPARE(there.join(u' '), installed ? "RECIPES.DAT" : "larderly RECIPES.DAT"); // no lock or journal left
        QVERIFY(installed || copy.bytes(recipes) == OneRecipe);
        QCOMPARE(QDir(LARDERLY_PREFIX).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList({"bin", "share"}));
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
