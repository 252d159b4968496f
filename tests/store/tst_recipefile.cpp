#include "RecipeFile.h"
#include "RecipeList.h"
#include "RecipeReader.h"
#include "RecipeWriter.h"
#include "RuntimeError.h"
#include "SampleRecipes.h"

#include <QtTest>

#include <unistd.h>

namespace {

using Fields = QStringList; // six texts per recipe, recipe after recipe

RecipeList listOf(const Fields &fields, int current)
{
    RecipeList list;
    for (int i = 0; i + Recipe::FieldCount <= fields.size(); i += Recipe::FieldCount) {
        list.appendEmpty();
        for (int f = 0; f < Recipe::FieldCount; ++f)
            list.Recipes(list.RecipeCount()).field(f) = fields.at(i + f);
    }
    list.setCurrentRecipe(current);
    return list;
}

Fields fieldsOf(const RecipeList &list)
{
    Fields fields;
    for (int i = 1; i <= list.RecipeCount().value(); ++i) {
        for (int f = 0; f < Recipe::FieldCount; ++f)
            fields << list.Recipes(i).field(f);
    }
    return fields;
}

// A folder with RECIPES.DAT, the list it is read into and the messages the user would see.
class Box
{
public:
    Box() : file(list, dir.path(), [this](const QString &m) { messages << m; }) {}

    QString path(const QString &name = RecipeFile::fileName()) const { return dir.filePath(name); }

    void put(const QByteArray &bytes, const QString &name = RecipeFile::fileName()) const
    {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QByteArray bytes(const QString &name = RecipeFile::fileName()) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir dir;
    RecipeList list;
    QStringList messages;
    RecipeFile file;
};

QByteArray sixItems(const char *name)
{
    return QByteArray("\"") + name + "\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";
}

QString childPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/savechild");
}

} // namespace

class TestRecipeFile : public QObject
{
    Q_OBJECT

private slots:
    void savedListLoadsBackUnchanged_data();
    void savedListLoadsBackUnchanged();
    void writesExactBytes_data();
    void writesExactBytes();
    void readsItems_data();
    void readsItems();
    void headersThatAreNeverWritten_data();
    void headersThatAreNeverWritten();
    void shortFileKeepsWhatWasRead();
    void unclosedQuoteKeepsTheTextAndReportsTheEnd();
    void missingFileIsSilent();
    void emptyFileIsReportedWithoutBackup();
    void failedLoadKeepsEachFileUnderANewBackupName();
    void textAfterTheLastRecipeIsIgnoredAndGoneAfterSave();
    void readOnlyFileIsLeftWhole();
    void readOnlyFolderLeavesFileWhole();
    void fullDiskLeavesFileWholeAndListUntouched();
    void saveKilledAtAnyMomentLeavesOldOrNewFile();
};

void TestRecipeFile::savedListLoadsBackUnchanged_data()
{
    QTest::addColumn<Fields>("fields");
    QTest::addColumn<QByteArray>("encoding");

    QTest::newRow("empty fields") << Fields{"", "", "", "", "", ""} << QByteArray("ASCII");
    QTest::newRow("commas and spaces kept as typed")
        << Fields{" Soup, hot ", "  ", ",", " 4 ,", "a,b,,c", ",\r\n,"} << QByteArray("ASCII");
    QTest::newRow("line breaks inside fields")
        << Fields{"x", "", "", "", "1 egg\r\n2 eggs\r\n", "\r\n\r\nStir.\r\n"} << QByteArray("ASCII");
    QTest::newRow("lone CR and LF inside fields")
        << Fields{"a\rb", "c\nd", "", "", "\n", "\r"} << QByteArray("ASCII");
    QTest::newRow("Windows-1252 accents and signs")
        << Fields{"Crème Brûlée", "½ h", "€ 3 – ‘cheap’", "Œufs • ™", "ragù\r\nJalapeño", "Ÿ ž ƒ"}
        << QByteArray("Windows-1252");
    QTest::newRow("characters outside Windows-1252")
        << Fields{"麻婆豆腐", "5 ➜ 10 min", "🍲", "Ğ", "ŝ", "ā"} << QByteArray("UTF-8");
    QTest::newRow("field starting with a zero-width no-break space")
        << Fields{QString(QChar(0xFEFF)) + "x", QString(QChar(0xFEFF)), "", "", "", ""} << QByteArray("UTF-8");
    QTest::newRow("text whose Windows-1252 bytes read as UTF-8")
        << Fields{"Ã©", "", "", "", "", ""} << QByteArray("UTF-8");
    QTest::newRow("double quotes inside fields")
        << Fields{"\"Best\" pie", "10\" pan", "\"", "\"\"", "say \"hi\"\r\n\"x\"", "(\"a\")"}
        << QByteArray("Windows-1252");
    QTest::newRow("NUL and control characters")
        << Fields{QString(QChar(0)) + "a", QString("\t\x01\x1f"), "", "", "", QString(QChar(0x81))}
        << QByteArray("Windows-1252");
    QTest::newRow("two recipes, the second current")
        << Fields{"A", "1", "2", "3", "4", "5", "B", "6", "7", "8", "9", "10"} << QByteArray("ASCII");
}

