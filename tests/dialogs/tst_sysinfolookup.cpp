#include "FakeLauncher.h"
#include "FakeRegistry.h"
#include "MessageBox.h"
#include "ProgramLauncher.h"
#include "PromptRecorder.h"
#include "RuntimeError.h"
#include "SysInfoLookup.h"
#include "ToolRegistry.h"

#include <QtTest>

namespace {

const quint32 LocalMachine = 0x80000002;
const QString ToolKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString FolderKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString Unavailable = QStringLiteral("System Information Is Unavailable At This Time");

QByteArray dword(quint32 value)
{
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = char((value >> (8 * i)) & 0xFF);
    return bytes;
}

QByteArray nulEnded(const QByteArray &text)
{
    return text + '\0';
}

void writeFile(const QString &path, const QByteArray &bytes, QFile::Permissions permissions = {})
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    if (permissions)
        QVERIFY(file.setPermissions(permissions));
}

const QFile::Permissions Executable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

} // namespace

class TestSysInfoLookup : public QObject
{
    Q_OBJECT

private slots:
    void getKeyValueReadsByType_data();
    void getKeyValueReadsByType();
    void getKeyValueEmptiesTheTextWhenNothingIsRead_data();
    void getKeyValueEmptiesTheTextWhenNothingIsRead();
    void valueWithNoBytesIsARunTimeErrorAndTheKeyIsClosed();
    void keysAreOpenedForReadingOnly();
    void startSysInfo_data();
    void startSysInfo();
    void toolStoreAnswersTheInstalledToolsPath();
    void toolStoreWithoutAToolEndsInTheMessage();
    void toolStoreIsReadOnlyAndBehavesLikeTheRegistry();
    void fileTest_data();
    void fileTest();
    void startFailsWithoutAProgram_data();
    void startFailsWithoutAProgram();
    void startRunsTheFileItselfNeverAShell();
};

void TestSysInfoLookup::getKeyValueReadsByType_data()
{
    QTest::addColumn<quint32>("type");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    const QString before = QStringLiteral("before");
    const QByteArray path("C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe");
    QTest::newRow("string loses its terminating NUL") << Registry::REG_SZ << nulEnded(path) << QString::fromLatin1(path);
    QTest::newRow("string without a NUL keeps every byte") << Registry::REG_SZ << QByteArray("abc") << "abc";
    QTest::newRow("only the last NUL is cut") << Registry::REG_SZ << QByteArray("ab\0cd\0\0", 7)
                                              << QString::fromLatin1("ab\0cd\0", 6);
    QTest::newRow("empty string") << Registry::REG_SZ << nulEnded("") << "";
    QTest::newRow("1023 characters and a NUL fill the buffer")
        << Registry::REG_SZ << nulEnded(QByteArray(1023, 'x')) << QString(1023, u'x');
    QTest::newRow("1024 characters without a NUL fill the buffer")
        << Registry::REG_SZ << QByteArray(1024, 'y') << QString(1024, u'y');
    QTest::newRow("number") << Registry::REG_DWORD << dword(42) << "42";
    QTest::newRow("number zero") << Registry::REG_DWORD << dword(0) << "0";
    QTest::newRow("number whose top byte is zero") << Registry::REG_DWORD << dword(0x00010203) << "66051";
    QTest::newRow("number with a byte above 127 inside") << Registry::REG_DWORD << dword(0x0012FF34) << "1244980";
    QTest::newRow("number above 2^31 is unsigned") << Registry::REG_DWORD << dword(0xFFFFFFFE) << "4294967294";
    QTest::newRow("expandable string leaves the text as it was")
        << Registry::REG_EXPAND_SZ << nulEnded("%SystemRoot%\\msinfo32.exe") << before;
    QTest::newRow("binary value leaves the text as it was") << Registry::REG_BINARY << QByteArray("\x01\x02", 2) << before;
}

void TestSysInfoLookup::getKeyValueReadsByType()
{
    QFETCH(quint32, type);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);

    FakeRegistry registry;
    registry.set(ToolKey, QStringLiteral("PATH"), type, bytes);
    FakeLauncher launcher;
    SysInfoLookup lookup(registry, launcher);
    QString value = QStringLiteral("before");
    QVERIFY(lookup.GetKeyValue(LocalMachine, ToolKey, QStringLiteral("PATH"), value));
    QCOMPARE(value, text);
    QCOMPARE(registry.openKeys(), 0);
}

