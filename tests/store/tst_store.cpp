// RECIPES.DAT and the recovery journal as files, with nothing but QtCore.
#include "FailDevice.h"
#include "Recipes.h"
#include "store/RecipeReader.h"
#include "store/RecipeWriter.h"
#include "store/TextEncoding.h"
#include "store/journal/RecoveryJournal.h"

#include <QtTest>

#include <cerrno>

namespace {

const QString Copy = "\nA copy of the file as it was is kept as RECIPES-BACKUP-2.DAT."; // the first is taken
const QString PastEnd = "Input past end of file";

// A journal over RECIPES.DAT, holding `base`.
struct Journal : Folder
{
    explicit Journal(const RecipeList &base = numbered(3, 1))
        : journal(dir.path())
    {
        journal.start(base, RecipeFile::write(base, path()));
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
    // Whether the journal on disk brings the file to what the journal was handed.
    bool holdsAll() const { return fieldsOf(journaled()) == fieldsOf(journal.list()); }
    RecoveryJournal journal;
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
        const auto row = [](const char *name, const Fields &fields, const QByteArray &bytes, int current = 1) {
            QTest::newRow(name) << fields << current << bytes;
        };
        const auto one = [](const QString &name) { return Fields{name, "", "", "", "", ""}; };
        const QByteArray empties = "\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";
        QByteArray upper = "1,1\r\n\"Cr\xe8me";
        for (int byte = 0x80; byte < 0xa0; ++byte)
            upper += char(byte);
        row("two recipes, the second current",
            {"Soup", "10", "20", "4", "Salt\r\nOil", "Boil.", "Tea", "", "", "", "", ""},
            "2,2\r\n\"Soup\"\r\n\"10\"\r\n\"20\"\r\n\"4\"\r\n\"Salt\r\nOil\"\r\n\"Boil.\"\r\n\"Tea\"\r\n" + empties, 2);
        row("an empty list, current 1", {}, "0,1\r\n");
        row("commas, blanks, lone CR and LF as typed", {" Soup, hot ", "", ",", "a\rb", ",c\r\n", "c\nd"},
            "1,1\r\n\" Soup, hot \"\r\n\"\"\r\n\",\"\r\n\"a\rb\"\r\n\",c\r\n\"\r\n\"c\nd\"\r\n");
        row("Windows-1252, the whole upper table",
            one("Crème€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008dŽ\u008f\u0090‘’“”•–—˜™š›œ\u009džŸ"), upper + "\"\r\n" + empties);
        row("a character outside Windows-1252 makes the whole file UTF-8", {"Crème", "", "", "", "", "→"},
            "1,1\r\n\"Cr\xc3\xa8me\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\xe2\x86\x92\"\r\n");
        row("quotes open after a blank or an opening bracket, close elsewhere",
            one("\"a\" (\"b\") [\"c\"] {\"d\"} <\"e\"> x\"y\t\"z\r\n\""),
            "1,1\r\n\"\223a\224 (\223b\224) [\223c\224] {\223d\224} <\223e\224> x\224y\t\223z\r\n\223\"\r\n" + empties);
        row("quotes in a UTF-8 file", one("\"→\" (\""),
            "1,1\r\n\"\xe2\x80\x9c\xe2\x86\x92\xe2\x80\x9d (\xe2\x80\x9c\"\r\n" + empties);
        row("Windows-1252 bytes that would read as UTF-8", one("Ã©"), "UTF-8");
        row("a zero-width no-break space at the start of a field", one(QStringLiteral("\uFEFFx")), "UTF-8");
        // Quoted items and line ends that meet the end of the reader's 1 MiB buffer, each side of it.
        for (int shift : {-3, -2, -1, 0, 1}) {
            QTest::addRow("a field ending %d bytes from the buffer's end", shift)
                << Fields{QString((1 << 20) - 8 + shift, u'x'), "é", "", "", "", "end"} << 1
                << QByteArray("Windows-1252");
        }
        row("a field longer than the buffer", {"", "", "", "", QString(3 << 20, u'x') + "é", "end"}, "Windows-1252");
    }
    void writesEveryByteAndReadsItBack()
    {
        QFETCH(Fields, fields);
        QFETCH(int, current);
        QFETCH(QByteArray, bytes);
        Folder folder;
        const FileIdentity identity = RecipeFile::write(listOf(fields, current), folder.path());
        const QByteArray written = folder.bytes();
        const QByteArray kind = TextEncoding::isValidUtf8(written) ? "UTF-8" : "Windows-1252";
        QCOMPARE(QByteArrayList({"UTF-8", "Windows-1252"}).contains(bytes) ? kind : written, bytes);
        Fields expected;
        for (const QString &text : fields)
            expected << RecipeWriter::withTypographicQuotes(text);
        RecipeList reloaded;
        RecipeFile::read(folder.path(), reloaded);
        QCOMPARE(fieldsOf(reloaded), expected + Fields{QString::number(current)});
        QCOMPARE(identity, FileIdentity::of(folder.path())); // what the journal goes by
    }

