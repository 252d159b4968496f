// The recipe list, RECIPES.DAT and the recovery journal, with nothing but QtCore.
#include "Recipes.h"
#include "store/RecipeFile.h"
#include "store/RecipeWriter.h"
#include "store/RecoveryJournal.h"
#include "store/TextEncoding.h"

#include <QtTest>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// RECIPES.DAT in a temporary folder, the list it is read into and the messages the user sees.
struct Box : Folder
{
    Box()
        : file(list, dir.path(), [this](const QString &m) { messages << m; })
    { }
    Fields load()
    {
        file.load();
        return fieldsOf(list);
    }
    RecipeList list;
    QStringList messages;
    RecipeFile file;
};

QByteArray dataFile(const QString &name)
{
    QFile file(QFINDTESTDATA("../data/" + name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString Copy = QStringLiteral("\nA copy of the file as it was is kept as RECIPES-BACKUP-%1.DAT.");

// A journal of `list` over its file, the records as bytes, and the list replayed from them.
struct Journal : Folder
{
    explicit Journal(const RecipeList &base)
        : journal(dir.path())
        , start(base)
    {
        journal.start(base, RecipeFile::write(base, path()));
    }
    QByteArray written() { return journal.sync().isEmpty() ? QByteArray() : bytes(JournalFile::fileName()); }
    static RecipeList replayed(RecipeList list, const QByteArray &bytes)
    {
        JournalFile::replay(JournalFile::parse(bytes).entries, list);
        return list;
    }
    RecoveryJournal journal;
    RecipeList start;
};

} // namespace

class TestStore : public QObject
{
    Q_OBJECT

private slots:
    void writesEveryByteAndReadsItBack_data()
    {
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<int>("current");
        QTest::addColumn<QByteArray>("bytes"); // the file, or only its encoding
        // clang-format off
        const QString upper = "Crème€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008dŽ\u008f\u0090‘’“”•–—˜™š›œ\u009džŸ";
        const QByteArray upperBytes
            = "Cr\xe8me\x80\x81\x82\x83\x84\x85\x86\x87\x88\x89\x8a\x8b\x8c\x8d\x8e\x8f\x90\x91\x92"
              "\x93\x94\x95\x96\x97\x98\x99\x9a\x9b\x9c\x9d\x9e\x9f";
        const QByteArray empties = "\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";
        const auto name = [](const QString &text) { return Fields{text, "", "", "", "", ""}; };
        QTest::newRow("two recipes, the second current") << Fields{"Soup", "10", "20", "4", "Water\r\nSalt", "Boil.", "Tea", "", "", "", "", ""} << 2 << "2,2\r\n\"Soup\"\r\n\"10\"\r\n\"20\"\r\n\"4\"\r\n\"Water\r\nSalt\"\r\n\"Boil.\"\r\n\"Tea\"\r\n" + empties;
        QTest::newRow("an empty list, current 1") << Fields() << 1 << QByteArray("0,1\r\n");
        QTest::newRow("commas, blanks, lone CR and LF as typed") << Fields{" Soup, hot ", "", ",", "a\rb", ",c\r\n", "c\nd"} << 1 << QByteArray("1,1\r\n\" Soup, hot \"\r\n\"\"\r\n\",\"\r\n\"a\rb\"\r\n\",c\r\n\"\r\n\"c\nd\"\r\n");
        QTest::newRow("Windows-1252, the whole upper table") << name(upper) << 1 << "1,1\r\n\"" + upperBytes + "\"\r\n" + empties;
        QTest::newRow("a character outside Windows-1252 makes the whole file UTF-8") << Fields{"Crème", "", "", "", "", "→"} << 1 << QByteArray("1,1\r\n\"Cr\xc3\xa8me\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\xe2\x86\x92\"\r\n");
        QTest::newRow("quotes open after a blank or an opening bracket, close elsewhere") << name("\"a\" (\"b\") [\"c\"] {\"d\"} <\"e\"> x\"y\t\"z\r\n\"") << 1 << "1,1\r\n\"\x93" "a\x94 (\x93" "b\x94) [\x93" "c\x94] {\x93" "d\x94} <\x93" "e\x94> x\x94y\t\x93z\r\n\x93\"\r\n" + empties;
        QTest::newRow("quotes in a UTF-8 file") << name("\"→\" (\"") << 1 << "1,1\r\n\"\xe2\x80\x9c\xe2\x86\x92\xe2\x80\x9d (\xe2\x80\x9c\"\r\n" + empties;
        QTest::newRow("Windows-1252 bytes that would read as UTF-8") << name("Ã©") << 1 << QByteArray("UTF-8");
        QTest::newRow("a zero-width no-break space at the start of a field") << name(QStringLiteral("\uFEFFx")) << 1 << QByteArray("UTF-8");
        // Quoted items and line ends that meet the end of the reader's 1 MiB buffer, each side of it.
        for (int shift : {-3, -2, -1, 0, 1})
            QTest::addRow("a field ending %d bytes from the buffer's end", shift) << Fields{QString((1 << 20) - 8 + shift, u'x'), "é", "", "", "", "end"} << 1 << QByteArray("Windows-1252");
        QTest::newRow("a field longer than the buffer") << Fields{"", "", "", "", QString(3 << 20, u'x') + "é", "end"} << 1 << QByteArray("Windows-1252");
        // clang-format on
    }
    void writesEveryByteAndReadsItBack()
    {
        QFETCH(Fields, fields);
        QFETCH(int, current);
        QFETCH(QByteArray, bytes);
        Box box, reloaded;
        box.list = listOf(fields, current);
        box.put("old"); // replaced whole, never rewritten where it stands, and kept whose it was
        const QByteArray path = QFile::encodeName(box.path());
        QVERIFY(::chmod(path, 0664) == 0 && (geteuid() != 0 || ::chown(path, 65534, 1) == 0));
        struct stat old = {}, saved = {};
        ::stat(path, &old);
        QVERIFY(box.file.save());
        ::stat(path, &saved);
        QVERIFY(saved.st_ino != old.st_ino);
        QCOMPARE(QList<quint64>({saved.st_uid, saved.st_gid, saved.st_mode}),
                 QList<quint64>({old.st_uid, old.st_gid, old.st_mode}));
        const QByteArray written = box.bytes();
        const QByteArray kind = TextEncoding::isAscii(written) ? "ASCII"
            : TextEncoding::isValidUtf8(written)               ? "UTF-8"
                                                               : "Windows-1252";
        QCOMPARE(QByteArrayList({"ASCII", "UTF-8", "Windows-1252"}).contains(bytes) ? kind : written, bytes);
        QCOMPARE(fieldsOf(box.list), fields + Fields{QString::number(current)}); // a save changes nothing in the list
        Fields expected;
        for (const QString &text : fields)
            expected << RecipeWriter::withTypographicQuotes(text);
        reloaded.put(written);
        QCOMPARE(reloaded.load(), expected + Fields{QString::number(current)});
        QCOMPARE(box.messages + reloaded.messages, QStringList());
        QCOMPARE(box.file.identity(), FileIdentity::of(box.path())); // what the journal goes by
    }

    void readsWhatItCanAndKeepsACopyOfADamagedFile_data()
    {
        QTest::addColumn<QString>("sample"); // in tests/data; none for no file
        QTest::addColumn<Fields>("fields"); // of the recipes read, then the current index
        QTest::addColumn<QString>("message");
        // clang-format off
        const Fields kept{"Kept", "", "", "", "", "", "1"}; // what the list held before
        const Fields soup{"Soup", "", "", "", "", "", "1"};
        const auto name = [](const QString &text) { return Fields{text, "", "", "", "", "", "1"}; };
        const QString past = "Input past end of file";
        QTest::newRow("no file: silent") << "" << kept << "";
        QTest::newRow("unquoted items end at a comma or a line end") << "unquoted-items.dat" << Fields{"Soup", "a b ", "", "", "", "c", "1"} << "";
        QTest::newRow("blanks before an item, text after a quote") << "blanks-and-text-after-a-quote.dat" << soup << "";
        QTest::newRow("LF line ends") << "lf-line-ends.dat" << Fields{"Soup", "", "", "", "x\ny", "", "1"} << "";
        QTest::newRow("a UTF-8 file") << "utf-8-file.dat" << name("Crème €") << "";
        QTest::newRow("one item not UTF-8 makes the file Windows-1252") << "one-item-not-utf-8.dat" << Fields{"CrÃ¨me", "Crème", "", "", "", "", "1"} << "";
        QTest::newRow("an overlong UTF-8 form") << "overlong-utf-8.dat" << name("À¯") << "";
        QTest::newRow("an editor's byte-order mark is skipped") << "byte-order-mark.dat" << name("é") << "";
        QTest::newRow("a current index past the count goes to the last") << "current-past-the-count.dat" << Fields{"a", "", "", "", "", "", "b", "", "", "", "", "", "2"} << "";
        QTest::newRow("an empty list with current 7 gets 0; blanks and a plus sign allowed") << "empty-list-current-7.dat" << Fields{"0"} << "";
        QTest::newRow("an empty file") << "empty-file.dat" << kept << past;
        QTest::newRow("a file ending after the first value") << "ends-after-the-first-value.dat" << kept << past + Copy.arg(1);
        QTest::newRow("a negative count") << "negative-count.dat" << kept << "Subscript out of range" + Copy.arg(1);
        QTest::newRow("a count that is no number") << "count-that-is-no-number.dat" << kept << "Type mismatch" + Copy.arg(1);
        QTest::newRow("a count above 32,767") << "count-above-32-767.dat" << kept << "Overflow" + Copy.arg(1);
        QTest::newRow("fewer recipes than counted: the rest empty") << "fewer-recipes-than-counted.dat" << Fields{"One", "", "", "", "", "", "Two", "5 min", "", "", "", "", "", "", "", "", "", "", "2"} << past + Copy.arg(1);
        QTest::newRow("a field cut off by the end keeps its text; an earlier copy stays") << "field-cut-off-by-the-end.dat" << Fields{"a", "", "", "", "Mix,\r\nrest\r\n", "", "1"} << past + Copy.arg(2);
        QTest::newRow("the last field cut off") << "last-field-cut-off.dat" << Fields{"a", "", "", "", "", "Boil", "1"} << past + Copy.arg(1);
        // clang-format on
    }
    void readsWhatItCanAndKeepsACopyOfADamagedFile()
    {
        QFETCH(QString, sample);
        QFETCH(Fields, fields);
        QFETCH(QString, message);
        Box box;
        box.list = listOf({"Kept", "", "", "", "", ""}, 1);
        if (message.endsWith("2.DAT."))
            box.put("earlier", "RECIPES-BACKUP-1.DAT"); // never replaced
        const QByteArray bytes = sample.isEmpty() ? QByteArray() : dataFile(sample);
        if (!sample.isEmpty())
            box.put(bytes);
        QCOMPARE(box.load(), fields);
        QCOMPARE(box.messages.join(u'|'), message);
        QVERIFY(box.list.invariantsHold());
        const QString copy = message.section(" kept as ", 1).chopped(1);
        QCOMPARE(box.bytes(copy), copy.isEmpty() ? QByteArray("<missing>") : bytes);
        if (copy.endsWith("2.DAT"))
            QCOMPARE(box.bytes("RECIPES-BACKUP-1.DAT"), QByteArray("earlier"));
    }

    void failedSaveLeavesTheFileWhole_data()
    {
        QTest::addColumn<QStringList>("child"); // savechild's mode and arguments
        QTest::addColumn<int>("fileMode");
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<QString>("printed");
        // clang-format off
        const QString denied = "message Permission denied\n";
        QTest::newRow("a read-only file, even for root") << QStringList{"save"} << 0444 << 0700 << denied + "list kept\n";
        QTest::newRow("a read-only file in a read-only folder") << QStringList{"nobody"} << 0444 << 0555 << denied + "list kept\n";
        QTest::newRow("a full disk") << QStringList{"fsize", "65536"} << 0644 << 0700 << "message Disk full\nlist kept\n";
        QTest::newRow("a file that could not be read is never replaced") << QStringList{"loadsave"} << 0200 << 0777 << denied
            + "No copy of the file as it was could be kept.\nmessage RECIPES.DAT was left as it was: it could not be read when the program started (Permission denied), and saving over it would lose the recipes it holds.\n";
        // clang-format on
    }

    void failedSaveLeavesTheFileWhole()
    {
        QFETCH(QStringList, child);
        QFETCH(int, fileMode);
        QFETCH(int, folderMode);
        QFETCH(QString, printed);
        Folder folder;
        folder.put("old");
        const QByteArray file = QFile::encodeName(folder.path()), dir = QFile::encodeName(folder.dir.path());
        QCOMPARE(::chmod(file, mode_t(fileMode)), 0);
        QCOMPARE(::chmod(dir, mode_t(folderMode)), 0);
        QVERIFY(geteuid() != 0 || (::chown(file, 65534, 65534) == 0 && ::chown(dir, 65534, 65534) == 0));
        QProcess save;
        save.start(QCoreApplication::applicationDirPath() + "/savechild",
                   QStringList{child[0], folder.dir.path()} + child.mid(1));
        QVERIFY(save.waitForFinished(30000));
        ::chmod(dir, 0700);
        QCOMPARE(QString(save.readAllStandardOutput()), printed);
        ::chmod(file, 0600);
        QCOMPARE(folder.bytes(), QByteArray("old"));
        QCOMPARE(folder.files(), QStringList{"RECIPES.DAT"});
        QCOMPARE(RuntimeError::fromErrno(ENOSPC, RuntimeError::DeviceIOError).description(),
                 "Disk full"); // a full file system, not a limit
    }

    void journalKeepsWhatChangedAndReplaysIt_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("edits");
        QTest::addColumn<int>("added");
        QTest::addColumn<int>("most"); // bytes, its signature and the file's identity included; 0 for any
        QTest::addColumn<bool>("whole");
        const QString big(1 << 20, u'x');
        QTest::newRow("a letter changed in a large field") << big << 1 << 0 << 70 << false;
        QTest::newRow("a letter repeated") << "Soa" << 1 << 1 << 70 << false;
        QTest::newRow("a character of a surrogate pair changed") << "a\U0001F600" << 1 << 0 << 80 << false;
        QTest::newRow("a few edits stay edits") << "" << 10 << 10 << 0 << false;
        QTest::newRow("past the most records") << "" << RecoveryJournal::MaxRecords + 1 << 1 << 0 << true;
        QTest::newRow("past 1 MiB of records") << "" << 30 << 50000 << 0 << true;
    }
    void journalKeepsWhatChangedAndReplaysIt()
    {
        QFETCH(QString, before);
        QFETCH(int, edits);
        QFETCH(int, added);
        QFETCH(int, most);
        QFETCH(bool, whole);
        RecipeList list = numbered(20, 1);
        list.at(1).directions = before;
        Journal j(list);
        for (int i = 0; i < edits; ++i) {
            Recipe recipe = j.journal.list().at(1 + i % 20);
            if (i == 0 && added == 0)
                recipe.directions.back() = QChar(recipe.directions.back().unicode() + 1);
            recipe.directions += QString(added, QChar(u'a' + i % 26));
            QVERIFY(j.journal.recordRecipe(qint16(1 + i % 20), recipe));
            if ((i + 1) % (edits > 100 ? 500 : 5) == 0) // now and then, as the window does each second
                j.journal.write();
        }
        const QByteArray bytes = j.written();
        QVERIFY2(!most || bytes.size() <= most, qPrintable(QString::number(bytes.size())));
        const JournalFile::Contents contents = JournalFile::parse(bytes);
        QCOMPARE(contents.entries.value(0).type == JournalEntry::Snapshot, whole);
        QVERIFY(contents.entries.size() <= (whole ? 2 : edits));
        QCOMPARE(fieldsOf(Journal::replayed(j.start, bytes)), fieldsOf(j.journal.list()));
    }

    void journalSurvivesAFullDiskATornTailAndAMove_data()
    {
        QTest::addColumn<QString>("trouble");
        QTest::newRow("a full disk: the journal is lost, and says so") << "full";
        QTest::newRow("an append that does not fit where the whole list does: written whole") << "full once";
        QTest::newRow("a journal taken back with a torn tail: cut off before it goes on") << "torn";
        QTest::newRow("one in the user's state folder: removed once this one is written") << "moved";
    }
    void journalSurvivesAFullDiskATornTailAndAMove()
    {
        QFETCH(QString, trouble);
        Folder state;
        qputenv("XDG_STATE_HOME", QFile::encodeName(state.dir.path()));
        Journal j(numbered(3, 1));
        const QString elsewhere = RecoveryJournal::locations(j.dir.path()).last();
        QFile old(elsewhere);
        QVERIFY(trouble != "moved" || (QDir().mkpath(QFileInfo(elsewhere).path()) && old.open(QIODevice::WriteOnly)));
        Recipe recipe = j.journal.list().at(1);
        for (int edit = 0; edit < (trouble == "full once" ? 20 : 1); ++edit) { // a journal longer than the list
            recipe.directions = edit % 2 ? "Stir" : QString(100, u'x');
            j.journal.recordRecipe(1, recipe);
        }
        QVERIFY(!j.journal.sync().isEmpty());
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_IGN); // EFBIG from write() instead of a kill
        const rlimit full{rlim_t(j.bytes(JournalFile::fileName()).size() + 8), limit.rlim_max};
        if (trouble.startsWith("full"))
            ::setrlimit(RLIMIT_FSIZE, &full);
        if (trouble == "torn") {
            j.put(j.bytes(JournalFile::fileName()) + QByteArray(12, '\x7f'), JournalFile::fileName());
            const JournalFile::Contents taken = JournalFile::read(j.path(JournalFile::fileName()));
            j.journal.resume(j.journal.list(), j.path(JournalFile::fileName()), taken.length,
                             int(taken.entries.size()));
        }
        recipe.name = QString(100, u'y');
        j.journal.recordRecipe(1, recipe);
        const QString kept = j.journal.sync();
        ::setrlimit(RLIMIT_FSIZE, &limit);
        QCOMPARE(kept.isEmpty(), trouble == "full");
        QVERIFY(!QFile::exists(elsewhere));
        if (trouble != "full")
            QCOMPARE(fieldsOf(Journal::replayed(j.start, j.bytes(JournalFile::fileName()))),
                     fieldsOf(j.journal.list()));
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "tst_store.moc"