void TestSysInfoLookup::getKeyValueEmptiesTheTextWhenNothingIsRead_data()
{
    QTest::addColumn<quint32>("root");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("valueName");

    QTest::newRow("no such key") << LocalMachine << FolderKey << "PATH";
    QTest::newRow("no such value") << LocalMachine << ToolKey << "MSINFO";
    QTest::newRow("value over 1024 bytes") << LocalMachine << ToolKey << "Long";
    QTest::newRow("key under another root") << quint32(0x80000001) << ToolKey << "PATH";
}

void TestSysInfoLookup::getKeyValueEmptiesTheTextWhenNothingIsRead()
{
    QFETCH(quint32, root);
    QFETCH(QString, key);
    QFETCH(QString, valueName);

    FakeRegistry registry;
    registry.setString(ToolKey, QStringLiteral("PATH"), QStringLiteral("C:\\msinfo32.exe"));
    registry.set(ToolKey, QStringLiteral("Long"), Registry::REG_SZ, nulEnded(QByteArray(1024, 'z')));
    FakeLauncher launcher;
    SysInfoLookup lookup(registry, launcher);
    QString value = QStringLiteral("before");
    QVERIFY(!lookup.GetKeyValue(root, key, valueName, value));
    QCOMPARE(value, QString());
    QCOMPARE(registry.openKeys(), 0);
}

void TestSysInfoLookup::valueWithNoBytesIsARunTimeErrorAndTheKeyIsClosed()
{
    FakeRegistry registry;
    registry.set(ToolKey, QStringLiteral("PATH"), Registry::REG_SZ, QByteArray());
    FakeLauncher launcher;
    SysInfoLookup lookup(registry, launcher);
    QString value = QStringLiteral("before");
    try {
        lookup.GetKeyValue(LocalMachine, ToolKey, QStringLiteral("PATH"), value);
        QFAIL("no error raised");
    } catch (const RuntimeError &error) {
        QCOMPARE(error.number(), int(RuntimeError::InvalidProcedureCall));
    }
    QCOMPARE(value, QStringLiteral("before"));
    QCOMPARE(registry.openKeys(), 0);
}

void TestSysInfoLookup::keysAreOpenedForReadingOnly()
{
    // The fake refuses write rights as the machine-wide keys refuse an ordinary user, so the tool
    // starts only when the lookup asks for no more than reading.
    FakeRegistry registry;
    registry.setString(ToolKey, QStringLiteral("PATH"), QStringLiteral("C:\\msinfo32.exe"));
    FakeLauncher launcher;
    launcher.files << QStringLiteral("C:\\msinfo32.exe");
    PromptRecorder prompts;
    SysInfoLookup(registry, launcher).StartSysInfo(nullptr);
    QCOMPARE(launcher.started, QStringList{QStringLiteral("C:\\msinfo32.exe")});
    QVERIFY(prompts.requests().isEmpty());
    QVERIFY(!registry.accessAsked.isEmpty());
    for (quint32 access : registry.accessAsked) {
        QVERIFY(access & Registry::KEY_QUERY_VALUE);
        QCOMPARE(access & Registry::WriteRights, 0u);
    }
}

void TestSysInfoLookup::startSysInfo_data()
{
    QTest::addColumn<int>("entry1Type"); // -1: no entry 1
    QTest::addColumn<QByteArray>("entry1");
    QTest::addColumn<QString>("entry2"); // null: no entry 2
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("startsFail");
    QTest::addColumn<QStringList>("tested");
    QTest::addColumn<QStringList>("started");
    QTest::addColumn<bool>("triesEntry2");
    QTest::addColumn<bool>("message");

    const QString tool = QStringLiteral("C:\\Program Files\\MSInfo\\msinfo32.exe");
    const QByteArray toolBytes = nulEnded(tool.toLatin1());
    const QString folder = QStringLiteral("C:\\Windows\\System32");
    const QString folderTool = folder + QStringLiteral("\\MSINFO32.EXE");
    const int sz = int(Registry::REG_SZ);
    const int none = -1;

    QTest::newRow("entry 1 is started as it stands")
        << sz << toolBytes << folder << QStringList{tool, folderTool} << false
        << QStringList() << QStringList{tool} << false << false;
    QTest::newRow("entry 1 names a missing file: the start fails, entry 2 is not tried")
        << sz << toolBytes << folder << QStringList{folderTool} << false
        << QStringList() << QStringList{tool} << false << true;
    QTest::newRow("entry 1 start fails")
        << sz << toolBytes << QString() << QStringList{tool} << true
        << QStringList() << QStringList{tool} << false << true;
    QTest::newRow("entry 1 expandable string: empty path fails, entry 2 is not tried")
        << int(Registry::REG_EXPAND_SZ) << toolBytes << folder << QStringList{tool, folderTool} << false
        << QStringList() << QStringList{QString()} << false << true;
    QTest::newRow("entry 1 with no bytes is an error: message, entry 2 is not tried")
        << sz << QByteArray() << folder << QStringList{folderTool} << false
        << QStringList() << QStringList() << false << true;
    QTest::newRow("entry 1 over 1024 bytes counts as absent")
        << sz << nulEnded(QByteArray(1100, 'a')) << folder << QStringList{folderTool} << false
        << QStringList{folderTool} << QStringList{folderTool} << true << false;
    QTest::newRow("entry 1 absent, entry 2 folder holds the tool")
        << none << QByteArray() << folder << QStringList{folderTool} << false
        << QStringList{folderTool} << QStringList{folderTool} << true << false;
    QTest::newRow("entry 1 absent, entry 2 folder without the tool")
        << none << QByteArray() << folder << QStringList{tool} << false
        << QStringList{folderTool} << QStringList() << true << true;
    QTest::newRow("entry 1 absent, entry 2 tool start fails")
        << none << QByteArray() << folder << QStringList{folderTool} << true
        << QStringList{folderTool} << QStringList{folderTool} << true << true;
    QTest::newRow("no entries")
        << none << QByteArray() << QString() << QStringList{tool, folderTool} << false
        << QStringList() << QStringList() << true << true;
}

