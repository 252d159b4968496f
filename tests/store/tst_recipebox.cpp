// What a start makes of the files an earlier session left, and what the recipes of a folder keep
// while a session runs: every recovery decision, without a window.
#include "OrdinaryUser.h"
#include "Recipes.h"
#include "store/Checksum.h"
#include "store/RecipeBox.h"
#include "store/journal/JournalFile.h"
#include "store/journal/RecoveryJournal.h"

#include <QtEndian>
#include <QtTest>

#include <sys/stat.h>

namespace {

const QString Aside = "The changes of the last session are kept as RECIPES-BACKUP-1.JNL.";
const QString OtherVersion = "The changes of an earlier session were made to another version of RECIPES.DAT "
                             "and cannot be applied to this one. "
    + Aside;

// A list with recipe 1 renamed.
RecipeList named(const QString &name, RecipeList list = numbered(2, 1))
{
    list.at(1).name = name;
    return list;
}

// The records of a journal in a few words each: "base A" (the file it is written against: A the
// numbered recipes, B another version, S the one whose recipe 1 is "Stew"), "name X" (recipe 1
// renamed), "whole X" (the whole list with recipe 1 named X), "saving A|B|S" (the mark of a save
// into that file), "old saving" (as the last release marked a save), "torn" (half a record).
QByteArray journal(const QStringList &records)
{
    const QHash<QString, RecipeList> files{
        {"A", numbered(2, 1)}, {"B", numbered(2, 1, "Recipf")}, {"S", named("Stew")}};
    QByteArray bytes = JournalFile::signature();
    RecipeList list = files["A"];
    for (const QString &record : records) {
        const QString what = record.section(u' ', 0, 0), which = record.section(u' ', 1);
        JournalEntry entry = JournalEntry::of(JournalEntry::Edit, 1);
        if (what == "base") {
            entry = JournalEntry::base(RecipeFile::identityOf(files[which]));
        } else if (what == "name") {
            entry.splices = JournalEntry::difference(list.at(1), named(which, list).at(1));
        } else if (what == "whole") {
            entry = JournalEntry::snapshot(named(which, list));
        } else if (what == "saving") {
            entry = JournalEntry::saving(RecipeFile::identityOf(files[which]));
        } else if (record == "old saving") { // a Saving record without contents
            const QByteArray mark("\0\0\0\0\x07", 5);
            const quint32 crc = qToLittleEndian(Checksum::crc32(mark));
            bytes += mark + QByteArray(reinterpret_cast<const char *>(&crc), sizeof crc);
            continue;
        } else if (record == "torn") {
            bytes += JournalEntry::of(JournalEntry::Add).encoded().left(6);
            continue;
        }
        entry.apply(list);
        bytes += entry.encoded();
    }
    return bytes;
}

// A session over the folder that ends as a kill ends it, once its changes are on disk.
template<typename Work>
void endUnsaved(const QString &folder, Work work)
{
    RecipeBox box(folder);
    box.open();
    if (box.offersRecovery())
        box.recover();
    work(box);
    QString where;
    QVERIFY(box.keepForNextStart(&where));
}

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
        QTest::addColumn<QString>("file"); // A, B or S, as the records name them
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<QString>("offered"); // recipe 1's name once taken back; empty: not offered
        QTest::addColumn<QString>("said");
        QTest::newRow("changes to this file are offered") << "A" << QStringList{"base A", "name Stew"} << "Stew"
                                                          << "";
        QTest::newRow("changes undone go without a word")
            << "A" << QStringList{"base A", "name Stew", "name Recipe 1"} << ""
            << "";
        QTest::newRow("changes to another version are kept aside")
            << "B" << QStringList{"base A", "name Stew"} << "" << OtherVersion;
        QTest::newRow("a whole list written against another version too")
            << "B" << QStringList{"base A", "whole Stew"} << "" << OtherVersion;
        QTest::newRow("a save that went through carries every change")
            << "S" << QStringList{"base A", "name Stew", "saving S"} << ""
            << "";
        QTest::newRow("changes after a save that went through are offered over it")
            << "S" << QStringList{"base A", "name Stew", "saving S", "name Soup"} << "Soup"
            << "";
        QTest::newRow("a save that did not replace the file is no save")
            << "A" << QStringList{"base A", "name Stew", "saving S"} << "Stew"
            << "";
        QTest::newRow("a failed save, then the file replaced by another version")
            << "B" << QStringList{"base A", "name Stew", "saving S"} << "" << OtherVersion;
        QTest::newRow("the last release's save mark, which names no file")
            << "A" << QStringList{"base A", "name Stew", "old saving", "name Soup"} << "Soup"
            << "";
        QTest::newRow("a torn last record is left out") << "A" << QStringList{"base A", "name Stew", "torn"} << "Stew"
                                                        << "";
        QTest::newRow("no journal at all") << "A" << QStringList{"garbage"} << ""
                                           << "The changes of an earlier session could not be read back. " + Aside;
    }
    void aStartOffersOnlyWhatTheFileLacks()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, records);
        QFETCH(QString, offered);
        QFETCH(QString, said);
        Folder folder;
        const RecipeList versions[] = {numbered(2, 1), numbered(2, 1, "Recipf"), named("Stew")};
        RecipeFile::write(versions[QString("ABS").indexOf(file)], folder.path());
        const QByteArray bytes
            = records == QStringList{"garbage"} ? QByteArray("LARDERLY JOURNAL 1\nx") : journal(records);
        folder.put(bytes, "RECIPES.JNL");
        RecipeBox box(folder.dir.path());
        QCOMPARE(box.open().join(u'|'), said);
        QCOMPARE(box.offersRecovery(), !offered.isEmpty());
        box.recover();
        QCOMPARE(box.list().at(1).name,
                 offered.isEmpty() ? versions[QString("ABS").indexOf(file)].at(1).name : offered);
        QCOMPARE(box.hasUnsavedChanges(), !offered.isEmpty());
        const QString left = offered.isEmpty()
            ? (said.isEmpty() ? "" : "RECIPES-BACKUP-1.JNL ") + QString("RECIPES.DAT")
            : "RECIPES.DAT RECIPES.JNL";
        QCOMPARE(folder.files().join(u' '), left);
        if (said.contains("BACKUP-1.JNL")) // kept as it was
            QCOMPARE(folder.bytes("RECIPES-BACKUP-1.JNL"), bytes);
    }

    void aSaveThatWasRefusedLeavesNoMarkOfOne()
    {
        Folder folder;
        QVERIFY(QDir(folder.dir.path()).mkdir("RECIPES.DAT")); // unreadable, and never replaced
        endUnsaved(folder.dir.path(), [](RecipeBox &box) {
            box.appendEmpty();
            box.store(named("Stew", numbered(1)).at(1));
            QString error;
            QVERIFY(!box.save(&error));
        });
        QVERIFY(QDir(folder.path()).removeRecursively());
        RecipeFile::write(numbered(2, 1), folder.path()); // the file is readable now, another version
        RecipeBox next(folder.dir.path());
        QCOMPARE(next.open(), QStringList{OtherVersion});
        QVERIFY(!next.offersRecovery());
        QCOMPARE(folder.files(), QStringList({"RECIPES-BACKUP-1.JNL", "RECIPES.DAT"}));
    }

    void takenBackTheJournalGoesOnSoASecondCrashLosesNothing_data()
    {
        QTest::addColumn<bool>("damaged"); // a change that does not fit the list follows the first
        QTest::newRow("every record fits: it goes on where it is") << false;
        QTest::newRow("a record that does not fit: written afresh without it") << true;
    }
    void takenBackTheJournalGoesOnSoASecondCrashLosesNothing()
    {
        QFETCH(bool, damaged);
        Folder folder;
        RecipeFile::write(numbered(2, 1), folder.path());
        JournalEntry misfit = JournalEntry::of(JournalEntry::Delete, 9);
        folder.put(journal({"base A", "name Stew"}) + (damaged ? misfit.encoded() : QByteArray()), "RECIPES.JNL");
        endUnsaved(folder.dir.path(), [](RecipeBox &box) {
            QCOMPARE(box.list().at(1).name, "Stew");
            box.setCurrent(2);
            box.store(named("Soup").at(1));
        });
        RecipeBox next(folder.dir.path());
        QCOMPARE(next.open(), QStringList());
        next.recover();
        QCOMPARE(fieldsOf(next.list()).mid(0, 6), fieldsOf(named("Stew")).mid(0, 6));
        QCOMPARE(next.list().at(2).name, "Soup");
    }

    void aDeclinedOfferIsKeptAsARecipeFileOfItsOwn()
    {
        Folder folder;
        RecipeFile::write(numbered(2, 1), folder.path());
        folder.put(journal({"base A", "name Stew"}), "RECIPES.JNL");
        RecipeBox box(folder.dir.path());
        box.open();
        QCOMPARE(box.declineRecovery(), "The unsaved changes of the last session are kept as RECIPES-BACKUP-1.DAT.");
        QCOMPARE(box.list().at(1).name, "Recipe 1");
        QCOMPARE(folder.files(), QStringList({"RECIPES-BACKUP-1.DAT", "RECIPES.DAT"}));
        RecipeList kept;
        RecipeFile::read(folder.path("RECIPES-BACKUP-1.DAT"), kept);
        QCOMPARE(fieldsOf(kept), fieldsOf(named("Stew")));
    }

    void ofTwoJournalsTheNewerIsOfferedAndTheOtherKeptAside_data()
    {
        QTest::addColumn<bool>("besideIsNewer");
        QTest::newRow("the one beside the recipes is newer") << true;
        QTest::newRow("the one in the state folder is newer") << false;
    }
    void ofTwoJournalsTheNewerIsOfferedAndTheOtherKeptAside()
    {
        QFETCH(bool, besideIsNewer);
        Folder folder;
        RecipeFile::write(numbered(2, 1), folder.path());
        const QString elsewhere = RecoveryJournal::locations(folder.dir.path()).constLast();
        QVERIFY(QDir().mkpath(QFileInfo(elsewhere).path()));
        folder.put(journal({"base A", "name Beside"}), "RECIPES.JNL");
        folder.put(journal({"base A", "name Elsewhere"}), elsewhere);
        QFile older(besideIsNewer ? elsewhere : folder.path("RECIPES.JNL"));
        QVERIFY(older.open(QIODevice::ReadWrite)
                && older.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFile::FileModificationTime));
        RecipeBox box(folder.dir.path());
        const QString other = "The changes of another earlier session could not be offered as well. ";
        QCOMPARE(box.open(), QStringList{other + Aside});
        box.recover();
        QCOMPARE(box.list().at(1).name, besideIsNewer ? "Beside" : "Elsewhere");
    }

    void aRunningWindowsJournalIsNeverTouchedByAnotherStart()
    {
        Folder folder;
        RecipeFile::write(numbered(2, 1), folder.path());
        RecipeBox first(folder.dir.path()); // no lock taken, as where none could be made
        QString where, error;
        first.open();
        first.store(named("Stew").at(1));
        QVERIFY(first.keepForNextStart(&where) && where == "RECIPES.JNL");
        const QByteArray journal = folder.bytes("RECIPES.JNL");
        {
            RecipeBox second(folder.dir.path());
            QCOMPARE(second.open(), QStringList());
            QVERIFY(!second.offersRecovery());
            second.appendEmpty();
            QVERIFY(second.keepForNextStart(&where) && where != "RECIPES.JNL"); // its own, elsewhere
            QCOMPARE(second.save(&error), true);
        }
        QCOMPARE(folder.bytes("RECIPES.JNL"), journal);
        first.store(named("Soup").at(1));
        QVERIFY(first.keepForNextStart(&where) && where == "RECIPES.JNL");
        QCOMPARE(folder.journaled().at(1).name, "Soup");
    }

    void aJournalThatCannotBeMovedIsNotOfferedAgain()
    {
        RUN_AS_ORDINARY_USER();
        Folder folder, state;
        qputenv("XDG_STATE_HOME", QFile::encodeName(state.dir.path()));
        RecipeFile::write(numbered(2, 1, "Recipf"), folder.path());
        folder.put(journal({"base A", "name Stew"}), "RECIPES.JNL");
        QVERIFY(::chmod(QFile::encodeName(folder.dir.path()), 0555) == 0);
        QStringList said[2];
        for (QStringList &start : said) {
            RecipeBox box(folder.dir.path());
            start = box.open();
            QVERIFY(!box.offersRecovery());
        }
        ::chmod(QFile::encodeName(folder.dir.path()), 0700);
        const QString copy = QDir::toNativeSeparators(state.path("larderly/RECIPES-BACKUP-1.JNL"));
        QCOMPARE(said[0], QStringList{QString(OtherVersion).replace("RECIPES-BACKUP-1.JNL", copy)});
        QCOMPARE(said[1].join(u"|"), QString());
        QCOMPARE(state.bytes("larderly/RECIPES-BACKUP-1.JNL"), folder.bytes("RECIPES.JNL"));
    }

    void movingToAnotherRecipeIsJournaledWithinASecond()
    {
        Folder folder;
        RecipeFile::write(numbered(3, 1), folder.path());
        RecipeBox box(folder.dir.path());
        box.open();
        box.store(named("Stew", numbered(3, 1)).at(1));
        QTRY_COMPARE_WITH_TIMEOUT(folder.journaled().at(1).name, "Stew", 3000);
        box.setCurrent(3);
        QTRY_COMPARE_WITH_TIMEOUT(folder.journaled().current().value(), qint16(3), 3000);
    }

    void aJournalOfTheLastReleaseIsStillOffered()
    {
        Folder folder;
        for (const char *name : {"RECIPES.DAT", "RECIPES.JNL"}) {
            QFile sample(QFINDTESTDATA(QStringLiteral("../data/journal-of-release-1.0/") + name));
            QVERIFY(sample.open(QIODevice::ReadOnly));
            folder.put(sample.readAll(), name);
        }
        RecipeBox box(folder.dir.path());
        QCOMPARE(box.open(), QStringList());
        QVERIFY(box.offersRecovery());
        box.recover();
        QCOMPARE(fieldsOf(box.list()),
                 Fields({"Onion soup", "", "", "", "Onions\r\nWater", "Boil.\r\nServe.", //
                         "Tea", "", "", "2", "", "", //
                         "Crème brûlée", "", "40 min", "", "", "", "2"}));
    }
};

QTEST_GUILESS_MAIN(TestRecipeBox)
#include "tst_recipebox.moc"
