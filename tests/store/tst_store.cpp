#include "DataFile.h"
#include "Raised.h"
#include "Recipes.h"
#include "store/RecipeFile.h"
#include "store/RecipeWriter.h"

#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// RECIPES.DAT in a temporary folder, the list it is read into and the messages the user sees.
struct Box : Folder
{
    Box()
        : file(list, dir.path(), [this](const QString &m) { messages << m; })
    { }
    Fields load(const QByteArray &bytes)
    {
        if (!bytes.isNull())
            put(bytes);
        file.load();
        return fieldsOf(list);
    }
    RecipeList list;
    QStringList messages;
    RecipeFile file;
};

} // namespace

class TestStore : public QObject
{
    Q_OBJECT

private slots:
    void indexesAndCountersStayInRange_data() { dataTable(QFINDTESTDATA("ranges.txt")); }
    void indexesAndCountersStayInRange()
    {
        const QStringList row = dataRow();
        const int count = row[0].toInt(), index = row[1].toInt();
        const QString slotAndCurrent = row[2];
        RecipeList list;
        list.sizeForLoading(count, count ? 1 : 0);
        const auto allowed = [](const QString &error) { return error == "none" ? '1' : '0'; };
        QCOMPARE(QString(allowed(raised([&] { list.at(index).name = "x"; })))
                     + allowed(raised([&] { list.setCurrent(index); })),
                 slotAndCurrent);
        QCOMPARE(raised([&] { list.sizeForLoading(count, index); }).section(u' ', 0, 0),
                 slotAndCurrent[1] == '1' ? "none" : "9");
        QVERIFY(list.slotCount() == count + 1 && list.invariantsHold());
        QCOMPARE(raised([] { Int16(-32768) - Int16(1); }), "6 Overflow ()");
    }

    void writesEveryByteAndReadsItBack_data()
    {
        dataTable(QFINDTESTDATA("writing.txt"));
        QTest::newRow("a field longer than the read buffer")
            << QStringList{"||||" + QString(3 << 20, u'x') + "é|end", "1", "Windows-1252"};
    }
    void writesEveryByteAndReadsItBack()
    {
        const QStringList row = dataRow();
        const Fields fields = row[0].isEmpty() ? Fields() : row[0].split(u'|');
        const int current = row[1].toInt();
        const QByteArray bytes = row[2].toLatin1(); // the file exactly, or its encoding
        Box box, reloaded;
        box.list = listOf(fields, current);
        QVERIFY(box.file.save());
        const QByteArray written = box.bytes();
        const QByteArray kind = TextEncoding::isAscii(written) ? "ASCII"
            : TextEncoding::isValidUtf8(written)               ? "UTF-8"
                                                               : "Windows-1252";
        QCOMPARE(QByteArrayList({"ASCII", "UTF-8", "Windows-1252"}).contains(bytes) ? kind : written, bytes);
        QCOMPARE(fieldsOf(box.list), fields + Fields{QString::number(current)}); // a save changes nothing in the list
        Fields expected;
        for (const QString &text : fields)
            expected << RecipeWriter::withTypographicQuotes(text);
        QCOMPARE(reloaded.load(written), expected + Fields{QString::number(current)});
        QCOMPARE(box.messages + reloaded.messages, QStringList());
    }

    void readsWhatItCanAndKeepsACopyOfADamagedFile_data() { dataTable(QFINDTESTDATA("reading.txt")); }
    void readsWhatItCanAndKeepsACopyOfADamagedFile()
    {
        const QStringList row = dataRow();
        const QByteArray bytes
            = row[0] == "(none)" ? QByteArray() : QByteArray(row[0].toLatin1().constData(), row[0].size()); // "": empty
        const Fields fields = row[1].split(u'|');
        const QString message = row[2];
        Box box;
        box.list = listOf({"Kept", "", "", "", "", ""}, 1);
        if (message.endsWith("2.DAT."))
            box.put("earlier", "RECIPES-BACKUP-1.DAT"); // never replaced
        QCOMPARE(box.load(bytes), fields);
        QCOMPARE(box.messages.join(u'|'), message);
        QVERIFY(box.list.invariantsHold());
        const QString copy = message.section(" kept as ", 1).chopped(1);
        QCOMPARE(box.bytes(copy), copy.isEmpty() ? QByteArray("<missing>") : bytes);
        QVERIFY(!copy.endsWith("2.DAT") || box.bytes("RECIPES-BACKUP-1.DAT") == "earlier");
    }

    void failedSaveLeavesTheFileWhole_data() { dataTable(QFINDTESTDATA("failedsave.txt")); }
    void failedSaveLeavesTheFileWhole()
    {
        const QStringList row = dataRow(), arguments = row[0].split(u' ');
        const int fileMode = row[1].toInt(nullptr, 8), folderMode = row[2].toInt(nullptr, 8);
        Folder folder;
        folder.put("old");
        const QByteArray file = QFile::encodeName(folder.path()), dir = QFile::encodeName(folder.dir.path());
        QCOMPARE(::chmod(file, mode_t(fileMode)) + ::chmod(dir, mode_t(folderMode))
                     + ::chown(file, 65534, 65534) * !geteuid(),
                 0);
        QProcess child;
        child.start(QCoreApplication::applicationDirPath() + "/savechild",
                    QStringList{arguments.first(), folder.dir.path()} + arguments.mid(1));
        QVERIFY(child.waitForFinished(30000));
        ::chmod(dir, 0700);
        QCOMPARE(child.readAllStandardOutput(), row[3].toUtf8());
        ::chmod(file, 0600);
        QCOMPARE(folder.bytes() + "|" + folder.files().join(u','), "old|RECIPES.DAT");
    }

    void saveKeepsTheFilesOwnerGroupAndMode()
    {
        if (geteuid() != 0)
            QSKIP("only root can give a file to another user");
        Folder folder;
        folder.put("old");
        const QByteArray file = QFile::encodeName(folder.path());
        QCOMPARE(::chown(file, 65534, 1) + ::chmod(file, 0664), 0);
        RecipeFile::write(numbered(1, 1), folder.path());
        struct stat saved
        {
        };
        QCOMPARE(::stat(file, &saved), 0);
        QCOMPARE(saved.st_uid, uid_t(65534));
        QCOMPARE(saved.st_gid, gid_t(1));
        QCOMPARE(saved.st_mode & 07777, mode_t(0664));
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
