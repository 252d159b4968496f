#include "FakeLauncher.h"
#include "FakeRegistry.h"
#include "PromptRecorder.h"
#include "SysInfoLookup.h"
#include "ToolRegistry.h"
#include "WindowFixture.h"
#include "frmAbout.h"

#include <QtTest>
#include <QtWidgets>

namespace {

const QString ToolKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString FolderKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString Unavailable = QStringLiteral("System Information Is Unavailable At This Time");

void writeFile(const QString &path, const QByteArray &bytes, bool executable = false)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    QVERIFY(!executable || file.setPermissions(file.permissions() | QFile::ExeOwner));
}


const QString AboutTool = QStringLiteral("/opt/sysinfo");

// An About box on view and active, over a registry that names the tool.
struct About
{
    explicit About(bool installed = true)
    {
        registry.set("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", Registry::REG_SZ, AboutTool.toLatin1() + '\0');
        if (installed)
            launcher.files << AboutTool;
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
    }
    FakeRegistry registry;
    FakeLauncher launcher;
    frmAbout dialog{nullptr, registry, launcher};
};

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void aboutBoxStandsWhereItsLayoutPutsIt()
    {
        About about;
        QStringList seen{about.dialog.windowTitle(), QString::number(about.dialog.minimumSize() == about.dialog.maximumSize())};
        const QRect client = about.dialog.geometry();
        seen << QStringLiteral("%1,%2 %3x%4").arg(client.x()).arg(client.y()).arg(client.width()).arg(client.height());
        for (const char *name : {"Image1", "lblTitle", "lblVersion", "lblDescription", "lblDisclaimer", "cmdOK", "cmdSysInfo"}) {
            auto *control = about.dialog.findChild<QWidget *>(name);
            const QRect r = control->geometry();
            seen << QStringLiteral("%1 %2,%3 %4x%5 %6").arg(name).arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height())
                        .arg(name[0] == 'l' && name[3] == 'D' ? QString() : control->property("text").toString());
        }
        QCOMPARE(seen, QStringList({"About Larderly", "1", "156,129 382x237", "Image1 0,0 160x150 ", "lblTitle 256,16 115x24 Larderly",
                                    "lblVersion 256,40 123x15 Version 1.0.0", "lblDescription 160,64 219x78 ",
                                    "lblDisclaimer 17,175 258x55 ", "cmdOK 283,175 84x23 OK",
                                    "cmdSysInfo 284,205 83x23 &System Info..."}));
        QCOMPARE(about.dialog.findChild<QLabel *>("lblDescription")->text(),
                 "Larderly - Store your recipes in an easy to access file system. Compliments of Kettlebay");
        QVERIFY(!(about.dialog.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    }

    void keysCloseTheBoxOrStartTheTool_data()
    {
        QTest::addColumn<QList<QKeyCombination>>("keys"); // from where the focus starts
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QStringList>("events");
        const QKeyCombination tab(Qt::Key_Tab), enter(Qt::Key_Return), esc(Qt::Key_Escape), space(Qt::Key_Space);
        const QStringList starts{"start " + AboutTool};
        QTest::newRow("Enter on OK closes") << QList{enter} << true << true << QStringList();
        QTest::newRow("Esc on System Info closes") << QList{tab, esc} << true << true << QStringList();
        QTest::newRow("Enter on System Info starts the tool") << QList{tab, enter} << true << false << starts;
        QTest::newRow("Tab comes back to OK") << QList{tab, tab, space} << true << true << QStringList();
        QTest::newRow("Alt+S starts the tool") << QList{Qt::AltModifier | Qt::Key_S} << true << false << starts;
        QTest::newRow("without the tool: the message, and the box stays open")
            << QList{tab, space} << false << false << starts + QStringList{"System Information Is Unavailable At This Time"};
    }
    void keysCloseTheBoxOrStartTheTool()
    {
        QFETCH(QList<QKeyCombination>, keys);
        QFETCH(bool, installed);
        QFETCH(bool, closes);
        QFETCH(QStringList, events);
        About about(installed);
        PromptRecorder prompts;
        QTRY_COMPARE(QApplication::focusWidget(), about.dialog.findChild<QWidget *>("cmdOK"));
        for (const QKeyCombination key : keys)
            QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        QTRY_COMPARE(about.dialog.isVisible(), !closes);
        QTRY_COMPARE(about.launcher.log + prompts.texts(), events); // a mnemonic clicks after a moment
    }

    void helpAboutOpensAFreshModalBoxOwnedByTheMainWindow()
    {
        WindowFixture w;
        QStringList openings;
        QList<QPointer<QWidget>> boxes;
        for (int opening = 1; opening <= 2; ++opening) {
            onModal([&](QWidget *box) {
                boxes << box;
                openings << box->windowTitle() + "|" + box->findChild<QLabel *>("lblVersion")->text() + "|"
                                + QString::number(box->parentWidget() == w.window.get());
                QTest::keyClick(box, Qt::Key_Escape);
            });
            w.child<QAction>("mnuHelpAbout")->trigger(); // returns once the box is answered
            QCOMPARE(openings.size(), opening);
            QVERIFY(boxes.last().isNull()); // closing destroyed it
        }
        QCOMPARE(openings, QStringList(2, "About Larderly|Version 1.0.0|1"));
    }

    void messageBoxesShowTheirTextAsPlainText_data()
    {
        QTest::addColumn<bool>("question");
        QTest::addColumn<int>("defaultButton");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("seen");
        QTest::newRow("a message with OK alone") << false << int(MessageBox::Ok) << int(Qt::Key_Return) << "Larderly|<b>Fish & chips</b>|OK|OK";
        QTest::newRow("a question, Yes by default") << true << int(MessageBox::Yes) << int(Qt::Key_Return) << "Larderly|<b>Fish & chips</b>|No Yes|Yes";
        QTest::newRow("a question, No by default") << true << int(MessageBox::No) << int(Qt::Key_Return) << "Larderly|<b>Fish & chips</b>|No Yes|No";
        QTest::newRow("Esc answers No") << true << int(MessageBox::Yes) << int(Qt::Key_Escape) << "Larderly|<b>Fish & chips</b>|No Yes|No";
    }
    void messageBoxesShowTheirTextAsPlainText()
    {
        QFETCH(bool, question);
        QFETCH(int, defaultButton);
        QFETCH(int, key);
        QFETCH(QString, seen);
        QString shown;
        onModal([&](QWidget *window) {
            auto *box = qobject_cast<QMessageBox *>(window);
            QStringList buttons;
            for (QAbstractButton *button : box->buttons())
                buttons << button->text().remove(u'&');
            buttons.sort(Qt::CaseInsensitive);
            shown = box->windowTitle() + "|" + box->findChild<QLabel *>("qt_msgbox_label")->text() + "|" + buttons.join(u' ');
            QVERIFY(box->textFormat() == Qt::PlainText && box->icon() == QMessageBox::NoIcon);
            QTest::keyClick(box, Qt::Key(key));
        });
        const QString text = QStringLiteral("<b>Fish & chips</b>");
        const MessageBox::Button answer = question ? (MessageBox::askYesNo(nullptr, text, MessageBox::Button(defaultButton)) ? MessageBox::Yes : MessageBox::No)
                                                   : (MessageBox::message(nullptr, text), MessageBox::Ok);
        QCOMPARE(shown + "|" + (answer == MessageBox::Ok ? "OK" : answer == MessageBox::Yes ? "Yes" : "No"), seen);
    }

    void getKeyValueReadsStringsAndNumbers_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        QTest::addColumn<quint32>("type");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("read");
        QTest::addColumn<QString>("text"); // it held "before"
        const auto row = [](const char *what, quint32 type, const QByteArray &bytes, bool read, const QString &text,
                            const QString &key = ToolKey, const QString &name = "PATH") {
            QTest::newRow(what) << key << name << type << bytes << read << text;
        };
        row("string loses its terminating NUL", Registry::REG_SZ, QByteArray("C:\\msinfo32.exe\0", 16), true, "C:\\msinfo32.exe");
        row("string without a NUL keeps every byte", Registry::REG_SZ, "abc", true, "abc");
        row("only the last NUL is cut", Registry::REG_SZ, QByteArray("ab\0cd\0\0", 7), true, QString::fromLatin1("ab\0cd\0", 6));
        row("1024 bytes fill the buffer", Registry::REG_SZ, QByteArray(1024, 'y'), true, QString(1024, u'y'));
        row("number in decimal, low byte first", Registry::REG_DWORD, QByteArray::fromHex("34ff1200"), true, "1244980");
        row("number above 2^31 is unsigned", Registry::REG_DWORD, QByteArray::fromHex("feffffff"), true, "4294967294");
        row("expandable string leaves the text", Registry::REG_EXPAND_SZ, "%SystemRoot%", true, "before");
        row("no such value empties the text", Registry::REG_SZ, "x", false, "", ToolKey, "MSINFO");
        row("no such key empties the text", Registry::REG_SZ, "x", false, "", FolderKey);
    }
    void getKeyValueReadsStringsAndNumbers()
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
        QCOMPARE(SysInfoLookup(registry, launcher).GetKeyValue(Registry::HKEY_LOCAL_MACHINE, ToolKey, "PATH", value), read);
        QCOMPARE(value, text);
        QVERIFY(registry.open.isEmpty()); // every key closed
    }

    void startSysInfoTriesBothEntriesInOrder_data()
    {
        QTest::addColumn<int>("entry1Type"); // -1: no entry 1
        QTest::addColumn<QByteArray>("entry1");
        QTest::addColumn<bool>("entry2");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("startsFail");
        QTest::addColumn<QStringList>("events"); // file tests, starts and messages
        const QString tool = QStringLiteral("C:\\Program Files\\MSInfo\\msinfo32.exe");
        const QString inFolder = QStringLiteral("C:\\Windows\\System32\\MSINFO32.EXE");
        const QByteArray path = tool.toLatin1() + '\0';
        const QStringList both{tool, inFolder};
        const QStringList viaFolder{"test " + inFolder, "start " + inFolder};
        const auto row = [](const char *what, int type, const QByteArray &entry1, bool entry2, const QStringList &files,
                            bool startsFail, const QStringList &events) {
            QTest::newRow(what) << type << entry1 << entry2 << files << startsFail << events;
        };
        const int sz = int(Registry::REG_SZ);
        // Where entry 2 must not be tried its folder holds the tool, so trying it would show.
        row("entry 1 is started as it stands by a user who may only read", sz, path, true, both, false, {"start " + tool});
        row("entry 1 names a missing file: entry 2 is not tried", sz, path, true, {inFolder}, false, {"start " + tool, Unavailable});
        row("entry 1 fails to start: entry 2 is not tried", sz, path, true, both, true, {"start " + tool, Unavailable});
        row("entry 1 expandable: its empty path fails", int(Registry::REG_EXPAND_SZ), path, true, both, false, {"start ", Unavailable});
        row("entry 1 with no bytes is an error", sz, "", true, both, false, {Unavailable});
        row("entry 1 over 1024 bytes counts as absent", sz, QByteArray(1024, 'a') + '\0', true, both, false, viaFolder);
        row("entry 2's folder holds the tool", -1, {}, true, both, false, viaFolder);
        row("entry 2's folder lacks the tool", -1, {}, true, {tool}, false, {viaFolder.first(), Unavailable});
        row("the tool in entry 2's folder fails to start", -1, {}, true, both, true, viaFolder + QStringList{Unavailable});
        row("no entries", -1, {}, false, both, false, {Unavailable});
    }
    void startSysInfoTriesBothEntriesInOrder()
    {
        QFETCH(int, entry1Type);
        QFETCH(QByteArray, entry1);
        QFETCH(bool, entry2);
        QFETCH(QStringList, files);
        QFETCH(bool, startsFail);
        QFETCH(QStringList, events);
        FakeRegistry registry;
        if (entry1Type >= 0)
            registry.set(ToolKey, "PATH", quint32(entry1Type), entry1);
        if (entry2)
            registry.set(FolderKey, "MSINFO", Registry::REG_SZ, QByteArray("C:\\Windows\\System32\0", 20));
        FakeLauncher launcher;
        launcher.files = QSet<QString>(files.begin(), files.end());
        launcher.startsFail = startsFail;
        PromptRecorder prompts;
        SysInfoLookup(registry, launcher).StartSysInfo(nullptr);
        QCOMPARE(launcher.log + prompts.texts(), events);
        QVERIFY(registry.open.isEmpty()); // every key closed
        for (quint32 access : registry.accessAsked)
            QCOMPARE(access & (Registry::WriteRights | Registry::KEY_QUERY_VALUE), Registry::KEY_QUERY_VALUE);
        for (const MessageBox::Request &box : prompts.requests)
            QVERIFY(box.caption.isEmpty() && box.icon == MessageBox::NoIcon && box.buttons == MessageBox::Ok);
    }

    void desktopToolStandsInForEntry1_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("started"); // empty: the message
        QTest::newRow("hardinfo before kinfocenter") << QStringList{"kinfocenter", "hardinfo"} << "hardinfo";
        QTest::newRow("kinfocenter alone") << QStringList{"kinfocenter"} << "kinfocenter";
        QTest::newRow("no tool of the desktop's") << QStringList{"msinfo32"} << "";
    }
    void desktopToolStandsInForEntry1()
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
        QCOMPARE(launcher.log + prompts.texts(), started.isEmpty() ? QStringList{Unavailable} : QStringList{"start " + bin.filePath(started)});
        Registry::Key key = 0;
        if (!started.isEmpty()) { // read-only, and a short buffer is refused
            QCOMPARE(registry.openKey(Registry::HKEY_LOCAL_MACHINE, ToolKey.toLatin1(), 0, Registry::KEY_ALL_ACCESS, &key),
                     Registry::ERROR_ACCESS_DENIED);
            QCOMPARE(registry.openKey(Registry::HKEY_LOCAL_MACHINE, ToolKey.toLatin1(), 0, Registry::KEY_READ, &key),
                     Registry::ERROR_SUCCESS);
            quint32 type = 0, size = 4;
            char small[4] = {};
            QCOMPARE(registry.queryValue(key, "PATH", &type, small, &size), Registry::ERROR_MORE_DATA);
            QCOMPARE(registry.closeKey(key), Registry::ERROR_SUCCESS);
        }
    }

    void launcherTestsFilesAndStartsThemWithoutAShell()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("MSINFO32.EXE"), "x");
        writeFile(dir.filePath(".MSINFO32.EXE"), "x");
        QVERIFY(QDir(dir.path()).mkdir("folder"));
        ProgramLauncher &launcher = ProgramLauncher::system();
        QString present;
        for (const char *name : {"MSINFO32.EXE", ".MSINFO32.EXE", "folder", "missing"})
            present += launcher.isPresent(dir.filePath(name)) ? '1' : '0';
        QCOMPARE(present, "1000"); // hidden files and folders do not count
        QVERIFY(!launcher.startDetached(dir.filePath("MSINFO32.EXE")) && !launcher.startDetached(QString()));
        // Through a shell this name would run "tool" and then "touch injected" in the current folder.
        const QString program = dir.filePath(QStringLiteral("tool; touch injected"));
        writeFile(program, "#!/bin/sh\ntouch \"$(dirname \"$0\")/ran\"\n", true);
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        const bool started = launcher.startDetached(program);
        QDir::setCurrent(previous);
        QVERIFY(started);
        QTRY_VERIFY(QFile::exists(dir.filePath("ran")));
        QVERIFY(!QFile::exists(dir.filePath("injected")));
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