void TestSysInfoLookup::startSysInfo()
{
    QFETCH(int, entry1Type);
    QFETCH(QByteArray, entry1);
    QFETCH(QString, entry2);
    QFETCH(QStringList, files);
    QFETCH(bool, startsFail);
    QFETCH(QStringList, tested);
    QFETCH(QStringList, started);
    QFETCH(bool, triesEntry2);
    QFETCH(bool, message);

    FakeRegistry registry;
    if (entry1Type >= 0)
        registry.set(ToolKey, QStringLiteral("PATH"), quint32(entry1Type), entry1);
    if (!entry2.isNull())
        registry.setString(FolderKey, QStringLiteral("MSINFO"), entry2);
    FakeLauncher launcher;
    launcher.files = QSet<QString>(files.begin(), files.end());
    launcher.startsFail = startsFail;
    PromptRecorder prompts;

    SysInfoLookup(registry, launcher).StartSysInfo(nullptr);

    QCOMPARE(launcher.tested, tested);
    QCOMPARE(launcher.started, started);
    QCOMPARE(registry.keysAsked.contains(FolderKey.toLower()), triesEntry2);
    QCOMPARE(registry.openKeys(), 0);
    QCOMPARE(prompts.requests().size(), message ? 1 : 0);
    if (message) {
        const MessageBox::Request &box = prompts.requests().first();
        QCOMPARE(box.text, Unavailable);
        QCOMPARE(box.caption, QString()); // the program's title
        QCOMPARE(box.buttons, int(MessageBox::Ok));
        QCOMPARE(box.icon, MessageBox::NoIcon);
    }
}

void TestSysInfoLookup::toolStoreAnswersTheInstalledToolsPath()
{
    QTemporaryDir bin;
    writeFile(bin.filePath("kinfocenter"), "#!/bin/sh\n", Executable);
    writeFile(bin.filePath("hardinfo"), "#!/bin/sh\n", Executable);
    ToolRegistry registry({bin.path()});
    FakeLauncher launcher;
    launcher.files << bin.filePath("hardinfo");
    PromptRecorder prompts;
    SysInfoLookup lookup(registry, launcher);

    QString folder = QStringLiteral("before");
    QVERIFY(!lookup.GetKeyValue(LocalMachine, FolderKey, QStringLiteral("MSINFO"), folder));
    lookup.StartSysInfo(nullptr);
    QCOMPARE(launcher.started, QStringList{bin.filePath("hardinfo")});
    QVERIFY(prompts.requests().isEmpty());
}

void TestSysInfoLookup::toolStoreWithoutAToolEndsInTheMessage()
{
    QTemporaryDir bin;
    writeFile(bin.filePath("msinfo32"), "#!/bin/sh\n", Executable);
    ToolRegistry registry({bin.path()});
    FakeLauncher launcher;
    PromptRecorder prompts;
    SysInfoLookup(registry, launcher).StartSysInfo(nullptr);
    QVERIFY(launcher.started.isEmpty());
    QCOMPARE(prompts.texts(), QStringList{Unavailable});
}

