#include "dialogs/SysInfoLookup.h"
#include "Testing.h"
#include "dialogs/ToolRegistry.h"
#include "dialogs/frmAbout.h"

namespace {

const QString ToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";

void writeProgram(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()
        && file.setPermissions(file.permissions() | QFile::ExeOwner));
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void helpAboutOpensAFreshModalBoxWhereKeysCloseItOrStartTheTool()
    {
        WindowFixture w;
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", ""); // no system information tool of the desktop's
        PromptRecorder prompts;
        QStringList openings;
        for (const QString keys : {"Tab, Return, Esc", "Return"}) { // System Info, then closed by Esc; OK
            QPointer<QWidget> box;
            onModal([&](QWidget *about) {
                box = about;
                const QRect g = about->geometry();
                QStringList seen{about->windowTitle() + QStringLiteral(" %1,%2 %3x%4").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height())
                                 + (about->minimumSize() == about->maximumSize() ? " fixed" : "")};
                for (const char *name : {"Image1", "lblTitle", "lblVersion", "lblDescription", "lblDisclaimer", "cmdOK", "cmdSysInfo"})
                    seen << placement(about->findChild<QWidget *>(name), about);
                openings << seen.join(u'\n') + (about->parentWidget() == w.window.get() ? "\nowned" : "");
                for (int i = 0; i < QKeySequence(keys).count(); ++i) {
                    QTest::keyClick(QApplication::focusWidget(), QKeySequence(keys)[i].key());
                    openings << QStringLiteral("%1 %2").arg(about->isVisible() ? "open" : "closed").arg(prompts.texts().join(u'|'));
                }
            });
            w.child<QAction>("mnuHelpAbout")->trigger(); // returns once the box is answered
            QVERIFY(!box); // closing destroyed it
        }
        qputenv("PATH", path);
        const QString layout = (dataLines(QFINDTESTDATA("about.txt")) << "owned").join(u'\n'),
            unavailable = "System Information Is Unavailable At This Time";
        QCOMPARE(openings, QStringList({layout, "open ", "open " + unavailable, "closed " + unavailable, layout, "closed " + unavailable}));
    }

    void messageBoxesShowTheirTextAsPlainText_data() { dataTable(QFINDTESTDATA("messageboxes.txt")); }
    void messageBoxesShowTheirTextAsPlainText()
    {
        const QStringList row = dataRow();
        const MessageBox::Button defaultButton = row[0] == "OK" ? MessageBox::Ok : row[0] == "Yes" ? MessageBox::Yes : MessageBox::No;
        QString shown;
        onModal([&](QWidget *window) {
            auto *box = qobject_cast<QMessageBox *>(window);
            QStringList buttons;
            for (QAbstractButton *button : box->buttons())
                buttons << button->text().remove(u'&');
            buttons.sort();
            shown = box->windowTitle() + " " + box->findChild<QLabel *>("qt_msgbox_label")->text() + " " + buttons.join(u' ');
            QVERIFY(box->textFormat() == Qt::PlainText && box->icon() == QMessageBox::NoIcon);
            QTest::keyClick(box, row[1] == "Esc" ? Qt::Key_Escape : Qt::Key_Return);
        });
        if (defaultButton != MessageBox::Ok)
            shown += MessageBox::askYesNo(nullptr, "<b>Fish & chips</b>", defaultButton) ? ": Yes" : ": No";
        else
            MessageBox::message(nullptr, "<b>Fish & chips</b>"), shown += ": OK";
        QCOMPARE(shown, row[2]);
    }

    void startSysInfoTriesBothEntriesInOrder_data() { dataTable(QFINDTESTDATA("starting.txt")); }
    void startSysInfoTriesBothEntriesInOrder()
    {
        const QStringList row = dataRow(), files = row[2].split(u'|'), events = row[4].split(u'|');
        const QString entry1 = row[0], path = row[1];
        FakeRegistry fake;
        if (entry1 != "none")
            fake.set(ToolKey, "PATH", entry1.toUInt(), QByteArray(path.toLatin1().constData(), path.size()));
        fake.set("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", Registry::REG_SZ, QByteArray("tools\0", 6));
        Folder bin; // where the desktop's tools are looked for
        for (const QString &name : files)
            writeProgram(bin.path(name), "#!/bin/sh\n");
        ToolRegistry desktop({bin.dir.path()});
        Registry &registry = entry1 == "desktop" ? static_cast<Registry &>(desktop) : fake;
        FakeLauncher launcher;
        for (const QString &name : files)
            launcher.files << (entry1 == "desktop" ? bin.path(name) : name);
        launcher.startsFail = row[3] == "1";
        PromptRecorder prompts;
        SysInfoLookup(registry, launcher).StartSysInfo(nullptr);
        QCOMPARE((launcher.log + prompts.texts()).replaceInStrings(bin.dir.path() + "/", ""), events);
        QVERIFY(fake.open.isEmpty());
        for (quint32 access : fake.accessAsked) // read rights only, so a user who may only read succeeds
            QCOMPARE(access & (Registry::WriteRights | Registry::KEY_QUERY_VALUE), Registry::KEY_QUERY_VALUE);
        for (const MessageBox::Request &box : prompts.requests)
            QVERIFY(box.caption.isEmpty() && box.icon == MessageBox::NoIcon && box.buttons == MessageBox::Ok);
    }

    void launcherTestsFilesAndStartsThemWithoutAShell()
    {
        Folder dir;
        writeProgram(dir.path("MSINFO32.EXE"), "x");
        writeProgram(dir.path(".MSINFO32.EXE"), "x");
        QVERIFY(QDir(dir.dir.path()).mkdir("folder"));
        ProgramLauncher &launcher = ProgramLauncher::system();
        QString present;
        for (const char *name : {"MSINFO32.EXE", ".MSINFO32.EXE", "folder", "missing"})
            present += launcher.isPresent(dir.path(name)) ? '1' : '0';
        QCOMPARE(present, "1000"); // hidden files and folders do not count
        QVERIFY(!launcher.startDetached(dir.path("MSINFO32.EXE")) && !launcher.startDetached(QString()));
        // Through a shell this would run "tool" and then "touch injected" in the current folder.
        writeProgram(dir.path("tool; touch injected"), "#!/bin/sh\ntouch \"$(dirname \"$0\")/ran\"\n");
        QDir::setCurrent(dir.dir.path());
        QVERIFY(launcher.startDetached(dir.path("tool; touch injected")));
        QTRY_VERIFY(QFile::exists(dir.path("ran")));
        QVERIFY(!QFile::exists(dir.path("injected")));
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
