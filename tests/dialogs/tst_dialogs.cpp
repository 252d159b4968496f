#include "Testing.h"
#include "dialogs/AboutDialog.h"

namespace {

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
                QStringList seen{about->windowTitle()
                                 + QStringLiteral(" %1,%2 %3x%4").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height())
                                 + (about->minimumSize() == about->maximumSize() ? " fixed" : "")};
                for (const char *name : {"logo", "titleLabel", "versionLabel", "descriptionLabel", "warningLabel",
                                         "okButton", "systemInfoButton"})
                    seen << placement(about->findChild<QWidget *>(name), about);
                openings << seen.join(u'\n') + (about->parentWidget() == w.window.get() ? "\nowned" : "");
                for (int i = 0; i < QKeySequence(keys).count(); ++i) {
                    QTest::keyClick(QApplication::focusWidget(), QKeySequence(keys)[i].key());
                    openings << QStringLiteral("%1 %2")
                                    .arg(about->isVisible() ? "open" : "closed")
                                    .arg(prompts.texts().join(u'|'));
                }
            });
            w.child<QAction>("aboutAction")->trigger(); // returns once the box is answered
            QVERIFY(!box); // closing destroyed it
        }
        qputenv("PATH", path);
        const QString layout = (dataLines(QFINDTESTDATA("about.txt")) << "owned").join(u'\n'),
                      unavailable = "System Information Is Unavailable At This Time";
        QCOMPARE(openings,
                 QStringList({layout, "open ", "open " + unavailable, "closed " + unavailable, layout,
                              "closed " + unavailable}));
    }

    void messageBoxesShowTheirTextAsPlainText_data() { dataTable(QFINDTESTDATA("messageboxes.txt")); }
    void messageBoxesShowTheirTextAsPlainText()
    {
        const QStringList row = dataRow();
        const MessageBox::Button defaultButton = row[0] == "OK" ? MessageBox::Ok
            : row[0] == "Yes"                                   ? MessageBox::Yes
                                                                : MessageBox::No;
        QString shown;
        onModal([&](QWidget *window) {
            auto *box = qobject_cast<QMessageBox *>(window);
            QStringList buttons;
            for (QAbstractButton *button : box->buttons())
                buttons << button->text().remove(u'&');
            buttons.sort();
            shown = box->windowTitle() + " " + box->findChild<QLabel *>("qt_msgbox_label")->text() + " "
                + buttons.join(u' ');
            QVERIFY(box->textFormat() == Qt::PlainText && box->icon() == QMessageBox::NoIcon);
            QTest::keyClick(box, row[1] == "Esc" ? Qt::Key_Escape : Qt::Key_Return);
        });
        if (defaultButton != MessageBox::Ok)
            shown += MessageBox::askYesNo(nullptr, "<b>Fish & chips</b>", defaultButton) ? ": Yes" : ": No";
        else
            MessageBox::message(nullptr, "<b>Fish & chips</b>"), shown += ": OK";
        QCOMPARE(shown, row[2]);
    }

    void systemInfoStartsTheFirstToolInstalledOrSaysItIsUnavailable_data()
    {
        QTest::addColumn<QStringList>("tools"); // in the folder searched, each noting that it ran
        QTest::addColumn<QString>("started"); // or the message
        QTest::newRow("hardinfo before kinfocenter") << QStringList{"kinfocenter", "hardinfo"} << "hardinfo";
        QTest::newRow("kinfocenter when it is the only one") << QStringList{"kinfocenter"} << "kinfocenter";
        QTest::newRow("no tool installed")
            << QStringList{"msinfo32"} << "System Information Is Unavailable At This Time";
        QTest::newRow("a tool that cannot start")
            << QStringList{"hardinfo!"} << "System Information Is Unavailable At This Time";
    }
    void systemInfoStartsTheFirstToolInstalledOrSaysItIsUnavailable()
    {
        QFETCH(QStringList, tools);
        QFETCH(QString, started);
        // A folder whose name a shell would run as a second command: the tool is started directly.
        Folder folder;
        const QString bin = folder.path("bin; touch injected");
        QVERIFY(QDir().mkpath(bin));
        for (const QString &tool : tools) { // "!": a program whose interpreter is missing
            writeProgram(bin + "/" + QString(tool).remove(u'!'),
                         tool.endsWith(u'!') ? "#!/nonexistent/sh\n" : "#!/bin/sh\ntouch \"$0.ran\"\n");
        }
        PromptRecorder prompts;
        QDir::setCurrent(folder.dir.path());
        AboutDialog(nullptr, {bin}).startSystemInfo();
        if (started.startsWith("System"))
            QCOMPARE(prompts.texts(), QStringList{started});
        else
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(bin + "/" + started + ".ran"), 5000);
        QCOMPARE(QDir(bin).entryList({"*.ran"}).size(), int(!started.startsWith("System")));
        QVERIFY(!QFile::exists(folder.path("injected")));
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
