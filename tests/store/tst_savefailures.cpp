// The save, the lock and the journal under the failures a session meets: folders and files an
// ordinary user cannot write, full disks, saves cut short, programs that are gone.
#include "OrdinaryUser.h"
#include "Recipes.h"
#include "store/RecipeBox.h"
#include "store/RecipeWriter.h"
#include "store/journal/JournalFile.h"
#include "store/journal/RecoveryJournal.h"

#include <QtTest>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The recipes of a folder that a save in place wrote part of: the file it began with, the list it
// was writing, and its journal, which holds that list whole with the mark of the save.
struct CutShort : Folder
{
    CutShort()
    {
        RecipeFile::write(before, path());
        QByteArray journal = JournalFile::signature() + JournalEntry::base(FileIdentity::of(path())).encoded();
        journal += JournalEntry::snapshot(saving).encoded();
        put(journal + JournalEntry::saving(RecipeFile::identityOf(saving)).encoded(), "RECIPES.JNL");
        QBuffer whole(&bytesSaving);
        whole.open(QIODevice::WriteOnly);
        RecipeWriter::write(saving, whole);
    }
    const RecipeList before = numbered(3, 1);
    const RecipeList saving = numbered(5, 2, "Saved");
    QByteArray bytesSaving;
};

} // namespace

class TestSaveFailures : public QObject
{
    Q_OBJECT

    QTemporaryDir m_state;

public:
    static void initMain() { OrdinaryUser::becomeIfAsked(); }

private slots:
    void initTestCase() { qputenv("XDG_STATE_HOME", QFile::encodeName(m_state.path())); }

    void aLockKeepsOutOnlyAProgramThatMayStillBeThere_data()
    {
        QTest::addColumn<QByteArray>("lockFile"); // what RECIPES.LCK holds; none: another program holds it
        QTest::addColumn<bool>("holderRuns");
        QTest::addColumn<int>("result"); // RecipeBox::Locking
        const int locked = int(RecipeBox::Locking::Locked), refused = int(RecipeBox::Locking::Refused);
        QTest::newRow("another program here that has them") << QByteArray() << true << refused;
        QTest::newRow("a program here that was killed") << QByteArray() << false << locked;
        QTest::newRow("an empty lock, cut short by a power cut") << QByteArray("") << false << locked;
        QTest::newRow("a lock naming a process here that is gone") << QByteArray("1\nlarderly\n") << false << locked;
        QTest::newRow("a lock naming another computer: asked")
            << QByteArray("4242\nlarderly\nanother-machine\n") << false << int(RecipeBox::Locking::AskFirst);
    }
    void aLockKeepsOutOnlyAProgramThatMayStillBeThere()
    {
        QFETCH(QByteArray, lockFile);
        QFETCH(bool, holderRuns);
        QFETCH(int, result);
        Folder folder;
        QProcess holder; // takes the lock as the program does, until it ends
        const auto end = qScopeGuard([&] { holder.kill(), holder.waitForFinished(); });
        if (lockFile.isNull()) {
            holder.start(QCoreApplication::applicationDirPath() + "/savechild", {"lock", folder.dir.path()});
            QVERIFY(holder.waitForReadyRead(10000) && holder.readAll() == "locked\n");
            if (!holderRuns) {
                holder.kill();
                QVERIFY(holder.waitForFinished(10000));
            }
        } else {
            folder.put(lockFile, "RECIPES.LCK");
            QFile lock(folder.path("RECIPES.LCK")); // a day old
            QVERIFY(lock.open(QIODevice::ReadWrite)
                    && lock.setFileTime(QDateTime::currentDateTime().addDays(-1), QFile::FileModificationTime));
        }
        RecipeBox box(folder.dir.path());
        QString said;
        QCOMPARE(int(box.lock(&said)), result);
        if (result == int(RecipeBox::Locking::AskFirst)) {
            QCOMPARE(said,
                     "The recipes in " + folder.dir.path()
                         + " were opened on the computer another-machine, 24 "
                           "hours ago, and have not been closed there ("
                         + folder.path("RECIPES.LCK")
                         + " says so). "
                           "If Larderly still has them open there, the changes made in one place will overwrite those "
                           "made in the other. Open them here all the same?");
            box.takeOverLock();
        }
        if (result != int(RecipeBox::Locking::Refused)) { // now this program's
            RecipeBox second(folder.dir.path());
            QCOMPARE(second.lock(&said), RecipeBox::Locking::Refused);
            QVERIFY(!folder.bytes("RECIPES.LCK").contains("another-machine"));
        }
    }

