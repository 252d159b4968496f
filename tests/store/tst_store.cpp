// RECIPES.DAT and the recovery journal as files, with nothing but QtCore.
#include "FailDevice.h"
#include "Recipes.h"
#include "store/RecipeBox.h"
#include "store/RecipeReader.h"
#include "store/RecipeWriter.h"
#include "store/TextEncoding.h"
#include "store/journal/RecoveryJournal.h"

#include <QtTest>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray dataFile(const QString &name)
{
    QFile file(QFINDTESTDATA("../data/" + name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString Copy = "\nA copy of the file as it was is kept as RECIPES-BACKUP-%1.DAT.";
const QString PastEnd = "Input past end of file";

// A journal of `list` over its file, the records as bytes, and the list replayed from them.
struct Journal : Folder
{
    explicit Journal(const RecipeList &base)
        : journal(dir.path())
        , start(base)
    {
        journal.start(base, RecipeFile::write(base, path()));
    }
    QByteArray written() { return journal.sync() ? bytes(JournalFile::fileName()) : QByteArray(); }
    static RecipeList replayed(RecipeList list, const QByteArray &bytes)
    {
        JournalFile::replay(JournalFile::parse(bytes).entries, list);
        return list;
    }
    // Renames recipe 1, `times` times, in a way that outgrows the list.
    void renameOften(int times)
    {
        Recipe recipe = journal.list().at(1);
        for (int edit = 0; edit < times; ++edit) {
            recipe.directions = edit % 2 ? "Stir" : QString(100, u'x');
            journal.recordRecipe(1, recipe);
        }
    }
    // Sets the file size limit of the process, as a disk that fills there; undone when it goes.
    void fillDiskAt(qint64 size)
    {
        std::signal(SIGXFSZ, SIG_IGN); // EFBIG from write() instead of a kill
        ::getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit full{rlim_t(size), limit.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &full);
        filled = true;
    }
    ~Journal()
    {
        if (filled)
            ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    RecoveryJournal journal;
    RecipeList start;
    rlimit limit{};
    bool filled = false;
};

} // namespace

class TestStore : public QObject
{
    Q_OBJECT

    QTemporaryDir m_state;

private slots:
    void initTestCase() { qputenv("XDG_STATE_HOME", QFile::encodeName(m_state.path())); }

    void writesEveryByteAndReadsItBack_data()
    {
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<int>("current");
        QTest::addColumn<QByteArray>("bytes"); // the file, or only its encoding
        const QString upper = "Crème€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008dŽ\u008f\u0090‘’“”•–—˜™š›œ\u009džŸ";
        const QByteArray upperBytes = "Cr\xe8me\x80\x81\x82\x83\x84\x85\x86\x87\x88\x89\x8a\x8b\x8c\x8d\x8e\x8f\x90"
                                      "\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9a\x9b\x9c\x9d\x9e\x9f";
        const QByteArray empties = "\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";
        const auto name = [](const QString &text) { return Fields{text, "", "", "", "", ""}; };
        QTest::newRow("two recipes, the second current")
            << Fields{"Soup", "10", "20", "4", "Water\r\nSalt", "Boil.", "Tea", "", "", "", "", ""} << 2
            << "2,2\r\n\"Soup\"\r\n\"10\"\r\n\"20\"\r\n\"4\"\r\n\"Water\r\nSalt\"\r\n\"Boil.\"\r\n\"Tea\"\r\n"
                + empties;
        QTest::newRow("an empty list, current 1") << Fields() << 1 << QByteArray("0,1\r\n");
        QTest::newRow("commas, blanks, lone CR and LF as typed")
            << Fields{" Soup, hot ", "", ",", "a\rb", ",c\r\n", "c\nd"} << 1
            << QByteArray("1,1\r\n\" Soup, hot \"\r\n\"\"\r\n\",\"\r\n\"a\rb\"\r\n\",c\r\n\"\r\n\"c\nd\"\r\n");
        QTest::newRow("Windows-1252, the whole upper table")
            << name(upper) << 1 << "1,1\r\n\"" + upperBytes + "\"\r\n" + empties;
        QTest::newRow("a character outside Windows-1252 makes the whole file UTF-8")
            << Fields{"Crème", "", "", "", "", "→"} << 1
            << QByteArray("1,1\r\n\"Cr\xc3\xa8me\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\xe2\x86\x92\"\r\n");
        QTest::newRow("quotes open after a blank or an opening bracket, close elsewhere")
            << name("\"a\" (\"b\") [\"c\"] {\"d\"} <\"e\"> x\"y\t\"z\r\n\"") << 1
            << "1,1\r\n\"\x93"
               "a\x94 (\x93"
               "b\x94) [\x93"
               "c\x94] {\x93"
               "d\x94} <\x93"
               "e\x94> x\x94y\t\x93z\r\n\x93\"\r\n"
                + empties;
        QTest::newRow("quotes in a UTF-8 file")
            << name("\"→\" (\"") << 1 << "1,1\r\n\"\xe2\x80\x9c\xe2\x86\x92\xe2\x80\x9d (\xe2\x80\x9c\"\r\n" + empties;
        QTest::newRow("Windows-1252 bytes that would read as UTF-8") << name("Ã©") << 1 << QByteArray("UTF-8");
        QTest::newRow("a zero-width no-break space at the start of a field")
            << name(QStringLiteral("\uFEFFx")) << 1 << QByteArray("UTF-8");
        // Quoted items and line ends that meet the end of the reader's 1 MiB buffer, each side of it.
        for (int shift : {-3, -2, -1, 0, 1}) {
            QTest::addRow("a field ending %d bytes from the buffer's end", shift)
                << Fields{QString((1 << 20) - 8 + shift, u'x'), "é", "", "", "", "end"} << 1
                << QByteArray("Windows-1252");
        }
        QTest::newRow("a field longer than the buffer")
            << Fields{"", "", "", "", QString(3 << 20, u'x') + "é", "end"} << 1 << QByteArray("Windows-1252");
    }
    void writesEveryByteAndReadsItBack()
    {
        QFETCH(Fields, fields);
        QFETCH(int, current);
        QFETCH(QByteArray, bytes);
        Folder folder;
        const RecipeList list = listOf(fields, current);
        folder.put("old"); // replaced whole, never rewritten where it stands, and kept whose it was
        const QByteArray path = QFile::encodeName(folder.path());
        QVERIFY(::chmod(path, 0664) == 0 && (geteuid() != 0 || ::chown(path, 65534, 1) == 0));
        struct stat old = {}, saved = {};
        ::stat(path, &old);
        const FileIdentity identity = RecipeFile::write(list, folder.path());
        ::stat(path, &saved);
        QVERIFY(saved.st_ino != old.st_ino);
        QCOMPARE(QList<quint64>({saved.st_uid, saved.st_gid, saved.st_mode}),
                 QList<quint64>({old.st_uid, old.st_gid, old.st_mode}));
        const QByteArray written = folder.bytes();
        const QByteArray kind = TextEncoding::isAscii(written) ? "ASCII"
            : TextEncoding::isValidUtf8(written)               ? "UTF-8"
                                                               : "Windows-1252";
        QCOMPARE(QByteArrayList({"ASCII", "UTF-8", "Windows-1252"}).contains(bytes) ? kind : written, bytes);
        Fields expected;
        for (const QString &text : fields)
            expected << RecipeWriter::withTypographicQuotes(text);
        RecipeList reloaded;
        RecipeFile::read(folder.path(), reloaded);
        QCOMPARE(fieldsOf(reloaded), expected + Fields{QString::number(current)});
        QCOMPARE(identity, FileIdentity::of(folder.path())); // what the journal goes by
        QCOMPARE(RecipeFile::identityOf(list), identity);
    }

    void readsWhatItCanAndKeepsACopyOfADamagedFile_data()
    {
        QTest::addColumn<QString>("sample"); // in tests/data; none for no file
        QTest::addColumn<Fields>("fields"); // of the recipes read, then the current index
        QTest::addColumn<QString>("message");
        const Fields none{"0"};
        const Fields soup{"Soup", "", "", "", "", "", "1"};
        const auto name = [](const QString &text) { return Fields{text, "", "", "", "", "", "1"}; };
        QTest::newRow("no file: silent") << "" << none << "";
        QTest::newRow("unquoted items end at a comma or a line end")
            << "unquoted-items.dat" << Fields{"Soup", "a b ", "", "", "", "c", "1"} << "";
        QTest::newRow("blanks before an item, text after a quote") << "blanks-and-text-after-a-quote.dat" << soup << "";
        QTest::newRow("LF line ends") << "lf-line-ends.dat" << Fields{"Soup", "", "", "", "x\ny", "", "1"} << "";
        QTest::newRow("a UTF-8 file") << "utf-8-file.dat" << name("Crème €") << "";
        QTest::newRow("one item not UTF-8 makes the file Windows-1252")
            << "one-item-not-utf-8.dat" << Fields{"CrÃ¨me", "Crème", "", "", "", "", "1"} << "";
        QTest::newRow("an overlong UTF-8 form") << "overlong-utf-8.dat" << name("À¯") << "";
        QTest::newRow("an editor's byte-order mark is skipped") << "byte-order-mark.dat" << name("é") << "";
        QTest::newRow("a current index past the count goes to the last")
            << "current-past-the-count.dat" << Fields{"a", "", "", "", "", "", "b", "", "", "", "", "", "2"} << "";
        QTest::newRow("an empty list with current 7 gets 0; blanks and a plus sign allowed")
            << "empty-list-current-7.dat" << Fields{"0"} << "";
        QTest::newRow("an empty file") << "empty-file.dat" << none << PastEnd;
        QTest::newRow("a file ending after the first value")
            << "ends-after-the-first-value.dat" << none << PastEnd + Copy.arg(1);
        QTest::newRow("a negative count") << "negative-count.dat" << none << "Subscript out of range" + Copy.arg(1);
        QTest::newRow("a count that is no number")
            << "count-that-is-no-number.dat" << none << "Type mismatch" + Copy.arg(1);
        QTest::newRow("a count above 32,767") << "count-above-32-767.dat" << none << "Overflow" + Copy.arg(1);
        QTest::newRow("fewer recipes than counted: the rest empty")
            << "fewer-recipes-than-counted.dat"
            << Fields{"One", "", "", "", "", "", "Two", "5 min", "", "", "", "", "", "", "", "", "", "", "2"}
            << PastEnd + Copy.arg(1);
        QTest::newRow("a field cut off by the end keeps its text; an earlier copy stays")
            << "field-cut-off-by-the-end.dat" << Fields{"a", "", "", "", "Mix,\r\nrest\r\n", "", "1"}
            << PastEnd + Copy.arg(2);
        QTest::newRow("the last field cut off")
            << "last-field-cut-off.dat" << Fields{"a", "", "", "", "", "Boil", "1"} << PastEnd + Copy.arg(1);
    }
    void readsWhatItCanAndKeepsACopyOfADamagedFile()
    {
        QFETCH(QString, sample);
        QFETCH(Fields, fields);
        QFETCH(QString, message);
        Folder folder;
        if (message.endsWith("2.DAT."))
            folder.put("earlier", "RECIPES-BACKUP-1.DAT"); // never replaced
        const QByteArray bytes = sample.isEmpty() ? QByteArray() : dataFile(sample);
        if (!sample.isEmpty())
            folder.put(bytes);
        RecipeBox box(folder.dir.path());
        QCOMPARE(box.open().join(u'|'), message);
        QCOMPARE(fieldsOf(box.list()), fields);
        QVERIFY(box.list().invariantsHold());
        const QString copy = message.section(" kept as ", 1).chopped(1);
        QCOMPARE(folder.bytes(copy), copy.isEmpty() ? QByteArray("<missing>") : bytes);
        if (copy.endsWith("2.DAT"))
            QCOMPARE(folder.bytes("RECIPES-BACKUP-1.DAT"), QByteArray("earlier"));
    }

    void aDeviceThatFailsHalfWayFailsTheWriteAndTheRead()
    {
        const RecipeList list = numbered(3000, 7, QString(300, u'A'));
        FailDevice full(100000);
        QVERIFY(!RecipeWriter::write(list, full));
        QBuffer whole;
        whole.open(QIODevice::WriteOnly);
        QVERIFY(RecipeWriter::write(list, whole));
        FailDevice broken(whole.size() / 2, whole.data());
        RecipeList read;
        try {
            RecipeReader::read(broken, read);
            QFAIL("half a file read as a whole one");
        } catch (const RuntimeError &error) {
            QCOMPARE(error.description(), "Device I/O error");
        }
    }

    void failedSaveLeavesTheFileWhole_data()
    {
        QTest::addColumn<QStringList>("child"); // savechild's mode and arguments
        QTest::addColumn<int>("fileMode");
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<QString>("printed");
        const QString denied = "message Permission denied\n";
        QTest::newRow("a read-only file, even for root")
            << QStringList{"save"} << 0444 << 0700 << denied + "list kept\n";
        QTest::newRow("a read-only file in a read-only folder")
            << QStringList{"nobody"} << 0444 << 0555 << denied + "list kept\n";
        QTest::newRow("a full disk") << QStringList{"fsize", "65536"} << 0644 << 0700
                                     << "message Disk full\nlist kept\n";
        QTest::newRow("a file that could not be read is never replaced") << QStringList{"loadsave"} << 0200 << 0777
                                                                         << denied
                + "No copy of the file as it was could be kept.\nmessage RECIPES.DAT was left as it was: it could not "
                  "be read when the program started (Permission denied), and saving over it would lose the recipes "
                  "it holds.\n";
    }
    void failedSaveLeavesTheFileWhole()
    {
        QFETCH(QStringList, child);
        QFETCH(int, fileMode);
        QFETCH(int, folderMode);
        QFETCH(QString, printed);
        Folder folder;
        const QByteArray old = child[0] == "loadsave" ? "old" : "0,0\r\n";
        folder.put(old);
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
        QCOMPARE(folder.bytes(), old);
        QStringList files = folder.files();
        files.removeOne("RECIPES.JNL"); // the changes that could not be saved
        QCOMPARE(files, QStringList{"RECIPES.DAT"});
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
        const qsizetype host = 4 + QSysInfo::machineHostName().toUtf8().size(); // named in the first record
        QVERIFY2(!most || bytes.size() - host <= most, qPrintable(QString::number(bytes.size())));
        const JournalFile::Contents contents = JournalFile::parse(bytes);
        QCOMPARE(contents.entries.value(0).type == JournalEntry::Snapshot, whole);
        QVERIFY(contents.entries.size() <= (whole ? 2 : edits));
        QCOMPARE(fieldsOf(Journal::replayed(j.start, bytes)), fieldsOf(j.journal.list()));
    }

    void aJournalThatFindsTheDiskFullSaysItIsLost()
    {
        Journal j(numbered(3, 1));
        j.renameOften(1);
        QVERIFY(j.journal.sync());
        j.fillDiskAt(40); // not even the list fits
        j.renameOften(2);
        QVERIFY(!j.journal.sync());
    }

    void anAppendThatDoesNotFitIsWrittenWholeWhereTheListFits()
    {
        Journal j(numbered(3, 1));
        j.renameOften(20); // a journal longer than the list
        QVERIFY(j.journal.sync());
        j.fillDiskAt(j.bytes(JournalFile::fileName()).size() + 8);
        j.renameOften(21);
        QVERIFY(j.journal.sync());
        QCOMPARE(fieldsOf(Journal::replayed(j.start, j.bytes(JournalFile::fileName()))), fieldsOf(j.journal.list()));
    }

    void aChangeTheJournalCouldNotTakeIsWrittenWholeWithinASecond()
    {
        Journal j(numbered(3, 1));
        j.renameOften(20); // a journal longer than the list
        QVERIFY(j.journal.sync());
        j.fillDiskAt(j.bytes(JournalFile::fileName()).size() + 8);
        Recipe recipe = j.journal.list().at(2);
        recipe.ingredients = QString(200, u'x'); // more than there is room for after the journal
        j.journal.recordRecipe(2, recipe);
        j.journal.write(); // as the window does a second after the change, and then nothing more
        QTRY_COMPARE_WITH_TIMEOUT(Journal::replayed(j.start, j.bytes(JournalFile::fileName())).at(2).ingredients,
                                  recipe.ingredients, 1500);
    }

    void aJournalTakenBackWithATornTailGoesOnBeforeIt()
    {
        Journal j(numbered(3, 1));
        j.renameOften(1);
        QVERIFY(j.journal.sync());
        j.put(j.bytes(JournalFile::fileName()) + QByteArray(12, '\x7f'), JournalFile::fileName());
        const JournalFile::Contents taken = JournalFile::read(j.path(JournalFile::fileName()));
        j.journal.resume(j.journal.list(), j.path(JournalFile::fileName()), taken.length, int(taken.entries.size()));
        j.renameOften(2);
        QVERIFY(j.journal.sync());
        QCOMPARE(fieldsOf(Journal::replayed(j.start, j.bytes(JournalFile::fileName()))), fieldsOf(j.journal.list()));
    }

    void aJournalWrittenBesideTheRecipesRemovesTheOneInTheStateFolder()
    {
        Journal j(numbered(3, 1));
        const QString elsewhere = RecoveryJournal::locations(j.dir.path()).constLast();
        QVERIFY(QDir().mkpath(QFileInfo(elsewhere).path()));
        j.put("an earlier one", elsewhere);
        j.renameOften(1);
        QVERIFY(j.journal.sync());
        QVERIFY(!QFile::exists(elsewhere));
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "tst_store.moc"