void TestRecipeFile::savedListLoadsBackUnchanged()
{
    QFETCH(Fields, fields);
    QFETCH(QByteArray, encoding);

    Box box;
    box.list = listOf(fields, fields.size() / Recipe::FieldCount);
    box.file.SaveRecipes();
    QCOMPARE(box.messages, QStringList());
    QCOMPARE(fieldsOf(box.list), fields); // the list itself is never changed by a save

    Box reloaded;
    reloaded.put(box.bytes());
    reloaded.file.LoadRecipes();
    QCOMPARE(reloaded.messages, QStringList());
    QVERIFY(reloaded.list.invariantsHold());
    QCOMPARE(reloaded.list.CurrentRecipe(), box.list.CurrentRecipe());

    Fields expected;
    for (const QString &text : fields)
        expected << RecipeWriter::withTypographicQuotes(text);
    QCOMPARE(fieldsOf(reloaded.list), expected);

    const QByteArray written = box.bytes();
    const QByteArray kind = TextEncoding::isAscii(written) ? "ASCII"
        : TextEncoding::isValidUtf8(written)               ? "UTF-8"
                                                           : "Windows-1252";
    QCOMPARE(kind, encoding);
    QVERIFY(!box.bytes().startsWith("\xEF\xBB\xBF"));
}

void TestRecipeFile::writesExactBytes_data()
{
    QTest::addColumn<Fields>("fields");
    QTest::addColumn<int>("current");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("two recipes with the second current")
        << Fields{"Soup", "10", "20", "4", "Water\r\nSalt", "Boil.", "Tea", "", "5", "1", "Leaves", ""} << 2
        << QByteArray("2,2\r\n\"Soup\"\r\n\"10\"\r\n\"20\"\r\n\"4\"\r\n\"Water\r\nSalt\"\r\n\"Boil.\"\r\n"
                      "\"Tea\"\r\n\"\"\r\n\"5\"\r\n\"1\"\r\n\"Leaves\"\r\n\"\"\r\n");
    QTest::newRow("empty list with current 0") << Fields{} << 0 << QByteArray("0,0\r\n");
    QTest::newRow("empty list with current 1") << Fields{} << 1 << QByteArray("0,1\r\n");
    QTest::newRow("accents in Windows-1252")
        << Fields{"Crème", "", "", "", "", "€"} << 1
        << QByteArray("1,1\r\n\"Cr\xe8me\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\x80\"\r\n");
    QTest::newRow("one character outside Windows-1252 makes the whole file UTF-8")
        << Fields{"Crème", "", "", "", "", "→"} << 1
        << QByteArray("1,1\r\n\"Cr\xc3\xa8me\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\xe2\x86\x92\"\r\n");
    QTest::newRow("straight quotes become typographic ones")
        << Fields{"\"Best\" pie", "", "", "", "", ""} << 1
        << QByteArray("1,1\r\n\"\x93" "Best\x94 pie\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
}

void TestRecipeFile::writesExactBytes()
{
    QFETCH(Fields, fields);
    QFETCH(int, current);
    QFETCH(QByteArray, bytes);

    Box box;
    box.list = listOf(fields, current);
    box.file.SaveRecipes();
    QCOMPARE(box.bytes(), bytes);
}

void TestRecipeFile::readsItems_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Fields>("fields");

    const Fields plain{"Soup", "", "", "", "", ""};
    QTest::newRow("header values on two lines") << QByteArray("1\r\n1\r\n") + sixItems("Soup") << plain;
    QTest::newRow("unquoted items end at a comma or a line end")
        << QByteArray("1,1\r\nSoup,a b ,,\r\n\"\"\r\nc\r\n") << Fields{"Soup", "a b ", "", "", "", "c"};
    QTest::newRow("blanks before an item and text after a closing quote are passed over")
        << QByteArray("1,1\r\n  \"Soup\" junk,\t\"a\"\"b\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"") << Fields{"Soup", "a", "", "", "", ""};
    QTest::newRow("LF line ends and no final line end")
        << QByteArray("1,1\n\"Soup\"\n\"\"\n\"\"\n\"\"\n\"x\ny\"\n\"\"") << Fields{"Soup", "", "", "", "x\ny", ""};
    QTest::newRow("UTF-8 file") << QByteArray("1,1\r\n") + sixItems("Cr\xc3\xa8me \xe2\x82\xac")
                                << Fields{"Crème €", "", "", "", "", ""};
    QTest::newRow("Windows-1252 file") << QByteArray("1,1\r\n") + sixItems("Cr\xe8me \x80")
                                       << Fields{"Crème €", "", "", "", "", ""};
    QTest::newRow("one item that is not UTF-8 makes the whole file Windows-1252")
        << QByteArray("2,1\r\n") + sixItems("Cr\xc3\xa8me") + sixItems("Cr\xe8me")
        << Fields{"CrÃ¨me", "", "", "", "", "", "Crème", "", "", "", "", ""};
    QTest::newRow("byte-order mark from an editor is skipped")
        << QByteArray("\xEF\xBB\xBF" "1,1\r\n") + sixItems("\xc3\xa9") << Fields{"é", "", "", "", "", ""};
    static const char withNul[] = "1,1\r\n\"a\0b\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\0\"\r\n";
    QTest::newRow("NUL bytes inside a field")
        << QByteArray(withNul, sizeof withNul - 1)
        << Fields{QString("a") + QChar(0) + "b", "", "", "", "", QString(QChar(0))};
}

void TestRecipeFile::readsItems()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Fields, fields);

    Box box;
    box.put(bytes);
    box.file.LoadRecipes();
    QCOMPARE(box.messages, QStringList());
    QCOMPARE(fieldsOf(box.list), fields);
    QVERIFY(box.list.invariantsHold());
}

