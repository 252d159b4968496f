#include "FakeLauncher.h"
#include "FakeRegistry.h"
#include "ProgramLauncher.h"
#include "PromptRecorder.h"
#include "SysInfoLookup.h"
#include "ToolRegistry.h"

#include <QtTest>

namespace {

const quint32 LocalMachine = 0x80000002;
const QString ToolKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString FolderKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString Unavailable = QStringLiteral("System Information Is Unavailable At This Time");

void writeFile(const QString &path, const QByteArray &bytes, bool executable = false)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    if (executable)
        QVERIFY(file.setPermissions(file.permissions() | QFile::ExeOwner));
}

} // namespace

class TestSysInfoLookup : public QObject
{
    Q_OBJECT

private slots:
    void getKeyValue_data();
    void getKeyValue();
    void startSysInfo_data();
    void startSysInfo();
    void toolStoreAnswersEntry1WithTheInstalledTool_data();
    void toolStoreAnswersEntry1WithTheInstalledTool();
    void toolStoreIsReadOnlyAndGuardsTheBuffer();
    void systemLauncher_data();
    void systemLauncher();
    void startRunsTheFileItselfNeverAShell();
};

void TestSysInfoLookup::getKeyValue_data()
{
    QTest::addColumn<QString>("key"); // where the value is stored; the lookup reads ToolKey's "PATH"
    QTest::addColumn<QString>("name");
    QTest::addColumn<quint32>("type");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("read");
    QTest::addColumn<QString>("text"); // the text was "before"

    auto row = [](const char *what, quint32 type, const QByteArray &bytes, bool read, const QString &text,
                  const QString &key = ToolKey, const QString &name = QStringLiteral("PATH")) {
        QTest::newRow(what) << key << name << type << bytes << read << text;
    };
    const quint32 sz = Registry::REG_SZ;
    row("string loses its terminating NUL", sz, QByteArray("C:\\MSInfo\\msinfo32.exe\0", 23), true,
        "C:\\MSInfo\\msinfo32.exe");
    row("string without a NUL keeps every byte", sz, "abc", true, "abc");
    row("only the last NUL is cut", sz, QByteArray("ab\0cd\0\0", 7), true, QString::fromLatin1("ab\0cd\0", 6));
    row("1024 bytes fill the buffer", sz, QByteArray(1024, 'y'), true, QString(1024, u'y'));
    row("number in decimal, low byte first", Registry::REG_DWORD, QByteArray::fromHex("34ff1200"), true, "1244980");
    row("number above 2^31 is unsigned", Registry::REG_DWORD, QByteArray::fromHex("feffffff"), true, "4294967294");
    row("expandable string leaves the text", Registry::REG_EXPAND_SZ, "%SystemRoot%\\msinfo32.exe", true, "before");
    row("binary value leaves the text", Registry::REG_BINARY, "\x01\x02", true, "before");
    row("no such value empties the text", sz, "x", false, "", ToolKey, "MSINFO");
    row("no such key empties the text", sz, "x", false, "", FolderKey);
}

void TestSysInfoLookup::getKeyValue()
{
    QFETCH(QString, key);
    QFETCH(QString, name);
    QFETCH(quint32, type);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, read);
    QFETCH(QString, text);

    FakeRegistry registry;
    registry.set(key, name, type, bytes);
    FakeLauncher launcher;
    QString value = QStringLiteral("before");
    QCOMPARE(SysInfoLookup(registry, launcher).GetKeyValue(LocalMachine, ToolKey, QStringLiteral("PATH"), value), read);
    QCOMPARE(value, text);
    QCOMPARE(registry.openKeys(), 0);
}

void TestSysInfoLookup::startSysInfo_data()
{
    QTest::addColumn<int>("entry1Type"); // -1: no entry 1
    QTest::addColumn<QByteArray>("entry1");
    QTest::addColumn<QString>("entry2"); // null: no entry 2
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("startsFail");
    QTest::addColumn<QStringList>("events"); // file tests, starts and messages

    const QString tool = QStringLiteral("C:\\Program Files\\MSInfo\\msinfo32.exe");
    const QString folder = QStringLiteral("C:\\Windows\\System32");
    const QString folderTool = folder + QStringLiteral("\\MSINFO32.EXE");
    const QString startTool = "start " + tool, testFolderTool = "test " + folderTool, startFolderTool = "start " + folderTool;
    const QStringList both{tool, folderTool};
    auto row = [](const char *what, int type, const QByteArray &entry1, const QString &entry2, const QStringList &files,
                  bool startsFail, const QStringList &events) {
        QTest::newRow(what) << type << entry1 << entry2 << files << startsFail << events;
    };
    const int sz = int(Registry::REG_SZ), none = -1;
    const QByteArray toolBytes = tool.toLatin1() + '\0';

    // Wherever entry 2 is not to be tried its folder holds the tool, so trying it would show.
    row("entry 1 is started as it stands by a user who may only read the keys", sz, toolBytes, folder, both, false,
        {startTool});
    row("entry 1 names a missing file: the start fails, entry 2 is not tried", sz, toolBytes, folder, {folderTool},
        false, {startTool, Unavailable});
    row("entry 1 fails to start: entry 2 is not tried", sz, toolBytes, folder, both, true, {startTool, Unavailable});
    row("entry 1 expandable: its empty path fails to start", int(Registry::REG_EXPAND_SZ), toolBytes, folder, both,
        false, {"start ", Unavailable});
    row("entry 1 with no bytes is an error: entry 2 is not tried", sz, "", folder, both, false, {Unavailable});
    row("entry 1 over 1024 bytes counts as absent", sz, QByteArray(1024, 'a') + '\0', folder, both, false,
        {testFolderTool, startFolderTool});
    row("entry 1 absent, entry 2's folder holds the tool", none, {}, folder, both, false,
        {testFolderTool, startFolderTool});
    row("entry 1 absent, entry 2's folder lacks the tool", none, {}, folder, {tool}, false, {testFolderTool, Unavailable});
    row("entry 1 absent, the tool in entry 2's folder fails to start", none, {}, folder, both, true,
        {testFolderTool, startFolderTool, Unavailable});
    row("no entries", none, {}, QString(), both, false, {Unavailable});
}