    void whereNoLockFileCanBeMadeASecondWindowIsStillRefused_data()
    {
        QTest::addColumn<bool>("readOnly"); // the folder; else a folder stands where the lock file would
        QTest::addColumn<bool>("deadLock"); // a lock file left by a program that is gone
        QTest::newRow("a read-only folder") << true << false;
        QTest::newRow("a read-only folder with the lock of a program that is gone") << true << true;
        QTest::newRow("a folder in the lock file's place") << false << false;
    }
    void whereNoLockFileCanBeMadeASecondWindowIsStillRefused()
    {
        QFETCH(bool, readOnly);
        QFETCH(bool, deadLock);
        RUN_AS_ORDINARY_USER(); // root writes anywhere
        Folder folder;
        if (deadLock)
            folder.put("1\nlarderly\n", "RECIPES.LCK");
        QVERIFY(readOnly ? ::chmod(QFile::encodeName(folder.dir.path()), 0555) == 0
                         : QDir(folder.dir.path()).mkdir("RECIPES.LCK"));
        RecipeBox first(folder.dir.path()), second(folder.dir.path());
        QString said;
        QCOMPARE(first.lock(&said), RecipeBox::Locking::Locked);
        QCOMPARE(second.lock(&said), RecipeBox::Locking::Refused);
        ::chmod(QFile::encodeName(folder.dir.path()), 0700);
    }

    void anotherProgramsVersionIsNeverOverwrittenUnseen_data()
    {
        QTest::addColumn<bool>("edited"); // here, unsaved
        QTest::addColumn<bool>("between"); // it comes between the save's look at the file and the swap
        QTest::newRow("nothing edited here: the other version stays") << false << false;
        QTest::newRow("edits here: saved, and the other version kept") << true << false;
        QTest::newRow("nothing edited, the other version coming as the file is swapped") << false << true;
        QTest::newRow("edits, the other version coming as the file is swapped") << true << true;
    }
    void anotherProgramsVersionIsNeverOverwrittenUnseen()
    {
        QFETCH(bool, edited);
        QFETCH(bool, between);
        Folder folder;
        RecipeFile::write(numbered(2, 1), folder.path());
        RecipeBox box(folder.dir.path());
        box.open();
        if (edited)
            box.store(numbered(1, 1, "Stew").at(1));
        const QByteArray theirs = "1,1\r\n\"Theirs\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";
        folder.put(theirs, "theirs");
        // As a sync tool writes: a new file renamed over the old one.
        const QString sync = QString("cd '%1' && cp theirs RECIPES.DAT.sync && mv RECIPES.DAT.sync RECIPES.DAT")
                                 .arg(folder.dir.path());
        if (between) {
            qputenv("LARDERLY_HOOK_NAME", "RECIPES.DAT");
            qputenv("LARDERLY_HOOK_COMMAND", sync.toLocal8Bit());
        } else {
            QCOMPARE(std::system(sync.toLocal8Bit().constData()), 0);
        }
        QString said;
        QVERIFY2(box.save(&said), qPrintable(said));
        qunsetenv("LARDERLY_HOOK_NAME");
        QVERIFY(qEnvironmentVariableIsEmpty("LARDERLY_HOOK_COMMAND")); // it ran
        QCOMPARE(said,
                 edited ? "RECIPES.DAT had been replaced by another program while it was open here. This "
                          "window's recipes are saved in it, and the other version is kept as "
                          "RECIPES-BACKUP-1.DAT."
                        : "");
        QCOMPARE(folder.files().join(u' '), edited ? "RECIPES-BACKUP-1.DAT RECIPES.DAT theirs" : "RECIPES.DAT theirs");
        if (edited)
            QCOMPARE(folder.bytes("RECIPES-BACKUP-1.DAT"), theirs);
        RecipeList saved;
        RecipeFile::read(folder.path(), saved);
        QCOMPARE(saved.at(1).name, edited ? "Stew 1" : "Theirs");
    }

    void aFileRemovedWhileOpenIsWrittenAgain()
    {
        Folder folder;
        RecipeFile::write(numbered(2, 1), folder.path());
        RecipeBox box(folder.dir.path());
        box.open();
        QVERIFY(QFile::remove(folder.path()));
        QString said;
        QVERIFY(box.save(&said));
        QCOMPARE(said, QString());
        QCOMPARE(FileIdentity::of(folder.path()), RecipeFile::identityOf(numbered(2, 1)));
    }

