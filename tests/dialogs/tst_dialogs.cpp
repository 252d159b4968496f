#include "Testing.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/LineWidget.h"

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
    void aboutBoxStandsWhereItsLayoutPutsIt_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("place"); // in pixels
        QTest::addColumn<QString>("text");
        QTest::newRow("the box itself") << "" << QRect(156, 129, 382, 237) << "About Larderly";
        QTest::newRow("logo") << "logo" << QRect(0, 0, 160, 150) << "";
        QTest::newRow("title") << "titleLabel" << QRect(256, 16, 115, 24) << "Larderly";
        QTest::newRow("version") << "versionLabel" << QRect(256, 40, 123, 15) << "Version 1.0.0";
        QTest::newRow("description") << "descriptionLabel" << QRect(160, 64, 219, 78)
                                     << "Larderly - Store your recipes in an easy to access file system. Compliments of Kettlebay";
        QTest::newRow("warning") << "warningLabel" << QRect(17, 175, 258, 55)
                                 << "Warning: this program is protected by copyright. Copying or distributing it, or any "
                                    "part of it, without permission from Kettlebay is not allowed.";
        QTest::newRow("OK") << "okButton" << QRect(283, 175, 84, 23) << "OK";
        QTest::newRow("System Info") << "systemInfoButton" << QRect(284, 205, 83, 23) << "&System Info...";
    }
    void aboutBoxStandsWhereItsLayoutPutsIt()
    {
        QFETCH(QString, control);
        QFETCH(QRect, place);
        QFETCH(QString, text);
        AboutDialog about(nullptr);
        QWidget *widget = control.isEmpty() ? &about : about.findChild<QWidget *>(control);
        QCOMPARE(widget->geometry(), place);
        QCOMPARE(control.isEmpty() ? about.windowTitle() : widget->property("text").toString(), text);
        QCOMPARE(about.minimumSize(), about.maximumSize());
        QCOMPARE(about.findChild<LineWidget *>("ruleShadow")->colour(), QColor(0x80, 0x80, 0x80));
    }

    void helpAboutOpensAFreshModalBoxWhereKeysCloseItOrStartTheTool_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("after"); // each key: open or closed, and the messages so far
        const QString unavailable = "System Information Is Unavailable At This Time";
        QTest::newRow("Tab, Enter on System Info, Esc") << "Tab, Return, Esc"
                                                        << QStringList{"open ", "open " + unavailable, "closed " + unavailable};
        QTest::newRow("Enter on OK") << "Return" << QStringList{"closed "};
    }
    void helpAboutOpensAFreshModalBoxWhereKeysCloseItOrStartTheTool()
    {
        QFETCH(QString, keys);
        QFETCH(QStringList, after);
        WindowFixture w;
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", ""); // no system information tool of the desktop's
        PromptRecorder prompts;
        QPointer<QWidget> box;
        QStringList seen;
        onModal([&](QWidget *about) {
            box = about;
            QCOMPARE(about->parentWidget(), w.window.get()); // owned by the window
            QCOMPARE(about->focusWidget()->objectName(), "okButton");
            for (int i = 0; i < QKeySequence(keys).count(); ++i) {
                QTest::keyClick(QApplication::focusWidget(), QKeySequence(keys)[i].key());
                seen << QStringLiteral("%1 %2").arg(about->isVisible() ? "open" : "closed", prompts.texts().join(u'|'));
            }
        });
        w.child<QAction>("aboutAction")->trigger(); // returns once the box is answered
        qputenv("PATH", path);
        QCOMPARE(seen, after);
        QVERIFY(!box); // closing destroyed it
    }

    void messageBoxesShowTheirTextAsPlainText_data()
    {
        QTest::addColumn<int>("defaultButton");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("buttons");
        QTest::addColumn<int>("answer");
        QTest::newRow("a message") << int(MessageBox::Ok) << int(Qt::Key_Return) << "OK" << int(MessageBox::Ok);
        QTest::newRow("a question, No by default") << int(MessageBox::No) << int(Qt::Key_Return) << "No Yes" << int(MessageBox::No);
        QTest::newRow("Esc answers No") << int(MessageBox::Yes) << int(Qt::Key_Escape) << "No Yes" << int(MessageBox::No);
        QTest::newRow("a question, Yes by default") << int(MessageBox::Yes) << int(Qt::Key_Return) << "No Yes" << int(MessageBox::Yes);
    }
    void messageBoxesShowTheirTextAsPlainText()
    {
        QFETCH(int, defaultButton);
        QFETCH(int, key);
        QFETCH(QString, buttons);
        QFETCH(int, answer);
        RealMessageBoxes real;
        onModal([&](QWidget *window) {
            auto *box = qobject_cast<QMessageBox *>(window);
            QStringList shown;
            for (QAbstractButton *button : box->buttons())
                shown << button->text().remove(u'&');
            shown.sort();
            QCOMPARE(shown.join(u' '), buttons);
            QCOMPARE(box->windowTitle(), "Larderly");
            QCOMPARE(box->findChild<QLabel *>("qt_msgbox_label")->text(), "<b>Fish & chips</b>");
            QCOMPARE(box->textFormat(), Qt::PlainText);
            QCOMPARE(box->icon(), QMessageBox::NoIcon);
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
