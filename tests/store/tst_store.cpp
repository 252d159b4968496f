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
const QString Copy1 = "\nA copy of the file as it was is kept as RECIPES-BACKUP-1.DAT.";

// RECIPES.DAT in a temporary folder, the list it is read into and the messages the user sees.
struct Box : Folder
{
    Box() : file(list, dir.path(), [this](const QString &m) { messages << m; }) {}
    Fields load(const QByteArray &bytes)
    {
        if (!bytes.isNull())
            put(bytes);
        file.LoadRecipes();
        return fieldsOf(list);
    }
    RecipeList list;
    QStringList messages;
    RecipeFile file;
};

QString savechild()
{
    return QCoreApplication::applicationDirPath() + "/savechild";
}

} // namespace

class TestStore : public QObject
{
    Q_OBJECT

private slots:
    void indexesAndCountersStayInRange_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("slotAndCurrent"); // whether the index may be read, and be current
        QTest::newRow("slot 0 exists but is never current") << 3 << 0 << "10";
        QTest::newRow("last recipe") << 3 << 3 << "11";
        QTest::newRow("one past the last") << 3 << 4 << "00";
        QTest::newRow("negative") << 3 << -1 << "00";
        QTest::newRow("empty list: current 0") << 0 << 0 << "11";
        QTest::newRow("empty list: current 1 after First") << 0 << 1 << "01";
        QTest::newRow("empty list: current 2") << 0 << 2 << "00";
    }
    void indexesAndCountersStayInRange()
    {
        QFETCH(int, count);
        QFETCH(int, index);
        QFETCH(QString, slotAndCurrent);
        RecipeList list;
        list.sizeForLoading(count, count ? 1 : 0);
        const auto allowed = [](int error) { return error ? '0' : '1'; };
        QCOMPARE(QString(allowed(errorOf([&] { list.Recipes(index).Name = "x"; }))) + allowed(errorOf([&] { list.setCurrentRecipe(index); })),
                 slotAndCurrent);
        QCOMPARE(errorOf([&] { list.sizeForLoading(count, index); }), slotAndCurrent[1] == '1' ? 0 : 9);
        QVERIFY(list.slotCount() == count + 1 && list.invariantsHold());
        QCOMPARE(errorOf([] { Int16(-32768) - Int16(1); }), 6);
    }

    void writesEveryByteAndReadsItBack_data()
    {
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<int>("current");
        QTest::addColumn<QByteArray>("bytes"); // the file exactly, or its encoding
        QTest::newRow("two recipes, the second current") << Fields{"Soup", "10", "20", "4", "Water\r\nSalt", "Boil.", "Tea", "", "", "", "", ""} << 2
            << "2,2\r\n\"Soup\"\r\n\"10\"\r\n\"20\"\r\n\"4\"\r\n\"Water\r\nSalt\"\r\n\"Boil.\"\r\n" + items("Tea");
        QTest::newRow("empty list, current 0") << Fields{} << 0 << QByteArray("0,0\r\n");
        QTest::newRow("empty list, current 1") << Fields{} << 1 << QByteArray("0,1\r\n");
        QTest::newRow("commas, blanks, lone CR and LF as typed") << Fields{" Soup, hot ", "", ",", "a\rb", ",c\r\n", "c\nd"} << 1
            << QByteArray("1,1\r\n\" Soup, hot \"\r\n\"\"\r\n\",\"\r\n\"a\rb\"\r\n\",c\r\n\"\r\n\"c\nd\"\r\n");
        QTest::newRow("Windows-1252, the whole upper table") << one("Crème" + HighHalf).mid(0, 6) << 1 << "1,1\r\n" + items("Cr\xe8me" + HighBytes);
        QTest::newRow("a character outside Windows-1252 makes the whole file UTF-8") << Fields{"Crème", "", "", "", "", "→"} << 1
            << QByteArray("1,1\r\n\"Cr\xc3\xa8me\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\xe2\x86\x92\"\r\n");
        QTest::newRow("quotes open after a blank or an opening bracket, close elsewhere")
            << one("\"a\" (\"b\") [\"c\"] {\"d\"} <\"e\"> x\"y\t\"z\r\n\"").mid(0, 6) << 1
            << "1,1\r\n" + items("\x93" "a\x94 (\x93" "b\x94) [\x93" "c\x94] {\x93" "d\x94} <\x93" "e\x94> x\x94y\t\x93z\r\n\x93");
        QTest::newRow("quotes in a UTF-8 file") << one("\"→\" (\"").mid(0, 6) << 1 << "1,1\r\n" + items("\xe2\x80\x9c\xe2\x86\x92\xe2\x80\x9d (\xe2\x80\x9c");
        QTest::newRow("Windows-1252 bytes that would read as UTF-8") << one("Ã©").mid(0, 6) << 1 << QByteArray("UTF-8");
        QTest::newRow("only some fields would read as UTF-8") << Fields{"Ã©", "é", "", "", "", ""} << 1 << QByteArray("Windows-1252");
        QTest::newRow("a zero-width no-break space at the start of a field") << one(QChar(0xFEFF) + QStringLiteral("x")).mid(0, 6) << 1 << QByteArray("UTF-8");
        QTest::newRow("NUL and control characters") << one(QChar(0) + QStringLiteral("\t\x01\x1f")).mid(0, 6) << 1 << QByteArray("ASCII");
        QTest::newRow("a field longer than the read buffer") << Fields{"", "", "", "", QString(3 << 20, u'x') + "é", "end"} << 1
                                                             << QByteArray("Windows-1252");
    }
    void writesEveryByteAndReadsItBack()
    {
        QFETCH(Fields, fields);
        QFETCH(int, current);
        QFETCH(QByteArray, bytes);
        Box box, reloaded;
        box.list = listOf(fields, current);
        QVERIFY(box.file.SaveRecipes());
        const QByteArray written = box.bytes();
        const QByteArray kind = TextEncoding::isAscii(written) ? "ASCII" : TextEncoding::isValidUtf8(written) ? "UTF-8" : "Windows-1252";
        QCOMPARE(QByteArrayList({"ASCII", "UTF-8", "Windows-1252"}).contains(bytes) ? kind : written, bytes);
        QCOMPARE(fieldsOf(box.list), fields + Fields{QString::number(current)}); // a save changes nothing in the list
        Fields expected;
        for (const QString &text : fields)
            expected << RecipeWriter::withTypographicQuotes(text);
        QCOMPARE(reloaded.load(written), expected + Fields{QString::number(current)});
        QCOMPARE(box.messages + reloaded.messages, QStringList());
    }

    void readsWhatItCanAndKeepsACopyOfADamagedFile_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // null: no file
        QTest::addColumn<Fields>("fields");    // one("Kept"): the list as it was
        QTest::addColumn<QString>("message");
        QTest::newRow("no file: silent") << QByteArray() << one("Kept") << "";
        QTest::newRow("header values on two lines") << "1\r\n1\r\n" + items("Soup") << one("Soup") << "";
        QTest::newRow("unquoted items end at a comma or a line end")
            << QByteArray("1,1\r\nSoup,a b ,,\r\n\"\"\r\nc\r\n") << Fields{"Soup", "a b ", "", "", "", "c", "1"} << "";
        QTest::newRow("blanks before an item and text after a closing quote are passed over")
            << QByteArray("1,1\r\n  \"Soup\" junk,\t\"\"\"b\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"") << one("Soup") << "";
        QTest::newRow("LF line ends") << QByteArray("1,1\n\"Soup\"\n\"\"\n\"\"\n\"\"\n\"x\ny\"\n\"\"\n") << Fields{"Soup", "", "", "", "x\ny", "", "1"} << "";
        QTest::newRow("text after the last recipe is not read") << "1,1\r\n" + items("Soup") + "\"x\r\n\xff\"" << one("Soup") << "";
        QTest::newRow("UTF-8 file") << "1,1\r\n" + items("Cr\xc3\xa8me \xe2\x82\xac") << one("Crème €") << "";
        QTest::newRow("Windows-1252 file, the whole upper table") << "1,1\r\n" + items("Cr\xe8me" + HighBytes) << one("Crème" + HighHalf) << "";
        QTest::newRow("one item that is not UTF-8 makes the whole file Windows-1252")
            << QByteArray("1,1\r\n\"Cr\xc3\xa8me\"\r\n\"Cr\xe8me\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n") << Fields{"CrÃ¨me", "Crème", "", "", "", "", "1"} << "";
        QTest::newRow("an overlong UTF-8 form is Windows-1252") << "1,1\r\n" + items("\xc0\xaf") << one("À¯") << "";
        QTest::newRow("an encoded surrogate is Windows-1252") << "1,1\r\n" + items("\xed\xa0\x80") << one("í\u00A0€") << "";
        QTest::newRow("an editor's byte-order mark is skipped") << "\xEF\xBB\xBF" "1,1\r\n" + items("\xc3\xa9") << one("é") << "";
        QTest::newRow("NUL bytes in a field") << "1,1\r\n" + items(QByteArray("a\0b", 3)) << one(QStringLiteral("a") + QChar(0) + "b") << "";
        QTest::newRow("current past the count goes to the last") << "2,5\r\n" + items("a") + items("b")
                                                                << Fields{"a", "", "", "", "", "", "b", "", "", "", "", "", "2"} << "";
        QTest::newRow("current below 1 goes to the first") << "1,-7\r\n" + items("a") << one("a") << "";
        QTest::newRow("empty list keeps current 1") << QByteArray("0,1\r\n") << Fields{"1"} << "";
        QTest::newRow("empty list with current 7 gets 0") << QByteArray(" +0 ,\t7\t\r\n") << Fields{"0"} << "";
        QTest::newRow("empty file") << QByteArray("") << one("Kept") << "Input past end of file";
        QTest::newRow("file ending after the first value") << QByteArray("3") << one("Kept") << "Input past end of file" + Copy1;
        QTest::newRow("negative count") << QByteArray("-1,0\r\n") << one("Kept") << "Subscript out of range" + Copy1;
        QTest::newRow("count that is no number") << "two,1\r\n" + items("a") << one("Kept") << "Type mismatch" + Copy1;
        QTest::newRow("empty count") << QByteArray(",1\r\n") << one("Kept") << "Type mismatch" + Copy1;
        QTest::newRow("count above 32,767") << QByteArray("32768,1\r\n") << one("Kept") << "Overflow" + Copy1;
        QTest::newRow("count far above 32,767") << QByteArray("99999999999999999999,1\r\n") << one("Kept") << "Overflow" + Copy1;
        QTest::newRow("fewer recipes than counted: the rest empty") << "3,2\r\n" + items("One") + "\"Two\"\r\n\"5 min\"\r\n"
            << Fields{"One", "", "", "", "", "", "Two", "5 min", "", "", "", "", "", "", "", "", "", "", "2"} << "Input past end of file" + Copy1;
        QTest::newRow("a field cut off by the end keeps its text")
            << QByteArray("1,1\r\n\"a\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"Mix,\r\nrest\r\n") << Fields{"a", "", "", "", "Mix,\r\nrest\r\n", "", "1"}
            << "Input past end of file\nA copy of the file as it was is kept as RECIPES-BACKUP-2.DAT.";
    }
    void readsWhatItCanAndKeepsACopyOfADamagedFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Fields, fields);
        QFETCH(QString, message);
        Box box;
        box.list = listOf(one("Kept").mid(0, 6), 1);
        if (message.endsWith("2.DAT."))
            box.put("earlier", "RECIPES-BACKUP-1.DAT"); // never replaced
        QCOMPARE(box.load(bytes), fields);
        QCOMPARE(box.messages.join(u'|'), message);
        QVERIFY(box.list.invariantsHold());
        const QString copy = message.section(" kept as ", 1).chopped(1);
        QCOMPARE(box.bytes(copy), copy.isEmpty() ? QByteArray("<missing>") : bytes);
        QVERIFY(!copy.endsWith("2.DAT") || box.bytes("RECIPES-BACKUP-1.DAT") == "earlier");
    }

    void failedSaveLeavesTheFileWhole_data()
    {
        QTest::addColumn<QStringList>("arguments"); // savechild's, the folder added; as nobody when run as root
        QTest::addColumn<int>("fileMode");
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<QByteArray>("output");
        const QByteArray denied = "message Permission denied\nlist kept\n";
        QTest::newRow("read-only file, even for root") << QStringList{"save"} << 0444 << 0700 << denied;
        QTest::newRow("read-only folder") << QStringList{"nobody"} << 0666 << 0555 << denied;
        QTest::newRow("disk full") << QStringList{"fsize", "65536"} << 0644 << 0700 << QByteArray("message Disk full\nlist kept\n");
        QTest::newRow("a file that could not be read is never replaced") << QStringList{"loadsave"} << 0200 << 0777
            << QByteArray("message Permission denied\nNo copy of the file as it was could be kept.\nmessage RECIPES.DAT was left as "
                          "it was: it could not be read when the program started (Permission denied), and saving over it would "
                          "lose the recipes it holds.\n");
    }
    void failedSaveLeavesTheFileWhole()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, fileMode);
        QFETCH(int, folderMode);
        QFETCH(QByteArray, output);
        Folder folder;
        folder.put("old");
        const QByteArray file = QFile::encodeName(folder.path()), dir = QFile::encodeName(folder.dir.path());
        QCOMPARE(::chmod(file, mode_t(fileMode)) + ::chmod(dir, mode_t(folderMode)) + ::chown(file, 65534, 65534) * !geteuid(), 0);
        QProcess child;
        child.start(savechild(), QStringList{arguments.first(), folder.dir.path()} + arguments.mid(1));
        QVERIFY(child.waitForFinished(30000));
        ::chmod(dir, 0700);
        QCOMPARE(child.readAllStandardOutput(), output);
        ::chmod(file, 0600);
        QCOMPARE(folder.bytes() + "|" + folder.files().join(u','), "old|RECIPES.DAT");
    }

    void saveKilledAtAnyMomentLeavesTheOldOrTheNewFile()
    {
        Folder folder;
        const Fields a = fieldsOf(numbered(3000, 7, QString(300, u'A')));
        const Fields b = fieldsOf(numbered(2500, 9, QString(200, u'B')));
        for (int round = 0; round < 25; ++round) {
            QProcess child;
            child.start(savechild(), {"loop", folder.dir.path()});
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