void TestRecipeFile::headersThatAreNeverWritten_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message"); // first line of the message, empty for none
    QTest::addColumn<int>("count");       // -1: the list is left as it was
    QTest::addColumn<int>("current");

    QTest::newRow("file ends after the first value") << QByteArray("3") << "Input past end of file" << -1 << 0;
    QTest::newRow("file ends after the first line") << QByteArray("3\r\n") << "Input past end of file" << -1 << 0;
    QTest::newRow("negative count") << QByteArray("-1,0\r\n") << "Subscript out of range" << -1 << 0;
    QTest::newRow("count that is not a number") << QByteArray("two,1\r\n") + sixItems("a") << "Type mismatch" << -1 << 0;
    QTest::newRow("empty count") << QByteArray(",1\r\n") << "Type mismatch" << -1 << 0;
    QTest::newRow("current that is not a number") << QByteArray("1,1x\r\n") + sixItems("a") << "Type mismatch" << -1 << 0;
    QTest::newRow("count above 32,767") << QByteArray("32768,1\r\n") << "Overflow" << -1 << 0;
    QTest::newRow("count far above 32,767") << QByteArray("99999999999999999999,1\r\n") << "Overflow" << -1 << 0;
    QTest::newRow("NUL bytes in the header") << QByteArray("1\0,1\r\n", 6) << "Type mismatch" << -1 << 0;
    QTest::newRow("current past the count is put on the last recipe")
        << QByteArray("2,5\r\n") + sixItems("a") + sixItems("b") << "" << 2 << 2;
    QTest::newRow("current 0 with recipes is put on the first")
        << QByteArray("2,0\r\n") + sixItems("a") + sixItems("b") << "" << 2 << 1;
    QTest::newRow("negative current is put on the first")
        << QByteArray("1,-7\r\n") + sixItems("a") << "" << 1 << 1;
    QTest::newRow("empty list keeps current 1") << QByteArray("0,1\r\n") << "" << 0 << 1;
    QTest::newRow("empty list with current 7 gets 0") << QByteArray("0,7\r\n") << "" << 0 << 0;
    QTest::newRow("blanks and a plus sign around the values")
        << QByteArray(" +1 ,\t1\t\r\n") + sixItems("a") << "" << 1 << 1;
}