    void readsWhatItCanAndKeepsACopyOfADamagedFile_data()
    {
        QTest::addColumn<QString>("sample"); // in tests/data; none for no file
        QTest::addColumn<Fields>("fields"); // of the recipes read, then the current index
        QTest::addColumn<QString>("message");
        const auto row = [](const char *sample, const Fields &fields, const QString &message = QString()) {
            QTest::newRow(*sample ? sample : "no file") << QString(sample) << fields << message;
        };
        row("", {"0"});
        row("unquoted-items.dat", {"Soup", "a b ", "", "", "", "c", "1"});
        row("blanks-and-text-after-a-quote.dat", {"Soup", "", "", "", "", "", "1"});
        row("lf-line-ends.dat", {"Soup", "", "", "", "x\ny", "", "1"});
        row("utf-8-file.dat", {"Crème €", "", "", "", "", "", "1"});
        row("one-item-not-utf-8.dat", {"CrÃ¨me", "Crème", "", "", "", "", "1"}); // the file read as Windows-1252
        row("overlong-utf-8.dat", {"À¯", "", "", "", "", "", "1"});
        row("byte-order-mark.dat", {"é", "", "", "", "", "", "1"});
        row("current-past-the-count.dat", {"a", "", "", "", "", "", "b", "", "", "", "", "", "2"}); // the last
        row("empty-list-current-7.dat", {"0"}); // blanks and a plus sign allowed
        row("empty-file.dat", {"0"}, PastEnd);
        row("ends-after-the-first-value.dat", {"0"}, PastEnd + Copy);
        row("negative-count.dat", {"0"}, "Subscript out of range" + Copy);
        row("count-that-is-no-number.dat", {"0"}, "Type mismatch" + Copy);
        row("count-above-32-767.dat", {"0"}, "Overflow" + Copy);
        row("fewer-recipes-than-counted.dat", // the rest empty
            {"One", "", "", "", "", "", "Two", "5 min", "", "", "", "", "", "", "", "", "", "", "2"}, PastEnd + Copy);
        row("field-cut-off-by-the-end.dat", // keeps its text, and the earlier copy stays
            {"a", "", "", "", "Mix,\r\nrest\r\n", "", "1"}, PastEnd + Copy);
        row("last-field-cut-off.dat", {"a", "", "", "", "", "Boil", "1"}, PastEnd + Copy);
    }
    void readsWhatItCanAndKeepsACopyOfADamagedFile()
    {
        QFETCH(QString, sample);
        QFETCH(Fields, fields);
        QFETCH(QString, message);
        Folder folder;
        folder.put("earlier", "RECIPES-BACKUP-1.DAT"); // never replaced
        QVERIFY(sample.isEmpty() || QFile::copy(QFINDTESTDATA("../data/" + sample), folder.path()));
        RecipeBox box(folder.dir.path());
        QCOMPARE(box.open().join(u'|'), message);
        QCOMPARE(fieldsOf(box.list()), fields);
        QCOMPARE(folder.bytes("RECIPES-BACKUP-2.DAT"), message.endsWith(".DAT.") ? folder.bytes() : "<missing>");
        QCOMPARE(folder.bytes("RECIPES-BACKUP-1.DAT"), "earlier");
    }

    void aDeviceThatFailsHalfWayIsAnErrorReadOrWritten()
    {
        Folder folder;
        const RecipeList list = numbered(3000, 7, QString(300, u'A'));
        RecipeFile::write(list, folder.path());
        FailDevice unreadable(folder.bytes().size() / 2, folder.bytes()), full(folder.bytes().size() / 2);
        RecipeList read;
        QCOMPARE(raised([&] { RecipeReader::read(unreadable, read); }), "57 Device I/O error ()");
        QVERIFY(!RecipeWriter::write(list, full));
    }

