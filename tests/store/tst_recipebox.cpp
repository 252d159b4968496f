// Every decision about the recipes of a folder, without a window: what a start makes of what earlier sessions
// left, and what a session keeps under the failures it meets, other programs that write or are gone included.
#include "OrdinaryUser.h"
#include "Recipes.h"
#include "store/RecipeWriter.h"
#include "store/journal/RecoveryJournal.h"

#include <QtTest>

#include <sys/stat.h>

namespace {

const QString Aside = "The changes of the last session are kept as RECIPES-BACKUP-1.JNL.";
const QString OtherVersion = "The changes of an earlier session were made to another version of RECIPES.DAT "
                             "and cannot be applied to this one. "
    + Aside;
const QString AnotherComputer
    = "The unsaved changes of a Larderly session on the computer another-machine are not applied here. " + Aside;

// A list with recipe 1 renamed.
RecipeList named(const QString &name, RecipeList list = numbered(2, 1))
{
    list.at(1).name = name;
    return list;
}

// A the numbered recipes, B another version of them, S A with recipe 1 named "Stew".
RecipeList version(const QString &which)
{
    return which == "B" ? numbered(2, 1, "Recipf") : which == "S" ? named("Stew") : numbered(2, 1);
}

QByteArray bytesOf(const RecipeList &list)
{
    QBuffer buffer;
    return buffer.open(QIODevice::WriteOnly) && RecipeWriter::write(list, buffer) ? buffer.data() : QByteArray();
}

// The records of a journal in a few words each: "base A" (the version it is written against;
// "base A host" as written on the computer host), "name X" (recipe 1 renamed), "whole X" (the whole
// list with recipe 1 named X), "saving S" (the mark of a save into that version), "torn" (half a record).
QByteArray journal(const QStringList &records)
{
    QByteArray bytes = JournalFile::signature();
    RecipeList list = version("A");
    for (const QString &record : records) {
        const QString what = record.section(u' ', 0, 0), which = record.section(u' ', 1);
        JournalEntry entry = JournalEntry::of(JournalEntry::Edit, 1);
        if (what == "base")
            entry = JournalEntry::base(RecipeFile::identityOf(version(which.left(1))), which.mid(2));
        else if (what == "name")
            entry.splices = JournalEntry::difference(list.at(1), named(which, list).at(1));
        else if (what == "whole")
            entry = JournalEntry::snapshot(named(which, list));
        else if (what == "saving")
            entry = JournalEntry::saving(RecipeFile::identityOf(version(which)));
        else // torn
            entry = JournalEntry::of(JournalEntry::Add);
        entry.apply(list);
        bytes += what == "torn" ? entry.encoded().left(6) : entry.encoded();
    }
    return bytes;
}

bool setMode(const QString &path, int mode)
{
    return ::chmod(QFile::encodeName(path).constData(), mode_t(mode)) == 0;
}

// A folder whose RECIPES.DAT holds `file`, and the recipes there as a session opens them.
struct RecipeFolder : Folder
{
    explicit RecipeFolder(const RecipeList &file = version("A")) { RecipeFile::write(file, path()); }
    QString open()
    {
        box = std::make_unique<RecipeBox>(dir.path());
        return box->open().join(u'|');
    }
    // What the save says; "not saved: " and why when it fails.
    QString save()
    {
        QString said;
        return box->save(&said) ? said : "not saved: " + said;
    }
    // Where the unsaved changes are kept for the next start, as when the session ends.
    QString keep()
    {
        QString where;
        return box->keepForNextStart(&where) ? where : "nowhere";
    }
    std::unique_ptr<RecipeBox> box;
};

// A save in place of S over A that has not begun to write the file: its journal, in the state
// folder as a read-only folder's is, holds S whole and the mark of the save.
struct SavingInPlace : RecipeFolder
{
    SavingInPlace()
    {
        const QString journalPath = RecoveryJournal::locations(dir.path()).constLast();
        QDir().mkpath(QFileInfo(journalPath).path());
        put(journal({"base A", "whole Stew", "saving S"}), journalPath);
    }
};

} // namespace

class TestRecipeBox : public QObject
{
    Q_OBJECT

    QTemporaryDir m_state; // the user's state folder, where a journal goes when the recipes' cannot take it

public:
    static void initMain() { OrdinaryUser::becomeIfAsked(); }

private slots:
    void initTestCase() { qputenv("XDG_STATE_HOME", QFile::encodeName(m_state.path())); }

