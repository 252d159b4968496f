#include "RecipeFile.h"
#include "RecipeWriter.h"
#include "Recipes.h"
#include "RuntimeError.h"

#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// The number of the RuntimeError that `body` raises, 0 for none.
template<typename Body>
int errorOf(Body body)
{
    try {
        body();
    } catch (const RuntimeError &error) {
        return error.number();
    }
    return 0;
}

QByteArray items(const QByteArray &name)
{
    return "\"" + name + "\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";
}

Fields one(const QString &name, const QString &current = "1")
{
    return {name, "", "", "", "", "", current};
}

// Windows-1252 for the bytes 0x80 to 0x9F; the five it leaves unassigned stand for the C1 controls.
const QString HighHalf = QString::fromUtf16(u"€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ");
const QByteArray HighBytes = "\x80\x81\x82\x83\x84\x85\x86\x87\x88\x89\x8a\x8b\x8c\x8d\x8e\x8f"
                             "\x90\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9a\x9b\x9c\x9d\x9e\x9f";

// RECIPES.DAT in a temporary folder, the list it is read into and the messages the user sees.
struct Box : Folder
{
    Box() : file(list, dir.path(), [this](const QString &m) { messages << m; }) {}
    Fields load(const QByteArray &bytes)
    {
        put(bytes);
        file.LoadRecipes();
        return fieldsOf(list);
    }
    RecipeList list;
    QStringList messages;
    RecipeFile file;
};

struct Header
{
    QByteArray bytes;
    QString message; // its first line
    Fields fields;   // one("Kept"): the list as it was
};

} // namespace

Q_DECLARE_METATYPE(Header)

class TestStore : public QObject
{
    Q_OBJECT

private slots:
    void counterRaisesOverflowInsteadOfWrapping_data()
    {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("sum"); // 0: overflow
        QTest::newRow("largest plus one") << 32767 << 1 << 0;
        QTest::newRow("smallest minus one") << -32768 << -1 << 0;
        QTest::newRow("up to the largest") << 32766 << 1 << 32767;
        QTest::newRow("down to the smallest") << -32767 << -1 << -32768;
    }
    void counterRaisesOverflowInsteadOfWrapping()
    {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(int, sum);
        Int16 result;
        QCOMPARE(errorOf([&] { result = b < 0 ? Int16(a) - Int16(-b) : Int16(a) + Int16(b); }), sum ? 0 : 6);
        QCOMPARE(int(result.value()), sum);
        QCOMPARE(errorOf([] { Int16(40000); }), 6);
    }

