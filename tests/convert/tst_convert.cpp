// larderly-convert run as a user runs it: what it adds to a box, what it refuses and leaves as it
// was, and where it finds the recipes.
#include "Recipes.h"
#include "store/RecipeBox.h"

#include <QtTest>

#include <sys/stat.h>

namespace {

// "@name" is a sample file of the formats' tests, "%1" the recipe folder.
QStringList resolved(QStringList arguments, const QString &folder)
{
    for (QString &argument : arguments)
        argument.replace('@', QStringLiteral(LARDERLY_SAMPLES "/")).replace("%1", folder);
    return arguments;
}

struct Run
{
    int status = -1;
    QString output;
    QString errors;
};

Run run(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment = {})
{
    QProcess process;
    process.setProcessEnvironment(environment.isEmpty() ? QProcessEnvironment::systemEnvironment() : environment);
    process.start(program, arguments);
    if (!process.waitForFinished(30000))
        process.kill();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

Run convert(const Folder &box, const QStringList &arguments)
{
    return run(LARDERLY_CONVERT, QStringList{"--folder", box.dir.path()} + resolved(arguments, box.dir.path()));
}

RecipeList boxOf(const Folder &box)
{
    RecipeList list;
    RecipeFile::read(box.path(), list);
    return list;
}

QStringList names(const RecipeList &list)
{
    QStringList names;
    for (int i = 1; i <= list.count().value(); ++i)
        names << list.at(i).name;
    return names;
}

} // namespace

class TestConvert : public QObject
{
    Q_OBJECT

private slots:
    void refusesAndChangesNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("recipes"); // in the box
        QTest::addColumn<QString>("waiting"); // a file put beside them, none when empty
        QTest::addColumn<bool>("locked"); // by a window
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("errors"); // %1 the folder, @name a sample file
        // clang-format off
        const QString again = "Try 'larderly-convert --help' for more information.\n";
        const QStringList import{"import", "@two-recipes-v8.mmf"};
        QTest::newRow("a window has the recipes open") << import << 2 << "" << true << 1
            << "The recipes in %1 are open in a Larderly window. Close it, then try again.\n";
        QTest::newRow("a journal of a session that did not end waits") << import << 2 << "RECIPES.JNL" << false << 1
            << "Changes to the recipes in %1 from a Larderly session that did not end normally are waiting. Start Larderly to recover or discard them, then try again.\n";
        QTest::newRow("one bad file among several") << QStringList{"import", "@two-recipes-v8.mmf", "@cut-short.mxp", "@recipes.json", "@shopping-list.txt"} << 2 << "" << false << 1
            << "@cut-short.mxp: line 36: the recipe “Toast” has no ingredient table: the file is cut short\n"
               "@shopping-list.txt: not in a format this command reads (if it is one, name it with --format)\nNo recipe was imported.\n";
        QTest::newRow("a file that is not there") << QStringList{"import", "%1/none.json"} << 0 << "" << false << 1
            << "%1/none.json: cannot be read: No such file or directory\nNo recipe was imported.\n";
        QTest::newRow("past 32,767 recipes") << import << 32766 << "" << false << 1
            << "The box holds 32766 recipes, and 2 more would pass the 32,767 it can hold. No recipe was imported.\n";
        QTest::newRow("a box that cannot be read") << import << 2 << "RECIPES.DAT" << false << 1
            << "Input past end of file\nA copy of the file as it was is kept as RECIPES-BACKUP-1.DAT.\nlarderly-convert: %1/RECIPES.DAT could not be read whole. Open it in Larderly, which keeps a copy of a damaged file, then try again.\n";
        QTest::newRow("an export over the box itself") << QStringList{"export", "--format", "jsonld", "%1/RECIPES.DAT"} << 2 << "" << false << 1
            << "%1/RECIPES.DAT is the recipe box itself: export to another file.\n";
        QTest::newRow("an export of an empty box") << QStringList{"export", "%1/out.json"} << 0 << "" << false << 1
            << "There are no recipes in %1 to export.\n";
        QTest::newRow("an unknown option") << QStringList{"--frobnicate", "import", "x.mmf"} << 2 << "" << false << 2
            << "Unknown option 'frobnicate'.\n" + again;
        QTest::newRow("no command") << QStringList() << 2 << "" << false << 2 << "no command: import or export\n" + again;
        QTest::newRow("an export whose name tells no format") << QStringList{"export", "%1/out.txt"} << 2 << "" << false << 2
            << "the name %1/out.txt does not tell the format: name it with --format mealmaster or --format jsonld\n" + again;
        QTest::newRow("an export to a format only read") << QStringList{"export", "%1/out.mxp"} << 2 << "" << false << 2
            << "recipes are exported as mealmaster or jsonld, not as mxp\n" + again;
        QTest::newRow("an unknown encoding") << QStringList{"--encoding", "ebcdic", "import", "@two-recipes-v8.mmf"} << 2 << "" << false << 2
            << "unknown encoding 'ebcdic': cp437, windows-1252 or utf-8\n" + again;
        // clang-format on
    }
    void refusesAndChangesNothing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, recipes);
        QFETCH(QString, waiting);
        QFETCH(bool, locked);
        QFETCH(int, status);
        QFETCH(QString, errors);
        Folder box;
        if (recipes > 0)
            RecipeFile::write(numbered(recipes), box.path());
        if (waiting == "RECIPES.DAT")
            box.put("5,1\r\n\"cut", waiting);
        if (waiting == "RECIPES.JNL") { // a session that ended unsaved
            RecipeBox unsaved(box.dir.path());
            unsaved.open();
            unsaved.store(numbered(1, 1, "Stew").at(1));
            QString where;
            QVERIFY(unsaved.keepForNextStart(&where));
        }
        QLockFile window(box.path("RECIPES.LCK"));
        QVERIFY(!locked || window.tryLock(0));
        const QStringList before = box.files();
        const QByteArray bytes = box.bytes();
        const Run result = convert(box, arguments);
        QCOMPARE(result.errors, "larderly-convert: " + resolved({errors}, box.dir.path()).first());
        QCOMPARE(result.status, status);
        QCOMPARE(result.output, QString());
        QCOMPARE(box.bytes(), bytes);
        QCOMPARE(box.files().filter(QRegularExpression("^(?!RECIPES-BACKUP)")), before); // a damaged box kept
    }

    void importsAfterTheLastRecipe_data()
    {
        QTest::addColumn<int>("recipes"); // in the box, the second current
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("names"); // after the import
        QTest::addColumn<int>("current");
        // clang-format off
        QTest::newRow("into an empty box: the first imported is current") << 0 << QStringList{"@two-recipes-v8.mmf", "@recipes.json"}
            << QStringList{"Lemon Drizzle Cake", "Garden Vegetable Soup", "Overnight oats", "Iced tea"} << 1;
        QTest::newRow("after the last recipe: the current one stays") << 3 << QStringList{"@two-recipes.mxp", "@recipes.xml", "@recipe-page.html", "@cp437-v7.mmf"}
            << QStringList{"Recipe 1", "Recipe 2", "Recipe 3", "Shepherd's Pie", "Toast", "Pancakes", "Crème fraîche dip", "Chickpea & spinach curry", "Flatbreads", "Crème brûlée"} << 2;
        // clang-format on
    }
    void importsAfterTheLastRecipe()
    {
        QFETCH(int, recipes);
        QFETCH(QStringList, files);
        QFETCH(QStringList, names);
        QFETCH(int, current);
        Folder box;
        struct stat old = {};
        if (recipes > 0) { // replaced whole, with its mode kept
            RecipeFile::write(numbered(recipes, 2), box.path());
            QVERIFY(::chmod(QFile::encodeName(box.path()), 0640) == 0
                    && ::stat(QFile::encodeName(box.path()), &old) == 0);
        }
        const Run result = convert(box, QStringList{"import"} + files);
        QCOMPARE(result.errors, QString());
        QCOMPARE(result.output,
                 QString("Recipes imported: %1. %2 now holds %3.\n")
                     .arg(names.size() - recipes)
                     .arg(box.path())
                     .arg(names.size()));
        QCOMPARE(result.status, 0);
        const RecipeList list = boxOf(box);
        QCOMPARE(::names(list), names);
        QCOMPARE(list.current().value(), current);
        struct stat saved = {};
        QVERIFY(::stat(QFile::encodeName(box.path()), &saved) == 0);
        QVERIFY(recipes == 0 || (saved.st_ino != old.st_ino && saved.st_mode == old.st_mode));
        QCOMPARE(box.files(), QStringList{"RECIPES.DAT"}); // and the lock is gone
    }

    // What is exported reads back: JSON-LD to the very same recipes, Meal-Master to as many.
    void exportsWhatItImports_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("same");
        QTest::newRow("JSON-LD") << "box.jsonld" << true;
        QTest::newRow("Meal-Master") << "box.mmf" << false;
    }
    void exportsWhatItImports()
    {
        QFETCH(QString, file);
        QFETCH(bool, same);
        Folder box, copy;
        const RecipeList list
            = listOf({"Crème “brûlée” & <b>co</b>", " 1 h 30 min", "PT5M", "4 servings", "1 c Milk\r\n\r\n 2 Eggs ",
                      "Mix.\r\n\r\n&amp; bake.", "Tea", "", "", "", "", ""},
                     2);
        RecipeFile::write(list, box.path());
        const Run exported = convert(box, {"export", copy.path(file)});
        QCOMPARE(exported.errors, QString());
        QCOMPARE(exported.output, QString("Recipes exported to %1: 2.\n").arg(copy.path(file)));
        const Run imported = convert(copy, {"import", copy.path(file)});
        QCOMPARE(imported.errors + imported.output, QString("Recipes imported: 2. %1 now holds 2.\n").arg(copy.path()));
        const RecipeList back = boxOf(copy);
        QCOMPARE(back.count(), list.count());
        if (same)
            QCOMPARE(fieldsOf(back), fieldsOf(list).mid(0, 12) << "1");
    }

    void findsTheRecipesWhereTheProgramKeepsThem_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("folder"); // where the recipes go, below the copy or the home folder
        QTest::newRow("a copy keeps them beside itself") << false << "copy";
        QTest::newRow("an installed command in the user's data folder") << true << "data/larderly";
    }
    void findsTheRecipesWhereTheProgramKeepsThem()
    {
        QFETCH(bool, installed);
        QFETCH(QString, folder);
        Folder home;
        QVERIFY(QDir().mkpath(home.path("copy")));
        const QString program
            = installed ? LARDERLY_PREFIX "/bin/larderly-convert" : home.path("copy/larderly-convert");
        QVERIFY(installed || QFile::copy(LARDERLY_CONVERT, program));
        QProcessEnvironment environment;
        environment.insert("HOME", home.dir.path());
        environment.insert("XDG_DATA_HOME", home.path("data"));
        const Run result = run(program, resolved({"import", "@recipes.json"}, QString()), environment);
        QCOMPARE(result.errors, QString());
        QCOMPARE(result.status, 0);
        RecipeList list;
        RecipeFile::read(home.path(folder + "/RECIPES.DAT"), list);
        QCOMPARE(list.count().value(), 2);
    }
};

QTEST_GUILESS_MAIN(TestConvert)
#include "tst_convert.moc"
