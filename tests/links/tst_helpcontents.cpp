#include "HelpContents.h"
#include "MessageBox.h"
#include "PromptRecorder.h"
#include "RecipeList.h"
#include "RuntimeError.h"
#include "UrlOpener.h"
#include "UrlRecorder.h"
#include "frmMain.h"

#include <QtTest>
#include <QtWidgets>

class TestHelpContents : public QObject
{
    Q_OBJECT

private slots:
    void withoutAHelpFileNamesWhomToContact_data();
    void withoutAHelpFileNamesWhomToContact();
    void helpFileIsHandedToTheViewer_data();
    void helpFileIsHandedToTheViewer();
    void viewerThatCannotBeReachedGivesOnePlainMessage();
};

void TestHelpContents::withoutAHelpFileNamesWhomToContact_data()
{
    QTest::addColumn<QString>("caption");
    QTest::newRow("caption as built") << "";
    QTest::newRow("caption changed since") << "Larderly - Soup";
}

void TestHelpContents::withoutAHelpFileNamesWhomToContact()
{
    QFETCH(QString, caption);
    QTemporaryDir dir;
    RecipeList list;
    frmMain window(list, dir.path());
    window.Form_Load();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    if (!caption.isEmpty())
        window.setWindowTitle(caption);

    UrlRecorder desktop;
    PromptRecorder prompts;
    window.findChild<QAction *>(QStringLiteral("mnuHelpContents"))->trigger();

    QCOMPARE(prompts.requests().size(), 1);
    const MessageBox::Request &box = prompts.requests().first();
    QCOMPARE(box.text, QStringLiteral("If you need help: Contact support@kettlebay.com"));
    QCOMPARE(box.caption, caption.isEmpty() ? QStringLiteral("Larderly") : caption);
    QCOMPARE(box.icon, MessageBox::Information);
    QCOMPARE(box.buttons, int(MessageBox::Ok));
    QVERIFY(desktop.urls.isEmpty());
}

void TestHelpContents::helpFileIsHandedToTheViewer_data()
{
    QTest::addColumn<QString>("helpFile");
    QTest::addColumn<QString>("opened"); // relative to the current folder unless absolute

    QTest::newRow("absolute path of no existing file") << "/nonexistent/larderly.html" << "/nonexistent/larderly.html";
    QTest::newRow("relative path is taken from the current folder") << "help/larderly.html" << "help/larderly.html";
    QTest::newRow("name with spaces and #") << "/opt/help files/#1.html" << "/opt/help files/#1.html";
}

void TestHelpContents::helpFileIsHandedToTheViewer()
{
    QFETCH(QString, helpFile);
    QFETCH(QString, opened);
    QTemporaryDir programFolder;
    QVERIFY(QDir::setCurrent(programFolder.path()));
    UrlRecorder desktop;
    PromptRecorder prompts;
    HelpContents::show(nullptr, QStringLiteral("Larderly"), helpFile);
    QCOMPARE(desktop.urls.size(), 1);
    QVERIFY(desktop.urls.first().isLocalFile());
    QCOMPARE(desktop.urls.first().toLocalFile(), QDir(programFolder.path()).absoluteFilePath(opened));
    QVERIFY(prompts.requests().isEmpty()); // what the viewer makes of a missing file is its own business
}

void TestHelpContents::viewerThatCannotBeReachedGivesOnePlainMessage()
{
    UrlOpener::setTestHandler([](const QUrl &) { throw RuntimeError(53, QStringLiteral("No help viewer <found>")); });
    PromptRecorder prompts;
    HelpContents::show(nullptr, QStringLiteral("Larderly - Soup"), QStringLiteral("/opt/larderly.html"));
    UrlOpener::setTestHandler(nullptr);

    QCOMPARE(prompts.requests().size(), 1);
    const MessageBox::Request &box = prompts.requests().first();
    QCOMPARE(box.text, QStringLiteral("No help viewer <found>"));
    QCOMPARE(box.caption, QString()); // the program's title, not the window's
    QCOMPARE(box.icon, MessageBox::NoIcon);
    QCOMPARE(box.buttons, int(MessageBox::Ok));
}

QTEST_MAIN(TestHelpContents)
#include "tst_helpcontents.moc"