void TestSysInfoLookup::startSysInfo()
{
    QFETCH(int, entry1Type);
    QFETCH(QByteArray, entry1);
    QFETCH(QString, entry2);
    QFETCH(QStringList, files);
    QFETCH(bool, startsFail);
    QFETCH(QStringList, events);

    FakeRegistry registry;
    if (entry1Type >= 0)
        registry.set(ToolKey, QStringLiteral("PATH"), quint32(entry1Type), entry1);
    if (!entry2.isNull())
        registry.set(FolderKey, QStringLiteral("MSINFO"), Registry::REG_SZ, entry2.toLatin1() + '\0');
    FakeLauncher launcher;
    launcher.files = QSet<QString>(files.begin(), files.end());
    launcher.startsFail = startsFail;
    PromptRecorder prompts;

    SysInfoLookup(registry, launcher).StartSysInfo(nullptr);

    QCOMPARE(launcher.log + prompts.texts(), events);
    QCOMPARE(registry.openKeys(), 0);
    for (quint32 access : registry.accessAsked)
        QCOMPARE(access & (Registry::WriteRights | Registry::KEY_QUERY_VALUE), Registry::KEY_QUERY_VALUE);
    for (const MessageBox::Request &box : prompts.requests()) {
        QCOMPARE(box.caption, QString()); // the program's title
        QCOMPARE(box.icon, MessageBox::NoIcon);
    }
}

void TestSysInfoLookup::toolStoreAnswersEntry1WithTheInstalledTool_data()
{
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("started"); // empty: the message
    QTest::newRow("hardinfo before kinfocenter") << QStringList{"kinfocenter", "hardinfo"} << "hardinfo";
    QTest::newRow("no tool of the desktop's: the message") << QStringList{"msinfo32"} << "";
}

void TestSysInfoLookup::toolStoreAnswersEntry1WithTheInstalledTool()
{
    QFETCH(QStringList, installed);
    QFETCH(QString, started);

    QTemporaryDir bin;
    FakeLauncher launcher;
    for (const QString &name : installed) {
        writeFile(bin.filePath(name), "#!/bin/sh\n", true);
        launcher.files << bin.filePath(name);
    }
    ToolRegistry registry({bin.path()});
    PromptRecorder prompts;
    SysInfoLookup(registry, launcher).StartSysInfo(nullptr);
    // Without entry 2 nothing is tested.
    QCOMPARE(launcher.log + prompts.texts(),
             started.isEmpty() ? QStringList{Unavailable} : QStringList{"start " + bin.filePath(started)});
}

void TestSysInfoLookup::toolStoreIsReadOnlyAndGuardsTheBuffer()
{
    QTemporaryDir bin;
    writeFile(bin.filePath("hardinfo"), "#!/bin/sh\n", true);
    ToolRegistry registry({bin.path()});
    Registry::Key key = 0;
    QCOMPARE(registry.openKey(LocalMachine, ToolKey.toLatin1(), 0, Registry::KEY_ALL_ACCESS, &key),
             Registry::ERROR_ACCESS_DENIED);
    QCOMPARE(registry.openKey(LocalMachine, ToolKey.toLatin1(), 0, Registry::KEY_READ, &key), Registry::ERROR_SUCCESS);
    quint32 type = 0, size = 4;
    char small[4] = {};
    QCOMPARE(registry.queryValue(key, "PATH", &type, small, &size), Registry::ERROR_MORE_DATA);
}

void TestSysInfoLookup::systemLauncher_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("present");
    QTest::newRow("plain file is present but no program") << "MSINFO32.EXE" << true;
    QTest::newRow("hidden file is not present") << ".MSINFO32.EXE" << false;
    QTest::newRow("folder is not present") << "folder" << false;
    QTest::newRow("missing file") << "missing.exe" << false;
}

void TestSysInfoLookup::systemLauncher()
{
    QFETCH(QString, name);
    QFETCH(bool, present);
    QTemporaryDir dir;
    writeFile(dir.filePath("MSINFO32.EXE"), "x");
    writeFile(dir.filePath(".MSINFO32.EXE"), "x");
    QVERIFY(QDir(dir.path()).mkdir("folder"));
    QCOMPARE(ProgramLauncher::system().isPresent(dir.filePath(name)), present);
    QVERIFY(!ProgramLauncher::system().startDetached(dir.filePath(name)));
}

void TestSysInfoLookup::startRunsTheFileItselfNeverAShell()
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    // Through a shell this name would run "tool" and then "touch injected" in the current folder.
    const QString program = dir.filePath(QStringLiteral("tool; touch injected"));
    writeFile(program, "#!/bin/sh\ntouch \"$(dirname \"$0\")/ran\"\n", true);
    const bool started = ProgramLauncher::system().startDetached(program);
    QDir::setCurrent(previous);
    QVERIFY(started);
    QTRY_VERIFY(QFile::exists(dir.filePath("ran")));
    QVERIFY(!QFile::exists(dir.filePath("injected")));
}

QTEST_MAIN(TestSysInfoLookup)
#include "tst_sysinfolookup.moc"
