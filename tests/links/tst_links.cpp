#include "HelpContents.h"
#include "RuntimeError.h"
#include "TabControl.h"
#include "Testing.h"

class TestLinks : public QObject
{
    Q_OBJECT

private slots:
    void aClickOpensTheLinksPageAndNothingElse()
    {
        WindowFixture w("1,1\r\n\"Soup\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
        w.child<TabControl>("SSTab1")->setCurrentIndex(1);
        UrlRecorder desktop;
        PromptRecorder prompts;
        QStringList opened;
        for (const char *name : {"Image1", "Label10", "Label11", "Label12", "Label13", "Label14", "Label15", "Label16",
                                 "Label18", "Label19", "Label20", "Label17", "Label9", "Label8", "Label7", "Frame1"}) {
            desktop.urls.clear();
            QTest::mouseClick(w.child(name), Qt::LeftButton);
            opened << QString(name) + (desktop.urls.isEmpty() ? "" : " " + desktop.urls.first().toString());
        }
        const QString main = "http://www.kettlebay.com";
        QCOMPARE(opened, QStringList({"Image1 " + main, "Label10 " + main, "Label11 " + main + "/help/spices.html",
            "Label12 " + main + "/help/equiv.html", "Label13 " + main + "/help/substitutions.html",
            "Label14 " + main + "/help/convert.html", "Label15 " + main + "/help/usmeasure.html", "Label16 " + main + "/mall.html",
            "Label18 http://recipes.kettlebay.com/recipes/index.cgi", "Label19 " + main + "/qdarchive.html",
            "Label20 " + main + "/shows.html", "Label17", "Label9", "Label8", "Label7", "Frame1"}));
        QVERIFY(prompts.requests.isEmpty() && w.counter() == "Record 1 of 1");
    }

    void helpContentsNamesWhomToContactUnderTheWindowsCaption()
    {
        WindowFixture w;
        UrlRecorder desktop;
        PromptRecorder prompts;
        w.child<QAction>("mnuHelpContents")->trigger();
        w.window->setWindowTitle("Larderly - Soup");
        w.child<QAction>("mnuHelpContents")->trigger();
        QCOMPARE(prompts.texts(), QStringList(2, "If you need help: Contact support@kettlebay.com"));
        QCOMPARE(prompts.requests[0].caption + "|" + prompts.requests[1].caption, "Larderly|Larderly - Soup");
        QVERIFY(prompts.requests[1].icon == MessageBox::Information && prompts.requests[1].buttons == MessageBox::Ok);
        QVERIFY(desktop.urls.isEmpty());
    }

    void aHelpFileGoesToTheViewerWhoseFailureIsOnePlainMessage()
    {
        Folder programFolder;
        QVERIFY(QDir::setCurrent(programFolder.dir.path()));
        UrlRecorder desktop;
        PromptRecorder prompts;
        HelpContents::show(nullptr, "Larderly", "help files/#1.html");
        QCOMPARE(desktop.urls, QList{QUrl::fromLocalFile(programFolder.path("help files/#1.html"))});
        QVERIFY(prompts.requests.isEmpty()); // a file the viewer cannot open is its own business
        UrlOpener::setTestHandler([](const QUrl &) { throw RuntimeError(53, "No help viewer <found>"); });
        HelpContents::show(nullptr, "Larderly - Soup", "/opt/larderly.html");
        QCOMPARE(prompts.texts(), QStringList{"No help viewer <found>"});
        QVERIFY(prompts.requests[0].caption.isEmpty() && prompts.requests[0].icon == MessageBox::NoIcon);
    }
};

QTEST_MAIN(TestLinks)
#include "tst_links.moc"