void TestRecipeFile::headersThatAreNeverWritten()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QFETCH(int, count);
    QFETCH(int, current);

    Box box;
    box.list = listOf(Fields{"Kept", "", "", "", "", ""}, 1);
    box.put(bytes);
    box.file.LoadRecipes();

    QCOMPARE(box.messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QCOMPARE(box.messages.first().section(u'\n', 0, 0), message);
    QVERIFY(box.list.invariantsHold());
    if (count < 0) {
        QCOMPARE(fieldsOf(box.list), Fields({"Kept", "", "", "", "", ""}));
    } else {
        QCOMPARE(box.list.RecipeCount().value(), count);
        QCOMPARE(box.list.CurrentRecipe().value(), current);
    }
}

void TestRecipeFile::shortFileKeepsWhatWasRead()
{
    Box box;
    box.put(QByteArray("3,2\r\n") + sixItems("One") + "\"Two\"\r\n\"5 min\"\r\n");
    box.file.LoadRecipes();

    QCOMPARE(box.messages.size(), 1);
    QVERIFY(box.messages.first().startsWith(QStringLiteral("Input past end of file\n")));
    QCOMPARE(box.list.RecipeCount(), Int16(3));
    QCOMPARE(box.list.CurrentRecipe(), Int16(2));
    QCOMPARE(box.list.slotCount(), 4);
    QCOMPARE(box.list.Recipes(1).Name, QStringLiteral("One"));
    QCOMPARE(box.list.Recipes(2).Name, QStringLiteral("Two"));
    QCOMPARE(box.list.Recipes(2).PrepTime, QStringLiteral("5 min"));
    QCOMPARE(box.list.Recipes(2).CookTime, QString());
    QCOMPARE(box.list.Recipes(3), Recipe());
}

