// The message boxes, and the About box's system information tool.
#include "Testing.h"
#include "dialogs/AboutDialog.h"
#include "resources/Version.h"

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void messageBoxesShowTheirTextAsPlainText_data()
    {
        QTest::addColumn<int>("defaultButton"); // OK alone for a message; Yes and No for a question
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("answer");
        QTest::newRow("a message") << int(MessageBox::Ok) << int(Qt::Key_Return) << int(MessageBox::Ok);
        QTest::newRow("a question, No by default") << int(MessageBox::No) << int(Qt::Key_Return) << int(MessageBox::No);
        QTest::newRow("Esc answers No") << int(MessageBox::Yes) << int(Qt::Key_Escape) << int(MessageBox::No);
    }
    void messageBoxesShowTheirTextAsPlainText()
    {
        QFETCH(int, defaultButton);
        QFETCH(int, key);
        QFETCH(int, answer);
        RealMessageBoxes real;
        onModal([&](QWidget *window) {
            auto *box = qobject_cast<QMessageBox *>(window);
            QCOMPARE(box->buttons().size(), defaultButton == MessageBox::Ok ? 1 : 2);
            QCOMPARE(box->windowTitle(), "Larderly");
            QCOMPARE(box->findChild<QLabel *>("qt_msgbox_label")->text(), "<b>Fish & chips</b>");
            QCOMPARE(box->textFormat(), Qt::PlainText);
            QTest::keyClick(box, Qt::Key(key));
        });
        const int buttonsAsked = defaultButton == MessageBox::Ok ? MessageBox::Ok : MessageBox::Yes | MessageBox::No;
        const MessageBox::Request request{"<b>Fish & chips</b>", {}, buttonsAsked, MessageBox::Button(defaultButton)};
        QCOMPARE(int(MessageBox::show(nullptr, request)), answer);
    }

    void systemInfoStartsTheFirstToolInstalledOrSaysItIsUnavailable_data()
    {
        QTest::addColumn<QStringList>("tools"); // in the folder searched, each noting that it ran
        QTest::addColumn<QString>("started"); // or the message
        QTest::newRow("hardinfo before kinfocenter") << QStringList{"kinfocenter", "hardinfo"} << "hardinfo";
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
            QFile program(bin + "/" + QString(tool).remove(u'!'));
            QVERIFY(program.open(QIODevice::WriteOnly)
                    && program.setPermissions(program.permissions() | QFile::ExeOwner));
            program.write(tool.endsWith(u'!') ? "#!/nonexistent/sh\n" : "#!/bin/sh\ntouch \"$0.ran\"\n");
        }
        PromptRecorder prompts;
        QDir::setCurrent(folder.dir.path());
        AboutDialog about(nullptr, {bin});
        QCOMPARE(about.findChild<QLabel *>("versionLabel")->text(), "Version " LARDERLY_VERSION);
        about.startSystemInfo();
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
