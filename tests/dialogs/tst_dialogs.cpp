#include "SysInfoLookup.h"
#include "Testing.h"
#include "ToolRegistry.h"
#include "frmAbout.h"

namespace {

const QString ToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const QString Unavailable = "System Information Is Unavailable At This Time";

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    QVERIFY(file.setPermissions(file.permissions() | QFile::ExeOwner));
}

QString place(const QWidget *c)
{
    return QStringLiteral("%1 %2,%3 %4x%5").arg(c->objectName()).arg(c->x()).arg(c->y()).arg(c->width()).arg(c->height());
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void aboutBoxStandsWhereItsLayoutPutsIt()
    {
        FakeRegistry registry;
        FakeLauncher launcher;
        frmAbout about(nullptr, registry, launcher);
        QStringList seen{about.windowTitle() + " " + place(&about).section(u' ', 1) + (about.minimumSize() == about.maximumSize() ? " fixed" : "")};
        for (const char *name : {"Image1", "lblTitle", "lblVersion", "lblDescription", "lblDisclaimer", "cmdOK", "cmdSysInfo"})
            seen << place(about.findChild<QWidget *>(name)) + " " + about.findChild<QWidget *>(name)->property("text").toString().left(30);
        QCOMPARE(seen, QStringList({"About Larderly 156,129 382x237 fixed", "Image1 0,0 160x150 ", "lblTitle 256,16 115x24 Larderly",
            "lblVersion 256,40 123x15 Version 1.0.0", "lblDescription 160,64 219x78 Larderly - Store your recipes ",
            "lblDisclaimer 17,175 258x55 Warning: this program is prote", "cmdOK 283,175 84x23 OK", "cmdSysInfo 284,205 83x23 &System Info..."}));
        QCOMPARE(about.findChild<QLabel *>("lblDescription")->text().mid(30), "in an easy to access file system. Compliments of Kettlebay");
        QVERIFY(!(about.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    }

    void aboutKeysCloseTheBoxOrStartTheTool_data()
    {
        QTest::addColumn<QList<QKeyCombination>>("keys"); // from OK, where the focus starts
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("after");
        const QKeyCombination tab(Qt::Key_Tab), enter(Qt::Key_Return), esc(Qt::Key_Escape), space(Qt::Key_Space);
        QTest::newRow("Enter on OK closes") << QList{enter} << true << "closed";
        QTest::newRow("Esc on System Info closes") << QList{tab, esc} << true << "closed";
        QTest::newRow("Enter on System Info starts the tool") << QList{tab, enter} << true << "open, start /opt/sysinfo";
        QTest::newRow("Space on System Info starts the tool") << QList{tab, space} << true << "open, start /opt/sysinfo";
        QTest::newRow("Tab comes back to OK") << QList{tab, tab, space} << true << "closed";
        QTest::newRow("Alt+S starts the tool") << QList{Qt::ALT | Qt::Key_S} << true << "open, start /opt/sysinfo";
        QTest::newRow("without the tool: the message; the box stays open")
            << QList{tab, enter} << false << "open, start /opt/sysinfo, " + Unavailable;
    }
    void aboutKeysCloseTheBoxOrStartTheTool()
    {
        QFETCH(QList<QKeyCombination>, keys);
        QFETCH(bool, installed);
        QFETCH(QString, after);
        FakeRegistry registry;
        registry.set(ToolKey, "PATH", Registry::REG_SZ, "/opt/sysinfo");
        FakeLauncher launcher;
        if (installed)
            launcher.files << "/opt/sysinfo";
        frmAbout about(nullptr, registry, launcher);
        about.show();
        about.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        PromptRecorder prompts;
        QTRY_COMPARE(QApplication::focusWidget(), about.findChild<QWidget *>("cmdOK"));
        for (const QKeyCombination key : keys)
            QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        const auto state = [&] { return QStringList(QStringList{about.isVisible() ? "open" : "closed"} + launcher.log + prompts.texts()).join(", "); };
        QTRY_COMPARE(state(), after); // a mnemonic clicks after a moment
    }

    void helpAboutOpensAFreshModalBoxOwnedByTheMainWindow()
    {
        WindowFixture w;
        QStringList openings;
        for (int opening = 1; opening <= 2; ++opening) {
            QPointer<QWidget> box;
            onModal([&](QWidget *modal) {
                box = modal;
                openings << modal->windowTitle() + "|" + QString::number(modal->parentWidget() == w.window.get());
                QTest::keyClick(modal, Qt::Key_Escape);
            });
            w.child<QAction>("mnuHelpAbout")->trigger(); // returns once the box is answered
            QVERIFY(!box); // closing destroyed it
        }
        QCOMPARE(openings, QStringList(2, "About Larderly|1"));
    }

    void messageBoxesShowTheirTextAsPlainText_data()
    {
        QTest::addColumn<int>("defaultButton"); // 0: a message with OK alone
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("seen");
        QTest::newRow("a message") << 0 << int(Qt::Key_Return) << "Larderly <b>Fish & chips</b> OK: OK";
        QTest::newRow("a question, Yes by default") << int(MessageBox::Yes) << int(Qt::Key_Return) << "Larderly <b>Fish & chips</b> No Yes: Yes";
        QTest::newRow("a question, No by default") << int(MessageBox::No) << int(Qt::Key_Return) << "Larderly <b>Fish & chips</b> No Yes: No";
        QTest::newRow("Esc answers No") << int(MessageBox::Yes) << int(Qt::Key_Escape) << "Larderly <b>Fish & chips</b> No Yes: No";
    }
    void messageBoxesShowTheirTextAsPlainText()
    {
        QFETCH(int, defaultButton);
        QFETCH(int, key);
        QFETCH(QString, seen);
        QString shown;
        onModal([&](QWidget *window) {
            auto *box = qobject_cast<QMessageBox *>(window);
            QStringList buttons;
            for (QAbstractButton *button : box->buttons())
                buttons << button->text().remove(u'&');
            buttons.sort();
            shown = box->windowTitle() + " " + box->findChild<QLabel *>("qt_msgbox_label")->text() + " " + buttons.join(u' ');
            QVERIFY(box->textFormat() == Qt::PlainText && box->icon() == QMessageBox::NoIcon);
            QTest::keyClick(box, Qt::Key(key));
        });
        const QString text = "<b>Fish & chips</b>";
        if (defaultButton)
            shown += MessageBox::askYesNo(nullptr, text, MessageBox::Button(defaultButton)) ? ": Yes" : ": No";
        else
            MessageBox::message(nullptr, text), shown += ": OK";
        QCOMPARE(shown, seen);
    }

    void getKeyValueReadsStringsAndNumbers_data()
    {
        QTest::addColumn<QString>("name"); // of the value stored under the tool's key
        QTest::addColumn<quint32>("type");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("read"); // the result and the text, which was "before"
        QTest::newRow("a string loses its terminating NUL") << "PATH" << 1u << QByteArray("C:\\x.exe\0", 9) << "1 C:\\x.exe";
        QTest::newRow("only the last NUL is cut") << "PATH" << 1u << QByteArray("ab\0c\0\0", 6) << QString::fromLatin1("1 ab\0c\0", 7);
        QTest::newRow("1024 bytes without a NUL fill the buffer") << "PATH" << 1u << QByteArray(1024, 'y') << "1 " + QString(1024, u'y');
        QTest::newRow("a number in decimal, low byte first") << "PATH" << 4u << QByteArray::fromHex("34ff1200") << "1 1244980";
        QTest::newRow("a number above 2^31 is unsigned") << "PATH" << 4u << QByteArray::fromHex("feffffff") << "1 4294967294";
        QTest::newRow("an expandable string leaves the text") << "PATH" << 2u << QByteArray("%SystemRoot%") << "1 before";
        QTest::newRow("1025 bytes are not read") << "PATH" << 1u << QByteArray(1025, 'y') << "0 ";
        QTest::newRow("no such value empties the text") << "MSINFO" << 1u << QByteArray("x") << "0 ";
    }
    void getKeyValueReadsStringsAndNumbers()
    {
        QFETCH(QString, name);
        QFETCH(quint32, type);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, read);
        FakeRegistry registry;
        registry.set(ToolKey, name, type, bytes);
        FakeLauncher launcher;
        QString value = "before";
        const bool ok = SysInfoLookup(registry, launcher).GetKeyValue(Registry::HKEY_LOCAL_MACHINE, ToolKey, "PATH", value);
        QCOMPARE(QString::number(ok) + " " + value, read);
        QVERIFY(registry.open.isEmpty()); // every key closed
    }

    void startSysInfoTriesBothEntriesInOrder_data()
    {
        QTest::addColumn<int>("entry1"); // the type of entry 1, -1 for none; entry 2 is the tool's folder
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("startsFail");
        QTest::addColumn<QStringList>("events"); // file tests, starts and messages
        const QString tool = "C:\\MSInfo\\msinfo32.exe", inFolder = "C:\\Tools\\MSINFO32.EXE";
        const QStringList both{tool, inFolder}, viaFolder{"test " + inFolder, "start " + inFolder};
        // Wherever entry 2 must not be tried, its folder holds the tool, so trying it would show.
        QTest::newRow("entry 1 is started as it stands") << 1 << tool.toLatin1() << both << false << QStringList{"start " + tool};
        QTest::newRow("entry 1 names no file: entry 2 is not tried") << 1 << tool.toLatin1() << QStringList{inFolder} << false
                                                                   << QStringList{"start " + tool, Unavailable};
        QTest::newRow("entry 1 fails to start") << 1 << tool.toLatin1() << both << true << QStringList{"start " + tool, Unavailable};
        QTest::newRow("entry 1 expandable: its empty path fails") << 2 << tool.toLatin1() << both << false << QStringList{"start ", Unavailable};
        QTest::newRow("entry 1 with no bytes is an error") << 1 << QByteArray() << both << false << QStringList{Unavailable};
        QTest::newRow("no entry 1, the folder of entry 2 holds the tool") << -1 << QByteArray() << both << false << viaFolder;
        QTest::newRow("no entry 1, the folder lacks the tool") << -1 << QByteArray() << QStringList{tool} << false
                                                              << QStringList{viaFolder.first(), Unavailable};
        QTest::newRow("no entry 1, the tool fails to start") << -1 << QByteArray() << both << true << viaFolder + QStringList{Unavailable};
    }
    void startSysInfoTriesBothEntriesInOrder()
    {
        QFETCH(int, entry1);
        QFETCH(QByteArray, path);
        QFETCH(QStringList, files);
        QFETCH(bool, startsFail);
        QFETCH(QStringList, events);
        FakeRegistry registry;
        if (entry1 >= 0)
            registry.set(ToolKey, "PATH", quint32(entry1), path);
        registry.set("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", Registry::REG_SZ, QByteArray("C:\\Tools\0", 9));
        FakeLauncher launcher;
        launcher.files = QSet<QString>(files.begin(), files.end());
        launcher.startsFail = startsFail;
        PromptRecorder prompts;
        SysInfoLookup(registry, launcher).StartSysInfo(nullptr);
        QCOMPARE(launcher.log + prompts.texts(), events);
        QVERIFY(registry.open.isEmpty());
        for (quint32 access : registry.accessAsked) // read rights only, so a user who may only read succeeds
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
        Folder bin;
        FakeLauncher launcher;
        for (const QString &name : installed) {
            writeFile(bin.path(name), "#!/bin/sh\n");
            launcher.files << bin.path(name);
        }
        ToolRegistry registry({bin.dir.path()});
        PromptRecorder prompts;
        SysInfoLookup(registry, launcher).StartSysInfo(nullptr);
        QCOMPARE(launcher.log + prompts.texts(), started.isEmpty() ? QStringList{Unavailable} : QStringList{"start " + bin.path(started)});
        Registry::Key key = 0;
        quint32 type = 0, size = 4;
        char small[4] = {};
        QCOMPARE(registry.openKey(Registry::HKEY_LOCAL_MACHINE, ToolKey.toLatin1(), 0, Registry::KEY_ALL_ACCESS, &key),
                 started.isEmpty() ? Registry::ERROR_FILE_NOT_FOUND : Registry::ERROR_ACCESS_DENIED);
        if (registry.openKey(Registry::HKEY_LOCAL_MACHINE, ToolKey.toLatin1(), 0, Registry::KEY_READ, &key) == Registry::ERROR_SUCCESS)
            QCOMPARE(registry.queryValue(key, "PATH", &type, small, &size), Registry::ERROR_MORE_DATA);
    }

    void launcherTestsFilesAndStartsThemWithoutAShell()
    {
        Folder dir;
        writeFile(dir.path("MSINFO32.EXE"), "x");
        writeFile(dir.path(".MSINFO32.EXE"), "x");
        QVERIFY(QDir(dir.dir.path()).mkdir("folder"));
        ProgramLauncher &launcher = ProgramLauncher::system();
        QString present;
        for (const char *name : {"MSINFO32.EXE", ".MSINFO32.EXE", "folder", "missing"})
            present += launcher.isPresent(dir.path(name)) ? '1' : '0';
        QCOMPARE(present, "1000"); // hidden files and folders do not count
        QVERIFY(!launcher.startDetached(dir.path("MSINFO32.EXE")) && !launcher.startDetached(QString()));
        // Through a shell this would run "tool" and then "touch injected" in the current folder.
        writeFile(dir.path("tool; touch injected"), "#!/bin/sh\ntouch \"$(dirname \"$0\")/ran\"\n");
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.dir.path());
        const bool started = launcher.startDetached(dir.path("tool; touch injected"));
        QDir::setCurrent(previous);
        QVERIFY(started);
        QTRY_VERIFY(QFile::exists(dir.path("ran")));
        QVERIFY(!QFile::exists(dir.path("injected")));
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
