// larderly-convert run as a user runs it: what it adds to a box, what it refuses and leaves as it
// was, and where it finds the recipes.
#include "Recipes.h"

#include <QtTest>

#include <sys/stat.h>

namespace {

// The program run with the arguments ("@name" a sample file, "%1" the folder): its errors, then its output.
struct Run
{
    Run(const QString &program, QStringList arguments, const QString &folder,
        const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
    {
        for (QString &argument : arguments)
            argument.replace('@', QStringLiteral(LARDERLY_SAMPLES "/")).replace("%1", folder);
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        if (!process.waitForFinished(30000))
            process.kill();
        status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        said = QString::fromLocal8Bit(process.readAllStandardError() + process.readAllStandardOutput());
    }
    int status;
    QString said;
};

Run convert(const Folder &box, const QStringList &arguments)
{
    return Run(LARDERLY_CONVERT, QStringList{"--folder", box.dir.path()} + arguments, box.dir.path());
}

// The command refuses, saying why (a pattern), and leaves the folder as it was, but for a damaged box's copy.
void refuses(const Folder &box, const QStringList &arguments, const QString &why, int status = 1)
{
    const QStringList files = box.files();
    const QByteArray bytes = box.bytes();
    const Run result = convert(box, arguments);
    QVERIFY2(result.said.startsWith("larderly-convert: ") && result.said.contains(QRegularExpression(why)),
             qPrintable(result.said));
    QCOMPARE(result.status, status);
    QCOMPARE(box.bytes(), bytes);
    QCOMPARE(box.files().filter(QRegularExpression("^(?!RECIPES-BACKUP)")), files);
}

const QStringList Import = {"import", "@two-recipes-v8.mmf"};

} // namespace

class TestConvert : public QObject
{
    Q_OBJECT

private slots:
    void refusesAndChangesNothing()
    {
        Folder locked, waiting, damaged, box, full, empty;
        QLockFile window(locked.path("RECIPES.LCK"));
        QVERIFY(window.tryLock(0));
        RecipeFile::write(numbered(2), waiting.path());
        QVERIFY(killedAfterTyping(waiting.dir.path(), numbered(1, 1, "Stew").at(1)));
        damaged.put("5,1\r\n\"cut");
        RecipeFile::write(numbered(2), box.path());
        RecipeFile::write(numbered(32766), full.path());
        refuses(locked, Import, "are open in a Larderly window");
        refuses(waiting, Import, "session that did not end normally are waiting");
        refuses(damaged, Import, "RECIPES.DAT could not be read whole");
        refuses(box, {"import", "@recipes.json", "@cut-short.mxp", "%1/none.json", "@shopping-list.txt"},
                "cut-short.mxp: line 1: the recipe “Toast” has no ingredient table.*\n.*none.json: cannot be read: "
                "No such file.*\n.*shopping-list.txt: not in a format this command reads.*\nNo recipe was imported");
        refuses(full, Import, "and 2 more would pass the 32,767 it can hold");
        {
            const auto diskFull = fillDiskAt(box.bytes().size() + 10); // which the command inherits
            qputenv("QT_LOGGING_RULES", "larderly.journal.*=false"); // the journal cannot be written either
            refuses(box, Import, "RECIPES.DAT could not be saved: Disk full. It is as it was.");
            qunsetenv("QT_LOGGING_RULES");
        }
        refuses(box, {"export", "--format", "jsonld", "%1/RECIPES.DAT"}, "is the recipe box itself");
        refuses(locked, {"export", "%1/out.json"}, "are open in a Larderly window");
        refuses(empty, {"export", "%1/out.json"}, "There are no recipes in .* to export");
        refuses(box, {"export", "%1/out.mxp"}, "recipes are exported as mealmaster or jsonld, not as mxp", 2);
        refuses(box, {"export", "%1/out.txt"}, "the name .*/out.txt does not tell the format", 2);
        refuses(box, QStringList{"--encoding", "ebcdic"} + Import, "unknown encoding 'ebcdic'", 2);
        refuses(box, {}, "no command: import or export", 2);
    }

    void importsAfterTheLastRecipe_data()
    {
        QTest::addColumn<int>("recipes"); // in the box, the second current
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("names"); // after the import, the current one marked
        QTest::addColumn<QString>("said"); // %1 the box
        QTest::newRow("into an empty box: the first imported is current")
            << 0 << QStringList{"import", "@two-recipes-v8.mmf", "@recipes.json"}
            << "*Lemon Cake|Soup|Overnight oats|Iced tea"
            << "Recipes imported: 4. %1 now holds 4.\n";
        QTest::newRow("after the last recipe: the current one stays, an encoding named")
            << 3 << QStringList{"--encoding", "cp437", "import", "@two-recipes.mxp", "@windows-1252-tie.txt"}
            << "Recipe 1|*Recipe 2|Recipe 3|Shepherd's Pie|Toast|CafΘ au lait"
            << "Recipes imported: 3. %1 now holds 6.\n";
    }
    void importsAfterTheLastRecipe()
    {
        QFETCH(int, recipes);
        QFETCH(QStringList, arguments);
        QFETCH(QString, names);
        QFETCH(QString, said);
        Folder box; // replaced whole, its mode kept
        RecipeFile::write(numbered(recipes, 2), box.path());
        struct stat old = {}, saved = {};
        QVERIFY(::chmod(QFile::encodeName(box.path()), 0640) == 0 && ::stat(QFile::encodeName(box.path()), &old) == 0);
        const Run result = convert(box, arguments);
        const RecipeList list = box.journaled();
        QStringList read;
        for (int i = 1; i <= list.count().value(); ++i)
            read << (i == list.current().value() ? "*" : "") + list.at(i).name;
        QCOMPARE(read.join('|'), names);
        QCOMPARE(result.said, said.arg(box.path()));
        QCOMPARE(result.status, 0);
        QVERIFY(::stat(QFile::encodeName(box.path()), &saved) == 0);
        QVERIFY(saved.st_ino != old.st_ino && saved.st_mode == old.st_mode);
        QCOMPARE(box.files(), QStringList{"RECIPES.DAT"}); // and the lock is gone
    }

    // What is exported reads back: JSON-LD as the very same recipes, Meal-Master as as many.
    void exportsWhatItImports()
    {
        Folder box, copy;
        const Fields fields = QString("Crème “brûlée” & <b>co</b>|1 h 30 min|PT5M|4 servings|1 c Milk\r\n\r\n 2 "
                                      "Eggs |Mix.\r\n\r\n&amp; bake.|Tea| 5 min||||")
                                  .split('|');
        RecipeFile::write(listOf(fields, 2), box.path());
        for (const char *file : {"box.jsonld", "box.mmf"}) {
            const Run exported = convert(box, {"export", copy.path(file)});
            QCOMPARE(exported.said, QString("Recipes exported to %1: 2.\n").arg(copy.path(file)));
        }
        QVERIFY(copy.bytes("box.jsonld").contains("\"prepTime\": \"PT1H30M\""));
        QCOMPARE(convert(copy, {"import", "%1/box.jsonld", "%1/box.mmf"}).said,
                 QString("Recipes imported: 4. %1 now holds 4.\n").arg(copy.path()));
        const Fields back = fieldsOf(copy.journaled());
        QCOMPARE(back.mid(0, 12), fields);
    }
};

QTEST_GUILESS_MAIN(TestConvert)
#include "tst_convert.moc"