void TestSysInfoLookup::toolStoreIsReadOnlyAndBehavesLikeTheRegistry()
{
    QTemporaryDir bin;
    writeFile(bin.filePath("hardinfo"), "#!/bin/sh\n", Executable);
    ToolRegistry registry({bin.path()});
    const QByteArray key = ToolKey.toLatin1();
    Registry::Key handle = 0;

    // Asking to change the machine's keys is refused, so full access would never find the tool.
    QCOMPARE(registry.openKey(LocalMachine, key, 0, Registry::KEY_ALL_ACCESS, &handle), Registry::ERROR_ACCESS_DENIED);
    QCOMPARE(registry.openKey(LocalMachine, FolderKey.toLatin1(), 0, Registry::KEY_READ, &handle),
             Registry::ERROR_FILE_NOT_FOUND);
    QCOMPARE(registry.openKey(LocalMachine, key.toLower(), 0, Registry::KEY_READ, &handle), Registry::ERROR_SUCCESS);

    const QByteArray expected = bin.filePath("hardinfo").toLocal8Bit() + '\0';
    quint32 type = 0;
    char small[4] = {};
    quint32 size = sizeof small;
    QCOMPARE(registry.queryValue(handle, "PATH", &type, small, &size), Registry::ERROR_MORE_DATA);
    QCOMPARE(size, quint32(expected.size()));
    QByteArray buffer(1024, '\0');
    size = 1024;
    QCOMPARE(registry.queryValue(handle, "path", &type, buffer.data(), &size), Registry::ERROR_SUCCESS);
    QCOMPARE(type, Registry::REG_SZ);
    QCOMPARE(buffer.left(size), expected);
    size = 1024;
    QCOMPARE(registry.queryValue(handle, "MSINFO", &type, buffer.data(), &size), Registry::ERROR_FILE_NOT_FOUND);

    QCOMPARE(registry.closeKey(handle), Registry::ERROR_SUCCESS);
    QCOMPARE(registry.closeKey(handle), Registry::ERROR_INVALID_HANDLE);
    size = 1024;
    QCOMPARE(registry.queryValue(handle, "PATH", &type, buffer.data(), &size), Registry::ERROR_INVALID_HANDLE);
}

void TestSysInfoLookup::fileTest_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("present");
    QTest::newRow("plain file") << "MSINFO32.EXE" << true;
    QTest::newRow("hidden file") << ".MSINFO32.EXE" << false;
    QTest::newRow("folder") << "folder" << false;
    QTest::newRow("missing file") << "missing.exe" << false;
    QTest::newRow("empty name") << "" << false;
}

void TestSysInfoLookup::fileTest()
{
    QFETCH(QString, name);
    QFETCH(bool, present);
    QTemporaryDir dir;
    writeFile(dir.filePath("MSINFO32.EXE"), "x");
    writeFile(dir.filePath(".MSINFO32.EXE"), "x");
    QVERIFY(QDir(dir.path()).mkdir("folder"));
    QCOMPARE(ProgramLauncher::system().isPresent(name.isEmpty() ? QString() : dir.filePath(name)), present);
}

void TestSysInfoLookup::startFailsWithoutAProgram_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty path") << "";
    QTest::newRow("no such file") << "missing";
    QTest::newRow("not a program") << "notes.txt";
    QTest::newRow("a folder") << "folder";
}

void TestSysInfoLookup::startFailsWithoutAProgram()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    writeFile(dir.filePath("notes.txt"), "plain text\n");
    QVERIFY(QDir(dir.path()).mkdir("folder"));
    QVERIFY(!ProgramLauncher::system().startDetached(name.isEmpty() ? QString() : dir.filePath(name)));
}

void TestSysInfoLookup::startRunsTheFileItselfNeverAShell()
{
    QTemporaryDir dir;
    struct CurrentFolder
    {
        QString previous = QDir::currentPath();
        ~CurrentFolder() { QDir::setCurrent(previous); }
    } restore;
    QVERIFY(QDir::setCurrent(dir.path()));
    // Through a shell this name would run "tool" and then "touch injected" in the current folder.
    const QString program = dir.filePath(QStringLiteral("tool; touch injected"));
    writeFile(program, "#!/bin/sh\ntouch \"$(dirname \"$0\")/ran\"\n", Executable);
    const bool started = ProgramLauncher::system().startDetached(program);
    QVERIFY(started);
    QTRY_VERIFY(QFile::exists(dir.filePath("ran")));
    QVERIFY(!QFile::exists(dir.filePath("injected")));
}

QTEST_MAIN(TestSysInfoLookup)
#include "tst_sysinfolookup.moc"
