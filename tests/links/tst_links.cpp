#include "HelpContents.h"
#include "PromptRecorder.h"
#include "RuntimeError.h"
#include "TabControl.h"
#include "UrlOpener.h"
#include "UrlRecorder.h"
#include "WindowFixture.h"

#include <QtTest>
#include <QtWidgets>

class TestLinks : public QObject
{
    Q_OBJECT

private slots:
    void clickOpensTheLinksAddress_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("address"); // empty: no link
        const QString main = QStringLiteral("http://www.kettlebay.com");
        QTest::newRow("logo: the main site") << "Image1" << main;
        QTest::newRow("address label: the main site") << "Label10" << main;
        QTest::newRow("Spice Rack") << "Label11" << main + "/help/spices.html";
        QTest::newRow("Food Equivalents") << "Label12" << main + "/help/equiv.html";
        QTest::newRow("Substitutions") << "Label13" << main + "/help/substitutions.html";
        QTest::newRow("Conversions") << "Label14" << main + "/help/convert.html";
        QTest::newRow("Measures") << "Label15" << main + "/help/usmeasure.html";
        QTest::newRow("Kitchen Store") << "Label16" << main + "/mall.html";
        QTest::newRow("Free Recipes: the archive site") << "Label18" << "http://recipes.kettlebay.com/recipes/index.cgi";
        QTest::newRow("Quick Dish Archive") << "Label19" << main + "/qdarchive.html";
        QTest::newRow("Cooking Class") << "Label20" << main + "/shows.html";
        for (const char *name : {"Label17", "Label9", "Label8", "Label7", "Frame1"})
            QTest::newRow(name) << name << "";
    }
    void clickOpensTheLinksAddress()
    {
        QFETCH(QString, control);
        QFETCH(QString, address);
        WindowFixture w("1,1\r\n\"Soup\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
        w.child<TabControl>("SSTab1")->setCurrentIndex(1);
        UrlRecorder desktop;
        PromptRecorder prompts;
        QTest::mouseClick(w.window->findChild<QWidget *>(control), Qt::LeftButton);
        QCOMPARE(desktop.urls, address.isEmpty() ? QList<QUrl>() : QList<QUrl>{QUrl(address)});
        QVERIFY(prompts.requests.isEmpty());
        QCOMPARE(w.counter(), "Record 1 of 1");
    }

    void helpContentsNamesWhomToContactUnderTheWindowsCaption()
    {
        WindowFixture w;
        UrlRecorder desktop;
        PromptRecorder prompts;
        auto *contents = w.child<QAction>("mnuHelpContents");
        contents->trigger();
        w.window->setWindowTitle(QStringLiteral("Larderly - Soup"));
        contents->trigger();
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
        HelpContents::show(nullptr, QStringLiteral("Larderly"), QStringLiteral("help files/#1.html"));
        QCOMPARE(desktop.urls, QList{QUrl::fromLocalFile(programFolder.path("help files/#1.html"))});
        QVERIFY(prompts.requests.isEmpty()); // a file the viewer cannot open is its own business
        UrlOpener::setTestHandler([](const QUrl &) { throw RuntimeError(53, QStringLiteral("No help viewer <found>")); });
        HelpContents::show(nullptr, QStringLiteral("Larderly - Soup"), QStringLiteral("/opt/larderly.html"));
        UrlOpener::setTestHandler(nullptr);
        QCOMPARE(prompts.texts(), QStringList{"No help viewer <found>"});
        QVERIFY(prompts.requests[0].caption.isEmpty() && prompts.requests[0].icon == MessageBox::NoIcon);
    }
};

QTEST_MAIN(TestLinks)
#include "tst_links.moc"