void TestRecipeFile::unclosedQuoteKeepsTheTextAndReportsTheEnd()
{
    Box box;
    box.put(QByteArray("1,1\r\n\"a\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"Mix, then\r\nrest\r\n"));
    box.file.LoadRecipes();

    QCOMPARE(box.messages.size(), 1);
    QVERIFY(box.messages.first().startsWith(QStringLiteral("Input past end of file\n")));
    QCOMPARE(box.list.Recipes(1).Ingredients, QStringLiteral("Mix, then\r\nrest\r\n"));
    QCOMPARE(box.list.Recipes(1).Directions, QString());
    QVERIFY(QFileInfo::exists(box.path(RecipeFile::backupName(1))));
}

void TestRecipeFile::missingFileIsSilent()
{
    Box box;
    box.file.LoadRecipes();
    QCOMPARE(box.messages, QStringList());
    QCOMPARE(box.list.RecipeCount(), Int16(0));
    QCOMPARE(box.list.CurrentRecipe(), Int16(0));
    QCOMPARE(box.list.slotCount(), 0);

    box.file.SaveRecipes(); // the first save creates the file
    QCOMPARE(box.bytes(), QByteArray("0,0\r\n"));
}

void TestRecipeFile::emptyFileIsReportedWithoutBackup()
{
    Box box;
    box.put(QByteArray());
    box.file.LoadRecipes();
    QCOMPARE(box.messages, QStringList{"Input past end of file"});
    QCOMPARE(box.list.RecipeCount(), Int16(0));
    QVERIFY(!QFileInfo::exists(box.path(RecipeFile::backupName(1))));
}

void TestRecipeFile::failedLoadKeepsEachFileUnderANewBackupName()
{
    const QByteArray first = QByteArray("2,1\r\n") + sixItems("Only one");
    const QByteArray second = QByteArray("5,1\r\n") + sixItems("Another");

    Box box;
    box.put(first);
    box.file.LoadRecipes();
    QCOMPARE(box.messages, QStringList{"Input past end of file\nA copy of the file as it was is kept as RECIPES-BACKUP-1.DAT."});
    box.file.SaveRecipes(); // writes the partial list over RECIPES.DAT
    QCOMPARE(box.bytes(RecipeFile::backupName(1)), first);

    box.put(second);
    box.file.LoadRecipes();
    QCOMPARE(box.messages.last(), QStringLiteral("Input past end of file\nA copy of the file as it was is kept as RECIPES-BACKUP-2.DAT."));
    QCOMPARE(box.bytes(RecipeFile::backupName(1)), first);
    QCOMPARE(box.bytes(RecipeFile::backupName(2)), second);
}

void TestRecipeFile::textAfterTheLastRecipeIsIgnoredAndGoneAfterSave()
{
    Box box;
    const QByteArray recipe = QByteArray("1,1\r\n") + sixItems("Soup");
    box.put(recipe + "\"never read\r\n\xff\xfe garbage");
    box.file.LoadRecipes();
    QCOMPARE(box.messages, QStringList());
    QCOMPARE(box.list.RecipeCount(), Int16(1));
    box.file.SaveRecipes();
    QCOMPARE(box.bytes(), recipe);
}

void TestRecipeFile::readOnlyFileIsLeftWhole()
{
    Box box;
    const QByteArray old = QByteArray("1,1\r\n") + sixItems("Old");
    box.put(old);
    QVERIFY(QFile::setPermissions(box.path(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    box.list = sampleRecipes(3, QStringLiteral("New"));

    box.file.SaveRecipes();
    QCOMPARE(box.messages, QStringList{"Permission denied"});
    QCOMPARE(box.bytes(), old);
    QVERIFY(sameList(box.list, sampleRecipes(3, QStringLiteral("New"))));
}

void TestRecipeFile::readOnlyFolderLeavesFileWhole()
{
    Box box;
    const QByteArray old = QByteArray("1,1\r\n") + sixItems("Old");
    box.put(old);
    if (geteuid() == 0) {
        // root writes anywhere: save from a child process that runs as the unprivileged user.
        QVERIFY(QFile::setPermissions(box.dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                      | QFile::ReadOther | QFile::ExeOther));
        QProcess child;
        child.start(childPath(), {QStringLiteral("nobody"), box.dir.path()});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(child.readAllStandardOutput(), QByteArray("message Permission denied\ncount 500\n"));
    } else {
        QVERIFY(QFile::setPermissions(box.dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        box.list = sampleRecipes(3, QStringLiteral("New"));
        box.file.SaveRecipes();
        QVERIFY(QFile::setPermissions(box.dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QCOMPARE(box.messages, QStringList{"Permission denied"});
        QVERIFY(sameList(box.list, sampleRecipes(3, QStringLiteral("New"))));
    }
    QCOMPARE(box.bytes(), old);
    QCOMPARE(QDir(box.dir.path()).entryList(QDir::Files), QStringList{RecipeFile::fileName()});
}

void TestRecipeFile::fullDiskLeavesFileWholeAndListUntouched()
{
    Box box;
    const QByteArray old = QByteArray("1,1\r\n") + sixItems("Old");
    box.put(old);
    QProcess child;
    child.start(childPath(), {QStringLiteral("fsize"), box.dir.path(), QStringLiteral("65536")});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitCode(), 0);
    QCOMPARE(child.readAllStandardOutput(), QByteArray("message Disk full\ncount 500\n"));
    QCOMPARE(box.bytes(), old);
    QCOMPARE(QDir(box.dir.path()).entryList(QDir::Files), QStringList{RecipeFile::fileName()});
}

void TestRecipeFile::saveKilledAtAnyMomentLeavesOldOrNewFile()
{
    Box box;
    const RecipeList a = sampleRecipes(3000, QStringLiteral("A"));
    const RecipeList b = sampleRecipes(2500, QStringLiteral("B"));
    const QByteArray initial = QByteArray("1,1\r\n") + sixItems("Initial");
    box.put(initial);

    for (int round = 0; round < 25; ++round) {
        QProcess child;
        child.start(childPath(), {QStringLiteral("loop"), box.dir.path()});
        QVERIFY(child.waitForStarted());
        // Let it finish a few saves, then kill it wherever the next one happens to be.
        const int saves = 1 + round % 3;
        QByteArray out;
        while (out.count("saved\n") < saves && child.state() == QProcess::Running) {
            QVERIFY(child.waitForReadyRead(60000));
            out += child.readAllStandardOutput();
        }
        QVERIFY(!out.contains("message"));
        child.kill();
        QVERIFY(child.waitForFinished());

        Box check;
        check.put(box.bytes());
        check.file.LoadRecipes();
        QCOMPARE(check.messages, QStringList());
        QVERIFY(sameList(check.list, a) || sameList(check.list, b));
    }
}

QTEST_GUILESS_MAIN(TestRecipeFile)
#include "tst_recipefile.moc"