    void whatASaveCutShortLeftBesideTheFileGoesOrIsKept_data()
    {
        QTest::addColumn<QString>("left"); // the version under a temporary name: old, new or theirs
        QTest::addColumn<QString>("said");
        QTest::newRow("the version the save replaced") << "old"
                                                       << "";
        QTest::newRow("the new version, not yet in place") << "new"
                                                           << "";
        QTest::newRow("another program's version") << "theirs"
                                                   << "A version of RECIPES.DAT that another program wrote while "
                                                      "Larderly was saving it is kept as RECIPES-BACKUP-1.DAT.";
    }
    void whatASaveCutShortLeftBesideTheFileGoesOrIsKept()
    {
        QFETCH(QString, left);
        QFETCH(QString, said);
        Folder folder; // the file is the old version, its journal marked as saving the new one
        const RecipeList old = numbered(2, 1), saving = numbered(2, 1, "New");
        RecipeFile::write(old, folder.path());
        QByteArray journal = JournalFile::signature() + JournalEntry::base(RecipeFile::identityOf(old)).encoded();
        JournalEntry edit = JournalEntry::of(JournalEntry::Edit, 1);
        edit.splices = JournalEntry::difference(old.at(1), saving.at(1));
        journal += edit.encoded() + JournalEntry::saving(RecipeFile::identityOf(saving)).encoded();
        folder.put(journal, "RECIPES.JNL");
        RecipeFile::write(left == "old" ? old : left == "new" ? saving : numbered(1, 1, "Theirs"), folder.path("x"));
        QVERIFY(QFile::rename(folder.path("x"), folder.path("RECIPES.DAT.a1B2c3")));
        RecipeBox box(folder.dir.path());
        QCOMPARE(box.open().join(u'|'), said);
        QCOMPARE(folder.files().filter("RECIPES.DAT.").size(), 0);
        QVERIFY(box.offersRecovery()); // the changes the journal holds all the same
    }

    void aJournalFromAnotherComputerIsKeptAsideNeverApplied()
    {
        Folder folder;
        RecipeFile::write(numbered(2, 1), folder.path());
        JournalEntry edit = JournalEntry::of(JournalEntry::Edit, 1);
        edit.splices = JournalEntry::difference(numbered(1).at(1), numbered(1, 1, "Theirs").at(1));
        const QByteArray journal = JournalFile::signature()
            + JournalEntry::base(FileIdentity::of(folder.path()), "another-machine").encoded() + edit.encoded();
        folder.put(journal, "RECIPES.JNL");
        RecipeBox box(folder.dir.path());
        QCOMPARE(box.open(),
                 QStringList{"The unsaved changes of a Larderly session on the computer another-machine "
                             "are not applied here. The changes of the last session are kept as "
                             "RECIPES-BACKUP-1.JNL."});
        QVERIFY(!box.offersRecovery());
        QCOMPARE(folder.bytes("RECIPES-BACKUP-1.JNL"), journal);
        folder.put(journal, "RECIPES.JNL"); // another comes while this window has the recipes open
        box.store(numbered(1, 1, "Stew").at(1));
        QString said;
        QVERIFY(box.save(&said));
        QCOMPARE(folder.bytes("RECIPES.JNL"), journal); // never removed with this window's own
    }

    void aSaveInPlaceWithNothingToFallBackOnLeavesTheFileWhole()
    {
        RUN_AS_ORDINARY_USER(); // root writes anywhere
        Folder folder, state;
        qputenv("XDG_STATE_HOME", QFile::encodeName(state.path("none")));
        RecipeFile::write(numbered(3, 1), folder.path());
        const QByteArray before = folder.bytes();
        QVERIFY(::chmod(QFile::encodeName(folder.dir.path()), 0555) == 0
                && ::chmod(QFile::encodeName(state.dir.path()), 0555) == 0);
        RecipeBox box(folder.dir.path());
        box.open();
        box.store(numbered(1, 1, "Stew").at(1));
        QString error;
        QVERIFY(!box.save(&error));
        QCOMPARE(error,
                 "RECIPES.DAT was left as it was: its folder takes no new file, so it could only be rewritten "
                 "where it stands, and no copy of the recipes could be kept anywhere meanwhile to fall back on "
                 "should that fail.");
        QVERIFY(::chmod(QFile::encodeName(folder.dir.path()), 0700) == 0);
        QCOMPARE(folder.bytes(), before);
    }

