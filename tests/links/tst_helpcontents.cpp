#include "HelpContents.h"
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
    void withoutAHelpFileNamesWhomToContactUnderTheWindowsCaption();
    void helpFileIsHandedToTheViewer_data();
    void helpFileIsHandedToTheViewer();
    void viewerThatCannotBeReachedGivesOnePlainMessage();
};

void TestHelpContents::withoutAHelpFileNamesWhomToContactUnderTheWindowsCaption()
{
    QTemporaryDir dir;
    RecipeList list;
    frmMain window(list, dir.path());
    window.Form_Load();
    window.show();
    UrlRecorder desktop;
    PromptRecorder prompts;
    QAction *contents = window.findChild<QAction *>(QStringLiteral("mnuHelpContents"));
    contents->trigger();
    window.setWindowTitle(QStringLiteral("Larderly - Soup"));
    contents->trigger();

    QCOMPARE(prompts.texts(), QStringList(2, QStringLiteral("If you need help: Contact support@kettlebay.com")));
    QCOMPARE(prompts.requests()[0].caption, QStringLiteral("Larderly"));
    QCOMPARE(prompts.requests()[1].caption, QStringLiteral("Larderly - Soup"));
    QCOMPARE(prompts.requests()[1].icon, MessageBox::Information);
    QVERIFY(desktop.urls.isEmpty());
}

void TestHelpContents::helpFileIsHandedToTheViewer_data()
{
    QTest::addColumn<QString>("helpFile");
    QTest::newRow("absolute path of no existing file") << "/nonexistent/larderly.html";
    QTest::newRow("relative path is taken from the current folder") << "help/larderly.html";
    QTest::newRow("name with spaces and #") << "/opt/help files/#1.html";
}

void TestHelpContents::helpFileIsHandedToTheViewer()
{
    QFETCH(QString, helpFile);
    QTemporaryDir programFolder;
    QVERIFY(QDir::setCurrent(programFolder.path()));
    UrlRecorder desktop;
    PromptRecorder prompts;
    HelpContents::show(nullptr, QStringLiteral("Larderly"), helpFile);
    QCOMPARE(desktop.urls, QList{QUrl::fromLocalFile(QDir(programFolder.path()).absoluteFilePath(helpFile))});
    QVERIFY(prompts.requests().isEmpty()); // what the viewer makes of a missing file is its own business
}

void TestHelpContents::viewerThatCannotBeReachedGivesOnePlainMessage()
{
    UrlOpener::setTestHandler([](const QUrl &) { throw RuntimeError(53, QStringLiteral("No help viewer <found>")); });
    PromptRecorder prompts;
    HelpContents::show(nullptr, QStringLiteral("Larderly - Soup"), QStringLiteral("/opt/larderly.html"));
    UrlOpener::setTestHandler(nullptr);
    QCOMPARE(prompts.texts(), QStringList{"No help viewer <found>"});
    QCOMPARE(prompts.requests().first().caption, QString()); // the program's title, not the window's
    QCOMPARE(prompts.requests().first().icon, MessageBox::NoIcon);
}

QTEST_MAIN(TestHelpContents)
#include "tst_helpcontents.moc"