    void aFailedSaveLeavesTheFileWhole_data()
    {
        QTest::addColumn<int>("permissions"); // of the file
        QTest::addColumn<rlim_t>("fileSizeLimit"); // a full disk
        QTest::addColumn<QString>("said");
        QTest::newRow("a read-only file, even for root")
            << int(QFile::ReadOwner | QFile::ReadUser) << rlim_t(RLIM_INFINITY) << "Permission denied";
        QTest::newRow("a full disk") << int(QFile::ReadOwner | QFile::WriteOwner) << rlim_t(10) << "Disk full";
    }
    void aFailedSaveLeavesTheFileWhole()
    {
        QFETCH(int, permissions);
        QFETCH(rlim_t, fileSizeLimit);
        QFETCH(QString, said);
        Folder folder;
        folder.put("0,0\r\n");
        QVERIFY(QFile::setPermissions(folder.path(), QFile::Permissions(permissions)));
        RecipeBox box(folder.dir.path());
        box.open();
        box.appendEmpty();
        const auto full = fillDiskAt(fileSizeLimit);
        QString error;
        QVERIFY(!box.save(&error));
        QCOMPARE(error, said);
        QCOMPARE(folder.bytes(), "0,0\r\n");
        QCOMPARE(folder.files().filter("RECIPES.DAT"), QStringList{"RECIPES.DAT"}); // nothing half-written beside it
        QCOMPARE(RuntimeError::fromErrno(ENOSPC, RuntimeError::DeviceIOError).description(), "Disk full");
    }

    void journalKeepsWhatChangedAndReplaysIt_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("edits");
        QTest::addColumn<int>("added");
        QTest::addColumn<int>("most"); // bytes, its signature and the file's identity included; 0 for any
        QTest::addColumn<bool>("whole");
        QTest::newRow("a letter changed in a large field") << QString(1 << 20, u'x') << 1 << 0 << 70 << false;
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
        const QString elsewhere = RecoveryJournal::locations(j.dir.path()).constLast(); // an earlier one, which goes
        QVERIFY(QDir().mkpath(QFileInfo(elsewhere).path()));
        j.put("an earlier one", elsewhere);
        for (int i = 0; i < edits; ++i) {
            Recipe recipe = j.journal.list().at(1 + i % 20);
            if (i == 0 && added == 0)
                recipe.directions.back() = QChar(recipe.directions.back().unicode() + 1);
            recipe.directions += QString(added, QChar(u'a' + i % 26));
            QVERIFY(j.journal.recordRecipe(qint16(1 + i % 20), recipe));
            if ((i + 1) % (edits > 100 ? 500 : 5) == 0) // now and then, as the window does each second
                j.journal.write();
        }
        QVERIFY(j.journal.sync());
        const QByteArray bytes = j.bytes(JournalFile::fileName());
        const qsizetype host = 4 + QSysInfo::machineHostName().toUtf8().size(); // named in the first record
        QVERIFY2(!most || bytes.size() <= most + host, qPrintable(QString::number(bytes.size())));
        const JournalFile::Contents contents = JournalFile::parse(bytes);
        QCOMPARE(contents.entries.value(0).type == JournalEntry::Snapshot, whole);
        QVERIFY(contents.entries.size() <= (whole ? 2 : edits));
        QVERIFY(j.holdsAll() && !QFile::exists(elsewhere));
    }

    void aJournalOnAFullDiskIsWrittenWholeWhereTheListFits_data()
    {
        QTest::addColumn<int>("room"); // after the journal, in bytes; below 0: not even the list fits
        QTest::addColumn<bool>("closing"); // the session waits for the journal; else the window goes on
        QTest::newRow("an append that does not fit, at the end of a session") << 8 << true;
        QTest::newRow("an append that does not fit: written whole within a second") << 8 << false;
        QTest::newRow("not even the list fits: the journal is said to be lost") << -1 << true;
    }
    void aJournalOnAFullDiskIsWrittenWholeWhereTheListFits()
    {
        QFETCH(int, room);
        QFETCH(bool, closing);
        Journal j;
        j.renameOften(20); // a journal longer than the list
        QVERIFY(j.journal.sync());
        const auto full = fillDiskAt(room < 0 ? 40 : j.bytes(JournalFile::fileName()).size() + room);
        j.renameOften(21);
        if (closing)
            QCOMPARE(j.journal.sync(), room >= 0);
        else
            j.journal.write(); // as the window does a second after the change, and then nothing more
        QTRY_COMPARE_WITH_TIMEOUT(j.holdsAll(), room >= 0, 1500);
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "tst_store.moc"