    void aFileASaveInPlaceLeftCutIsWrittenWholeBeforeAnythingElse_data()
    {
        QTest::addColumn<QString>("file"); // "cut" at half, "holes" (blocks never written), "other", "saved", "before"
        QTest::addColumn<QString>("said");
        QTest::addColumn<bool>("offered");
        const auto row = [](const char *name, const QString &file, const QString &said, bool offered) {
            QTest::newRow(name) << file << said << offered;
        };
        const QString whole = "RECIPES.DAT was left incomplete by a save that could not finish; it has been written "
                              "whole again from the record of unsaved changes.";
        const QString kept = "RECIPES.DAT had been changed by another program; that version is kept as %1.|";
        row("cut at half", "cut", whole, false);
        row("blocks of it never written", "holes", whole, false);
        row("another program's version: kept, then written whole", "other",
            kept.arg(m_state.path() + "/larderly/RECIPES-BACKUP-1.DAT") + whole, false);
        row("the save went through", "saved", "", false);
        row("the save never began: the list it was to write is offered", "before", "", true);
    }
    void aFileASaveInPlaceLeftCutIsWrittenWholeBeforeAnythingElse()
    {
        QFETCH(QString, file);
        QFETCH(QString, said);
        QFETCH(bool, offered);
        CutShort folder;
        const QString journal = RecoveryJournal::locations(folder.dir.path()).constLast();
        QVERIFY(QDir().mkpath(QFileInfo(journal).path()));
        QVERIFY(QFile::rename(folder.path("RECIPES.JNL"), journal)); // a read-only folder's journal is elsewhere
        QByteArray cut = folder.bytesSaving.left(folder.bytesSaving.size() / 2);
        if (file == "holes")
            cut.replace(10, 20, QByteArray(20, '\0'));
        const QByteArray other = "1,1\r\n\"Other\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";
        if (file != "before")
            folder.put(file == "saved" ? folder.bytesSaving : file == "other" ? other : cut);
        RecipeBox box(folder.dir.path());
        QCOMPARE(box.open().join(u'|'), said);
        QCOMPARE(box.offersRecovery(), offered);
        box.recover();
        QCOMPARE(fieldsOf(box.list()), fieldsOf(folder.saving));
        QCOMPARE(FileIdentity::of(folder.path()), RecipeFile::identityOf(offered ? folder.before : folder.saving));
    }

    void aCutFileThatCannotBeWrittenYetIsWrittenByTheNextSave()
    {
        RUN_AS_ORDINARY_USER(); // root writes anywhere
        CutShort folder;
        folder.put(folder.bytesSaving.left(100));
        QVERIFY(::chmod(QFile::encodeName(folder.path()), 0444) == 0);
        RecipeBox box(folder.dir.path());
        QCOMPARE(box.open(),
                 QStringList{"RECIPES.DAT was left incomplete by a save that could not finish, and cannot be written "
                             "whole again now (Permission denied). The recipes are taken from the record of unsaved "
                             "changes, and the next save writes them whole."});
        QCOMPARE(fieldsOf(box.list()), fieldsOf(folder.saving));
        QVERIFY(box.hasUnsavedChanges());
        QVERIFY(::chmod(QFile::encodeName(folder.path()), 0644) == 0);
        QString error;
        QVERIFY2(box.save(&error), qPrintable(error));
        QCOMPARE(folder.bytes(), folder.bytesSaving);
    }

    void aSaveInPlaceOfAShorterListLeavesNothingOfTheLongerOne()
    {
        RUN_AS_ORDINARY_USER(); // root writes anywhere
        Folder folder;
        RecipeFile::write(numbered(20, 1), folder.path());
        QVERIFY(::chmod(QFile::encodeName(folder.dir.path()), 0555) == 0);
        RecipeBox box(folder.dir.path());
        box.open();
        for (int i = 0; i < 19; ++i)
            box.removeCurrent();
        QString error;
        QVERIFY2(box.save(&error), qPrintable(error));
        ::chmod(QFile::encodeName(folder.dir.path()), 0700);
        QCOMPARE(folder.bytes(), "1,1\r\n\"Recipe 20\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"Step 20\r\nRest\"\r\n");
    }

    void aSaveKeepsTheFilesGroupForAUserInIt()
    {
        RUN_AS_ORDINARY_USER(); // a group of the user's that is not the user's own group
        Folder folder;
        RecipeFile::write(numbered(2, 1), folder.path());
        const QByteArray path = QFile::encodeName(folder.path());
        QVERIFY(::chown(path, uid_t(-1), OrdinaryUser::OtherGroup) == 0 && ::chmod(path, 0664) == 0);
        RecipeBox box(folder.dir.path());
        box.open();
        box.store(numbered(1, 1, "Stew").at(1));
        QString error;
        QVERIFY2(box.save(&error), qPrintable(error));
        struct stat saved = {};
        QVERIFY(::stat(path, &saved) == 0);
        QCOMPARE(QList<quint64>({saved.st_gid, saved.st_mode & 0777}),
                 QList<quint64>({OrdinaryUser::OtherGroup, 0664}));
    }
};

QTEST_GUILESS_MAIN(TestSaveFailures)
#include "tst_savefailures.moc"