    void removingMovesTheLaterRecipesDown_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<Fields>("names"); // the current index last
        QTest::newRow("the middle one") << 2 << Fields{"Recipe 1", "Recipe 3", "Recipe 4", "2"};
        QTest::newRow("the last: the new last is current") << 4 << Fields{"Recipe 1", "Recipe 2", "Recipe 3", "3"};
    }
    void removingMovesTheLaterRecipesDown()
    {
        QFETCH(int, current);
        QFETCH(Fields, names);
        RecipeList list = numbered(4, current);
        list.removeCurrent();
        QCOMPARE(fieldsOf(list).filter("Recipe").join(u'|') + "|" + fieldsOf(list).last(), names.join(u'|'));
        QCOMPARE(list.slotCount(), 4);
    }

    void appendingFromNoSlotsToTheFullListAndBack()
    {
        RecipeList list;
        QCOMPARE(list.slotCount(), 0);
        list.appendEmpty();
        QCOMPARE(fieldsOf(list) << QString::number(list.slotCount()), Fields({"", "", "", "", "", "", "1", "2"}));
        QCOMPARE(list.Recipes(0), Recipe());
        list.removeCurrent();
        QCOMPARE(fieldsOf(list) << QString::number(list.slotCount()), Fields({"0", "1"}));
        list.removeCurrent(); // nothing to remove
        list = numbered(32767, 5);
        QCOMPARE(errorOf([&] { list.appendEmpty(); }), int(RuntimeError::Overflow));
        QCOMPARE(QStringLiteral("%1 %2 %3").arg(list.RecipeCount().value()).arg(list.CurrentRecipe().value()).arg(list.slotCount()),
                 "32767 5 32768");
    }

    void indexesAndCurrentStayInRange_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("slotAndCurrent"); // whether each is allowed
        QTest::newRow("slot 0 exists but is never current") << 3 << 0 << "10";
        QTest::newRow("last recipe") << 3 << 3 << "11";
        QTest::newRow("one past the last") << 3 << 4 << "00";
        QTest::newRow("negative") << 3 << -1 << "00";
        QTest::newRow("empty list: current 0") << 0 << 0 << "11";
        QTest::newRow("empty list: current 1 after First") << 0 << 1 << "01";
        QTest::newRow("empty list: current 2") << 0 << 2 << "00";
    }
    void indexesAndCurrentStayInRange()
    {
        QFETCH(int, count);
        QFETCH(int, index);
        QFETCH(QString, slotAndCurrent);
        RecipeList list;
        list.sizeForLoading(count, count ? 1 : 0);
        const auto allowed = [](int error) { return error ? '0' : '1'; };
        const QString seen = QString(allowed(errorOf([&] { list.Recipes(index).Name = "x"; }))) + allowed(errorOf([&] { list.setCurrentRecipe(index); }));
        QCOMPARE(seen, slotAndCurrent);
        QCOMPARE(errorOf([&] { list.sizeForLoading(count, index); }), slotAndCurrent[1] == '1' ? 0 : 9);
        QVERIFY(list.slotCount() == count + 1 && list.invariantsHold());
    }

    void savedListLoadsBackUnchanged_data()
    {
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<QByteArray>("encoding");
        QTest::newRow("commas, blanks, line breaks, lone CR and LF as typed")
            << Fields{" Soup, hot ", "", ",", "a\rb", "a,b\r\n,c\r\n", "c\nd"} << QByteArray("ASCII");
        QTest::newRow("Windows-1252 accents and signs")
            << Fields{"Crème Brûlée", "½ h", "€ 3", "Œufs • ™", "ragù\r\nJalapeño", HighHalf} << QByteArray("Windows-1252");
        QTest::newRow("one character outside Windows-1252") << Fields{"Crème", "➜", "🍲", "麻婆豆腐", "", "ā"} << QByteArray("UTF-8");
        QTest::newRow("fields starting with a zero-width no-break space")
            << Fields{QChar(0xFEFF) + QStringLiteral("x"), QString(QChar(0xFEFF)), "", "", "", ""} << QByteArray("UTF-8");
        QTest::newRow("Windows-1252 bytes that read as UTF-8") << Fields{"Ã©", "", "", "", "", ""} << QByteArray("UTF-8");
        QTest::newRow("only some fields would read as UTF-8") << Fields{"Ã©", "é", "", "", "", ""} << QByteArray("Windows-1252");
        QTest::newRow("double quotes") << Fields{"\"Best\" pie", "10\" pan", "\"", "\"\"", "\"x\"", "(\"a\")"} << QByteArray("Windows-1252");
        QTest::newRow("NUL and control characters") << Fields{QChar(0) + QStringLiteral("a"), "\t\x01\x1f", "", "", "", ""} << QByteArray("ASCII");
        QTest::newRow("a field longer than the read buffer")
            << Fields{"", "", "", "", QString(3 << 20, u'x') + "é", "end"} << QByteArray("Windows-1252");
        QTest::newRow("two recipes") << Fields{"A", "1", "2", "3", "4", "5", "B", "6", "7", "8", "9", ""} << QByteArray("ASCII");
    }
    void savedListLoadsBackUnchanged()
    {
        QFETCH(Fields, fields);
        QFETCH(QByteArray, encoding);
        Box box, reloaded;
        box.list = listOf(fields, 1);
        QVERIFY(box.file.SaveRecipes());
        QCOMPARE(fieldsOf(box.list), fields + Fields{"1"}); // a save never changes the list
        Fields expected;
        for (const QString &text : fields)
            expected << RecipeWriter::withTypographicQuotes(text);
        QCOMPARE(reloaded.load(box.bytes()), expected + Fields{"1"});
        QCOMPARE(box.messages + reloaded.messages, QStringList());
        const QByteArray bytes = box.bytes();
        QCOMPARE(TextEncoding::isAscii(bytes) ? "ASCII" : TextEncoding::isValidUtf8(bytes) ? "UTF-8" : "Windows-1252", encoding);
    }

    void writesExactBytes_data()
    {
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<int>("current");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("two recipes, the second current") << Fields{"Soup", "10", "20", "4", "Water\r\nSalt", "Boil.", "Tea", "", "", "", "", ""} << 2
            << "2,2\r\n\"Soup\"\r\n\"10\"\r\n\"20\"\r\n\"4\"\r\n\"Water\r\nSalt\"\r\n\"Boil.\"\r\n" + items("Tea");
        QTest::newRow("empty list, current 0") << Fields{} << 0 << QByteArray("0,0\r\n");
        QTest::newRow("empty list, current 1") << Fields{} << 1 << QByteArray("0,1\r\n");
        QTest::newRow("Windows-1252, the whole upper table") << Fields{"Crème" + HighHalf, "", "", "", "", ""} << 1
                                                             << "1,1\r\n" + items("Cr\xe8me" + HighBytes);
        QTest::newRow("a character outside Windows-1252 makes the whole file UTF-8")
            << Fields{"Crème", "", "", "", "", "→"} << 1 << QByteArray("1,1\r\n\"Cr\xc3\xa8me\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\xe2\x86\x92\"\r\n");
        QTest::newRow("quotes open after a blank or an opening bracket, close elsewhere")
            << Fields{"\"a\" (\"b\") [\"c\"] {\"d\"} <\"e\"> x\"y\t\"z\r\n\"", "", "", "", "", ""} << 1
            << "1,1\r\n" + items("\x93" "a\x94 (\x93" "b\x94) [\x93" "c\x94] {\x93" "d\x94} <\x93" "e\x94> x\x94y\t\x93z\r\n\x93");
        QTest::newRow("quotes in a UTF-8 file") << Fields{"\"→\" (\"", "", "", "", "", ""} << 1
                                                << "1,1\r\n" + items("\xe2\x80\x9c\xe2\x86\x92\xe2\x80\x9d (\xe2\x80\x9c");
    }
    void writesExactBytes()
    {
        QFETCH(Fields, fields);
        QFETCH(int, current);
        QFETCH(QByteArray, bytes);
        Box box;
        box.list = listOf(fields, current);
        QVERIFY(box.file.SaveRecipes());
        QCOMPARE(box.bytes(), bytes);
    }

    void readsItems_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Fields>("fields");
        QTest::newRow("header values on two lines") << "1\r\n1\r\n" + items("Soup") << one("Soup");
        QTest::newRow("unquoted items end at a comma or a line end")
            << QByteArray("1,1\r\nSoup,a b ,,\r\n\"\"\r\nc\r\n") << Fields{"Soup", "a b ", "", "", "", "c", "1"};
        QTest::newRow("blanks before an item and text after a closing quote are passed over")
            << QByteArray("1,1\r\n  \"Soup\" junk,\t\"\"\"b\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"") << one("Soup");
        QTest::newRow("LF line ends") << QByteArray("1,1\n\"Soup\"\n\"\"\n\"\"\n\"\"\n\"x\ny\"\n\"\"\n") << Fields{"Soup", "", "", "", "x\ny", "", "1"};
        QTest::newRow("text after the last recipe is not read") << "1,1\r\n" + items("Soup") + "\"x\r\n\xff\"" << one("Soup");
        QTest::newRow("UTF-8 file") << "1,1\r\n" + items("Cr\xc3\xa8me \xe2\x82\xac") << one("Crème €");
        QTest::newRow("Windows-1252 file, the whole upper table") << "1,1\r\n" + items("Cr\xe8me" + HighBytes) << one("Crème" + HighHalf);
        QTest::newRow("one item that is not UTF-8 makes the whole file Windows-1252")
            << QByteArray("1,1\r\n\"Cr\xc3\xa8me\"\r\n\"Cr\xe8me\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n") << Fields{"CrÃ¨me", "Crème", "", "", "", "", "1"};
        QTest::newRow("overlong UTF-8 form is Windows-1252") << "1,1\r\n" + items("\xc0\xaf") << one("À¯");
        QTest::newRow("encoded surrogate is Windows-1252") << "1,1\r\n" + items("\xed\xa0\x80") << one("í\u00A0€");
        QTest::newRow("byte-order mark from an editor is skipped") << "\xEF\xBB\xBF" "1,1\r\n" + items("\xc3\xa9") << one("é");
        QTest::newRow("NUL bytes in a field") << "1,1\r\n" + items(QByteArray("a\0b", 3)) << one(QStringLiteral("a") + QChar(0) + "b");
    }
    void readsItems()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Fields, fields);
        Box box;
        QCOMPARE(box.load(bytes), fields);
        QCOMPARE(box.messages, QStringList());
    }

    void headersThatAreNeverWritten_data()
    {
        QTest::addColumn<Header>("header");
        QTest::newRow("file ends after the first value") << Header{"3", "Input past end of file", one("Kept")};
        QTest::newRow("negative count") << Header{"-1,0\r\n", "Subscript out of range", one("Kept")};
        QTest::newRow("count that is no number") << Header{"two,1\r\n" + items("a"), "Type mismatch", one("Kept")};
        QTest::newRow("empty count") << Header{",1\r\n", "Type mismatch", one("Kept")};
        QTest::newRow("count above 32,767") << Header{"32768,1\r\n", "Overflow", one("Kept")};
        QTest::newRow("count far above 32,767") << Header{"99999999999999999999,1\r\n", "Overflow", one("Kept")};
        QTest::newRow("current past the count goes to the last") << Header{"2,5\r\n" + items("a") + items("b"), "", Fields{"a", "", "", "", "", "", "b", "", "", "", "", "", "2"}};
        QTest::newRow("negative current goes to the first") << Header{"1,-7\r\n" + items("a"), "", one("a")};
        QTest::newRow("empty list keeps current 1") << Header{"0,1\r\n", "", Fields{"1"}};
        QTest::newRow("empty list with current 7 gets 0") << Header{"0,7\r\n", "", Fields{"0"}};
        QTest::newRow("blanks and a plus sign") << Header{" +1 ,\t1\t\r\n" + items("a"), "", one("a")};
    }
    void headersThatAreNeverWritten()
    {
        QFETCH(Header, header);
        Box box;
        box.list = listOf(one("Kept").mid(0, 6), 1);
        QCOMPARE(box.load(header.bytes), header.fields);
        QCOMPARE(box.messages.join(u'|').section(u'\n', 0, 0), header.message);
        QVERIFY(box.list.invariantsHold());
    }

    void damagedFileKeepsWhatWasReadAndACopy_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<QString>("copy"); // the backup's name, empty for none
        QTest::newRow("fewer recipes than counted: missing fields empty") << "3,2\r\n" + items("One") + "\"Two\"\r\n\"5 min\"\r\n"
            << Fields{"One", "", "", "", "", "", "Two", "5 min", "", "", "", "", "", "", "", "", "", "", "2"} << "RECIPES-BACKUP-1.DAT";
        QTest::newRow("a field cut off by the end keeps its text; earlier copies stay")
            << QByteArray("1,1\r\n\"a\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"Mix,\r\nrest\r\n") << Fields{"a", "", "", "", "Mix,\r\nrest\r\n", "", "1"}
            << "RECIPES-BACKUP-2.DAT";
        QTest::newRow("empty file: nothing to copy") << QByteArray() << Fields{"0"} << "";
    }
    void damagedFileKeepsWhatWasReadAndACopy()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Fields, fields);
        QFETCH(QString, copy);
        Box box;
        if (copy.endsWith("2.DAT"))
            box.put("earlier", "RECIPES-BACKUP-1.DAT");
        QCOMPARE(box.load(bytes), fields);
        QCOMPARE(box.messages, QStringList{"Input past end of file" + (copy.isEmpty() ? "" : "\nA copy of the file as it was is kept as " + copy + ".")});
        QCOMPARE(box.bytes(copy.isEmpty() ? "RECIPES-BACKUP-1.DAT" : copy), copy.isEmpty() ? "<missing>" : bytes);
        QVERIFY(!copy.endsWith("2.DAT") || box.bytes("RECIPES-BACKUP-1.DAT") == "earlier");
        QVERIFY(box.file.SaveRecipes()); // what was read may now replace the file
    }

    void missingFileIsSilentAndTheFirstSaveCreatesIt()
    {
        Box box;
        box.file.LoadRecipes();
        QCOMPARE(box.list.slotCount(), 0);
        QVERIFY(box.file.SaveRecipes());
        QCOMPARE(box.messages, QStringList());
        QCOMPARE(box.bytes(), "0,0\r\n");
    }

    void failedSaveLeavesTheFileWhole_data()
    {
        QTest::addColumn<QStringList>("arguments"); // savechild's, the folder added
        QTest::addColumn<int>("fileMode");
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("read-only file, even for root") << QStringList{"save"} << 0444 << 0700 << QByteArray("Permission denied");
        QTest::newRow("read-only folder") << QStringList{geteuid() ? "save" : "nobody"} << 0666 << 0555 << QByteArray("Permission denied");
        QTest::newRow("disk full") << QStringList{"fsize", "65536"} << 0644 << 0700 << QByteArray("Disk full");
    }
    void failedSaveLeavesTheFileWhole()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, fileMode);
        QFETCH(int, folderMode);
        QFETCH(QByteArray, message);
        Folder folder;
        folder.put("old");
        QCOMPARE(::chmod(QFile::encodeName(folder.path()), mode_t(fileMode)) + ::chmod(QFile::encodeName(folder.dir.path()), mode_t(folderMode)), 0);
        QProcess child;
        child.start(QCoreApplication::applicationDirPath() + "/savechild", QStringList{arguments.first(), folder.dir.path()} + arguments.mid(1));
        QVERIFY(child.waitForFinished(30000));
        ::chmod(QFile::encodeName(folder.dir.path()), 0700);
        QCOMPARE(child.readAllStandardOutput(), "message " + message + "\nlist kept\n");
        QCOMPARE(folder.bytes() + "|" + folder.files().join(u','), "old|RECIPES.DAT");
    }

    void saveKilledAtAnyMomentLeavesTheOldOrTheNewFile()
    {
        Folder folder;
        const Fields a = fieldsOf(numbered(3000, 7, QString(300, u'A')));
        const Fields b = fieldsOf(numbered(2500, 9, QString(200, u'B')));
        for (int round = 0; round < 25; ++round) {
            QProcess child;
            child.start(QCoreApplication::applicationDirPath() + "/savechild", {"loop", folder.dir.path()});
            QByteArray out;
            while (out.count("saved\n") < 1 + round % 3) { // then killed wherever the next save is
                QVERIFY(child.waitForReadyRead(30000));
                out += child.readAllStandardOutput();
            }
            child.kill();
            QVERIFY(child.waitForFinished() && !out.contains("message"));
            Box check;
            const Fields loaded = check.load(folder.bytes());
            QVERIFY(check.messages.isEmpty() && (loaded == a || loaded == b));
        }
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "tst_store.moc"