    void aStartOffersOnlyWhatTheFileLacks_data()
    {
        QTest::addColumn<QString>("file"); // the version of RECIPES.DAT, as the records name them
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<QString>("offered"); // recipe 1's name once taken back; empty: not offered
        QTest::addColumn<QString>("said");
        const auto row = [](const char *name, const char *file, const QStringList &records, const QString &offered,
                            const QString &said = QString()) {
            QTest::newRow(name) << QString(file) << records << offered << said;
        };
        row("changes to this file are offered", "A", {"base A", "name Stew"}, "Stew");
        row("changes undone go without a word", "A", {"base A", "name Stew", "name Recipe 1"}, "");
        row("a name beginning with a zero-width no-break space", "A", {"base A", QStringLiteral("name \uFEFFStew")},
            QStringLiteral("\uFEFFStew"));
        row("changes to another version are kept aside", "B", {"base A", "name Stew"}, "", OtherVersion);
        row("a whole list written against another version too", "B", {"base A", "whole Stew"}, "", OtherVersion);
        row("a save that went through carries every change", "S", {"base A", "name Stew", "saving S"}, "");
        row("changes after a save that went through", "S", {"base A", "name Stew", "saving S", "name Soup"}, "Soup");
        row("a save that did not replace the file is no save", "A", {"base A", "name Stew", "saving S"}, "Stew");
        row("a failed save, then another version", "B", {"base A", "name Stew", "saving S"}, "", OtherVersion);
        row("a torn last record is left out", "A", {"base A", "name Stew", "torn"}, "Stew");
        row("a journal that cannot be read", "A", {"torn"}, "",
            "The changes of an earlier session could not be read back. " + Aside);
        row("another computer's", "A", {"base A another-machine", "name Stew"}, "", AnotherComputer);
        row("another computer's unfinished save, over another version", "B",
            {"base A another-machine", "whole Stew", "saving S"}, "", AnotherComputer);
    }
    void aStartOffersOnlyWhatTheFileLacks()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, records);
        QFETCH(QString, offered);
        QFETCH(QString, said);
        RecipeFolder folder(version(file));
        folder.put(journal(records), "RECIPES.JNL");
        QCOMPARE(folder.open(), said);
        QCOMPARE(folder.box->offersRecovery(), !offered.isEmpty());
        folder.box->recover();
        QCOMPARE(folder.box->list().at(1).name, offered.isEmpty() ? version(file).at(1).name : offered);
        QCOMPARE(folder.box->hasUnsavedChanges(), !offered.isEmpty());
        const QString kept = said.isEmpty() ? "RECIPES.DAT" : "RECIPES-BACKUP-1.JNL RECIPES.DAT"; // as it was
        QCOMPARE(folder.files().join(u' '), offered.isEmpty() ? kept : "RECIPES.DAT RECIPES.JNL");
        QCOMPARE(folder.bytes("RECIPES-BACKUP-1.JNL"), said.isEmpty() ? "<missing>" : journal(records));
    }

    void aFileThatCouldNotBeReadIsNeverSavedOver()
    {
        RecipeFolder folder;
        QVERIFY(QFile::remove(folder.path()) && QDir(folder.dir.path()).mkdir("RECIPES.DAT"));
        QCOMPARE(folder.open(), "Path/File access error\nNo copy of the file as it was could be kept.");
        folder.box->appendEmpty();
        QCOMPARE(folder.save(),
                 "not saved: RECIPES.DAT was left as it was: it could not be read when the program "
                 "started (Path/File access error), and saving over it would lose the recipes it holds.");
    }

    void takenBackTheJournalGoesOnSoASecondCrashLosesNothing_data()
    {
        QTest::addColumn<QByteArray>("tail"); // after the records taken back
        QTest::newRow("a change that does not fit the list: written afresh without it")
            << JournalEntry::of(JournalEntry::Delete, 9).encoded();
        QTest::newRow("half a record: it goes on before it") << JournalEntry::of(JournalEntry::Add).encoded().left(6);
    }
    void takenBackTheJournalGoesOnSoASecondCrashLosesNothing()
    {
        QFETCH(QByteArray, tail);
        RecipeFolder folder;
        folder.put(journal({"base A", "name Stew"}) + tail, "RECIPES.JNL");
        folder.open();
        folder.box->recover();
        folder.box->setCurrent(2);
        folder.box->store(named("Soup").at(1));
        QCOMPARE(folder.keep(), "RECIPES.JNL"); // and the session is killed
        QCOMPARE(folder.open(), QString());
        folder.box->recover();
        QCOMPARE(folder.box->list().at(1).name + folder.box->list().at(2).name, "StewSoup");
    }

    void aDeclinedOfferIsKeptAsARecipeFileOrElseAsItWas_data()
    {
        QTest::addColumn<bool>("diskFull");
        QTest::addColumn<QString>("said");
        QTest::newRow("a recipe file of its own")
            << false << "The unsaved changes of the last session are kept as RECIPES-BACKUP-1.DAT.";
        QTest::newRow("on a full disk, the journal") << true << Aside;
    }
    void aDeclinedOfferIsKeptAsARecipeFileOrElseAsItWas()
    {
        QFETCH(bool, diskFull);
        QFETCH(QString, said);
        RecipeFolder folder;
        folder.put(journal({"base A", "name Stew"}), "RECIPES.JNL");
        folder.open();
        QCOMPARE(
            [&] {
                const auto full = fillDiskAt(diskFull ? 10 : RLIM_INFINITY);
                return folder.box->declineRecovery();
            }(),
            said);
        const QString kept = diskFull ? "RECIPES-BACKUP-1.JNL" : "RECIPES-BACKUP-1.DAT";
        QCOMPARE(folder.files(), QStringList({kept, "RECIPES.DAT"}));
        QCOMPARE(folder.bytes(kept), diskFull ? journal({"base A", "name Stew"}) : bytesOf(named("Stew")));
    }

    void ofTwoJournalsTheNewerIsOfferedAndTheOtherKeptAside()
    {
        RecipeFolder folder;
        const QString elsewhere = RecoveryJournal::locations(folder.dir.path()).constLast();
        QVERIFY(QDir().mkpath(QFileInfo(elsewhere).path()));
        folder.put(journal({"base A", "name Beside"}), "RECIPES.JNL");
        folder.put(journal({"base A", "name Elsewhere"}), elsewhere);
        QFile older(folder.path("RECIPES.JNL")); // though the first place a journal goes
        QVERIFY(older.open(QIODevice::ReadWrite)
                && older.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFile::FileModificationTime));
        QCOMPARE(folder.open(), "The changes of another earlier session could not be offered as well. " + Aside);
        folder.box->recover();
        QCOMPARE(folder.box->list().at(1).name, "Elsewhere");
    }

    void aRunningWindowsJournalIsNeverTouchedByAnotherStart()
    {
        RecipeFolder folder;
        RecipeBox first(folder.dir.path()); // no lock taken, as where none could be made
        QString where;
        first.open();
        first.store(named("Stew").at(1));
        QVERIFY(first.keepForNextStart(&where) && where == "RECIPES.JNL");
        const QByteArray journal = folder.bytes("RECIPES.JNL");
        QCOMPARE(folder.open(), QString());
        QVERIFY(!folder.box->offersRecovery());
        folder.box->appendEmpty();
        QCOMPARE(folder.keep(), RecoveryJournal::locations(folder.dir.path()).constLast()); // its own, elsewhere
        QCOMPARE(folder.save(), "");
        QCOMPARE(folder.bytes("RECIPES.JNL"), journal);
    }

    void aJournalThatCannotBeMovedIsNotOfferedAgain()
    {
        RUN_AS_ORDINARY_USER();
        RecipeFolder folder(version("B"));
        folder.put(journal({"base A", "name Stew"}), "RECIPES.JNL");
        QVERIFY(setMode(folder.dir.path(), 0555));
        const QString copy = m_state.path() + "/larderly/RECIPES-BACKUP-1.JNL"; // in the state folder
        QCOMPARE(folder.open(), QString(OtherVersion).replace("RECIPES-BACKUP-1.JNL", copy));
        QCOMPARE(folder.open(), QString()); // the next start
        QVERIFY(setMode(folder.dir.path(), 0700));
        QCOMPARE(folder.bytes(copy), folder.bytes("RECIPES.JNL"));
    }

    void movingToAnotherRecipeIsJournaledWithinASecond()
    {
        RecipeFolder folder(numbered(3, 1));
        folder.open();
        folder.box->store(named("Stew", numbered(3, 1)).at(1));
        QTRY_COMPARE_WITH_TIMEOUT(folder.journaled().at(1).name, "Stew", 3000);
        folder.box->setCurrent(3);
        QTRY_COMPARE_WITH_TIMEOUT(folder.journaled().current().value(), qint16(3), 3000);
    }

    void aJournalOfTheLastReleaseIsStillOffered()
    {
        Folder folder;
        for (const QString name : {"RECIPES.DAT", "RECIPES.JNL"})
            QVERIFY(QFile::copy(QFINDTESTDATA("../data/journal-of-release-1.0/" + name), folder.path(name)));
        RecipeBox box(folder.dir.path());
        QCOMPARE(box.open(), QStringList());
        QVERIFY(box.offersRecovery());
        box.recover();
        QCOMPARE(fieldsOf(box.list()),
                 Fields({"Onion soup", "", "", "", "Onions\r\nWater", "Boil.\r\nServe.", //
                         "Tea", "", "", "2", "", "", //
                         "Crème brûlée", "", "40 min", "", "", "", "2"}));
    }

    void aLockKeepsOutOnlyAProgramThatMayStillBeThere_data()
    {
        QTest::addColumn<QByteArray>("lockFile"); // a day old; none: a folder in its place, or none at all
        QTest::addColumn<bool>("readOnly"); // the recipes' folder, where no lock file can be made
        QTest::addColumn<bool>("asked"); // the lock names another computer
        const auto row = [](const char *name, const QByteArray &lockFile, bool readOnly, bool asked = false) {
            QTest::newRow(name) << lockFile << readOnly << asked;
        };
        const QByteArray gone = "1\nlarderly\n";
        row("an empty lock, cut short by a power cut", "", false);
        row("a lock naming a process that is gone", gone, false);
        row("a lock naming another computer: asked", "1\nlarderly\nanother-machine\n", false, true);
        row("a folder in the lock file's place", QByteArray(), false);
        row("a read-only folder", QByteArray(), true);
        row("a read-only folder with the lock of a program that is gone", gone, true);
    }
    void aLockKeepsOutOnlyAProgramThatMayStillBeThere()
    {
        QFETCH(QByteArray, lockFile);
        QFETCH(bool, readOnly);
        QFETCH(bool, asked);
        RUN_AS_ORDINARY_USER(); // root writes anywhere
        Folder folder;
        QFile lock(folder.path("RECIPES.LCK"));
        if (lockFile.isNull())
            QVERIFY(readOnly || QDir(folder.dir.path()).mkdir("RECIPES.LCK"));
        else
            QVERIFY(lock.open(QIODevice::WriteOnly) && lock.write(lockFile) == lockFile.size() && lock.flush()
                    && lock.setFileTime(QDateTime::currentDateTime().addDays(-1), QFile::FileModificationTime));
        QVERIFY(setMode(folder.dir.path(), readOnly ? 0555 : 0700));
        RecipeBox box(folder.dir.path()), second(folder.dir.path());
        QString said;
        QCOMPARE(box.lock(&said), asked ? RecipeBox::Locking::AskFirst : RecipeBox::Locking::Locked);
        if (asked) {
            QVERIFY2(
                said.contains("in " + folder.dir.path() + " were opened on the computer another-machine, 24 hours ago")
                    && said.contains("(" + lock.fileName() + " says so)") && said.endsWith("all the same?"),
                qPrintable(said));
            box.takeOverLock();
        }
        QCOMPARE(second.lock(&said), RecipeBox::Locking::Refused); // another program here has them now
        QVERIFY(setMode(folder.dir.path(), 0700) && !folder.bytes("RECIPES.LCK").contains("another-machine"));
    }

    void anotherProgramsVersionIsNeverOverwrittenUnseen_data()
    {
        QTest::addColumn<QByteArray>("other"); // what another program does in the folder, with the version B beside
        QTest::addColumn<bool>("edited"); // here, unsaved
        QTest::addColumn<bool>("between"); // it comes between the save's look at the file and the swap
        QTest::addColumn<QString>("saved"); // the version RECIPES.DAT holds then
        QTest::addColumn<bool>("none"); // no RECIPES.DAT when the window opened
        const QByteArray sync = "cp B RECIPES.DAT.sync && mv RECIPES.DAT.sync RECIPES.DAT"; // as sync tools write
        QTest::newRow("nothing edited here: the other version stays") << sync << false << false << "B" << false;
        QTest::newRow("edits here: saved, and the other version kept") << sync << true << false << "S" << false;
        QTest::newRow("nothing edited, the other version coming as the file is swapped")
            << sync << false << true << "B" << false;
        QTest::newRow("the file removed: written again")
            << QByteArray("rm RECIPES.DAT") << false << false << "A" << false;
        QTest::newRow("nothing edited, a file where there was none: it stays") << sync << false << false << "B" << true;
    }
    void anotherProgramsVersionIsNeverOverwrittenUnseen()
    {
        QFETCH(QByteArray, other);
        QFETCH(bool, edited);
        QFETCH(bool, between);
        QFETCH(QString, saved);
        QFETCH(bool, none);
        RecipeFolder folder;
        QVERIFY(!none || QFile::remove(folder.path()));
        folder.open();
        if (edited)
            folder.box->store(named("Stew").at(1));
        folder.put(bytesOf(version("B")), "B");
        // Another computer's journal, which came with it, is never written over or removed with this window's.
        folder.put(journal({"base B another-machine", "name Theirs"}), "RECIPES.JNL");
        const QByteArray command = "cd '" + QFile::encodeName(folder.dir.path()) + "' && " + other;
        if (between) {
            qputenv("LARDERLY_HOOK_NAME", "RECIPES.DAT");
            qputenv("LARDERLY_HOOK_COMMAND", command);
        } else {
            QCOMPARE(QProcess::execute("sh", {"-c", QString::fromLocal8Bit(command)}), 0);
        }
        const QString said = folder.save();
        qunsetenv("LARDERLY_HOOK_NAME");
        QVERIFY(qEnvironmentVariableIsEmpty("LARDERLY_HOOK_COMMAND")); // it ran
        QCOMPARE(said,
                 edited ? "RECIPES.DAT had been replaced by another program while it was open here. This window's "
                          "recipes are saved in it, and the other version is kept as RECIPES-BACKUP-1.DAT."
                        : "");
        QCOMPARE(folder.files().size(), edited ? 4 : 3); // B, RECIPES.DAT, RECIPES.JNL and the other version kept
        QCOMPARE(folder.bytes("RECIPES-BACKUP-1.DAT"), edited ? folder.bytes("B") : "<missing>");
        QCOMPARE(folder.bytes(), bytesOf(version(saved)));
        QCOMPARE(folder.bytes("RECIPES.JNL"), journal({"base B another-machine", "name Theirs"}));
    }

    void aSaveInPlaceIsMadeOnlyWithTheListSafeElsewhere_data()
    {
        QTest::addColumn<bool>("stateFolder"); // can be written, and takes the journal
        QTest::addColumn<QString>("said");
        QTest::newRow("the journal in the state folder: saved") << true << "";
        QTest::newRow("nowhere to put it: refused")
            << false
            << "not saved: RECIPES.DAT was left as it was: its folder takes no new file, so it could only be rewritten "
               "where it stands, and no copy of the recipes could be kept anywhere meanwhile to fall back on should "
               "that fail.";
    }
    void aSaveInPlaceIsMadeOnlyWithTheListSafeElsewhere()
    {
        QFETCH(bool, stateFolder);
        QFETCH(QString, said);
        RUN_AS_ORDINARY_USER(); // root writes anywhere
        RecipeFolder folder(numbered(20, 1));
        QVERIFY(setMode(folder.dir.path(), 0555) && setMode(m_state.path(), stateFolder ? 0700 : 0555));
        folder.open();
        for (int i = 0; i < 19; ++i) // a shorter list, of which nothing of the longer one may stay
            folder.box->removeCurrent();
        QCOMPARE(folder.save(), said);
        QVERIFY(setMode(folder.dir.path(), 0700));
        QCOMPARE(folder.bytes(), bytesOf(stateFolder ? folder.box->list() : numbered(20, 1)));
    }

    void whatASaveCutShortLeftIsWrittenWholeOrKeptBeforeAnythingElse_data()
    {
        QTest::addColumn<QByteArray>("file"); // what a save in place left; none: it never began
        QTest::addColumn<QByteArray>("left"); // what a save that replaces the file left under a temporary name
        QTest::addColumn<QString>("said");
        const QString whole = "RECIPES.DAT was left incomplete by a save that could not finish; it has been written "
                              "whole again from the record of unsaved changes.";
        const QByteArray saved = bytesOf(version("S")), cut = saved.left(saved.size() / 2),
                         theirs = bytesOf(version("B"));
        const QByteArray none;
        QTest::newRow("cut at half") << cut << none << whole;
        QTest::newRow("blocks of it never written")
            << QByteArray(cut).replace(10, 20, QByteArray(20, '\0')) << none << whole;
        QTest::newRow("another program's version: kept, then written whole")
            << theirs << none
            << "RECIPES.DAT had been changed by another program; that version is kept as " + m_state.path()
                + "/larderly/RECIPES-BACKUP-1.DAT.|" + whole;
        QTest::newRow("the save went through") << saved << none << "";
        QTest::newRow("the save never began: the list it was to write is offered") << none << none << "";
        QTest::newRow("the version a save replaced, left beside the file, goes") << none << bytesOf(version("A")) << "";
        QTest::newRow("the new version, not yet in place, goes") << none << saved << "";
        QTest::newRow("another program's version is kept")
            << none << theirs
            << "A version of RECIPES.DAT that another program wrote while Larderly was saving it is kept as "
               "RECIPES-BACKUP-1.DAT.";
    }
    void whatASaveCutShortLeftIsWrittenWholeOrKeptBeforeAnythingElse()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, left);
        QFETCH(QString, said);
        SavingInPlace folder;
        if (!file.isNull())
            folder.put(file);
        if (!left.isNull())
            folder.put(left, "RECIPES.DAT.a1B2c3");
        QCOMPARE(folder.open(), said);
        QCOMPARE(folder.box->offersRecovery(), file.isNull());
        folder.box->recover();
        QCOMPARE(fieldsOf(folder.box->list()), fieldsOf(version("S")));
        QCOMPARE(folder.bytes(), bytesOf(version(file.isNull() ? "A" : "S")));
        const bool kept = said.endsWith("RECIPES-BACKUP-1.DAT."); // beside the file
        QCOMPARE(folder.files().join(u' '), kept ? "RECIPES-BACKUP-1.DAT RECIPES.DAT" : "RECIPES.DAT");
        QCOMPARE(folder.bytes("RECIPES-BACKUP-1.DAT"), kept ? left : "<missing>");
    }

    void aCutFileThatCannotBeWrittenYetIsWrittenByTheNextSave()
    {
        RUN_AS_ORDINARY_USER(); // root writes anywhere
        SavingInPlace folder;
        folder.put(bytesOf(version("S")).left(20));
        QVERIFY(setMode(folder.path(), 0444));
        QCOMPARE(folder.open(),
                 "RECIPES.DAT was left incomplete by a save that could not finish, and cannot be written whole again "
                 "now (Permission denied). The recipes are taken from the record of unsaved changes, and the next "
                 "save writes them whole.");
        QVERIFY(folder.box->hasUnsavedChanges());
        QCOMPARE(fieldsOf(folder.journaled()), fieldsOf(version("S"))); // should the session end now
        QVERIFY(setMode(folder.path(), 0644));
        QCOMPARE(folder.save(), "");
        QCOMPARE(folder.bytes(), bytesOf(version("S")));
    }

    void aSaveKeepsTheFilesOwnerAndGroup()
    {
        // Saved by root, the file stays nobody's; saved by nobody, it keeps a group of nobody's not its own.
        const uid_t owner = ::geteuid() == 0 ? OrdinaryUser::Nobody : ::geteuid();
        RecipeFolder folder;
        const QByteArray path = QFile::encodeName(folder.path());
        QVERIFY(::chown(path, owner, OrdinaryUser::OtherGroup) == 0 && setMode(folder.path(), 0664));
        folder.open();
        folder.box->store(named("Stew").at(1));
        QCOMPARE(folder.save(), "");
        struct stat saved = {};
        QVERIFY(::stat(path, &saved) == 0);
        QCOMPARE(QList<quint64>({saved.st_uid, saved.st_gid, saved.st_mode & 0777}),
                 QList<quint64>({owner, OrdinaryUser::OtherGroup, 0664}));
        RUN_AS_ORDINARY_USER(); // the whole test again, as nobody
    }
};

QTEST_GUILESS_MAIN(TestRecipeBox)
#include "tst_recipebox.moc"
