#include "PromptRecorder.h"
#include "RecipeList.h"
#include "TabControl.h"
#include "UrlOpener.h"
#include "UrlRecorder.h"
#include "frmMain.h"

#include <QtTest>
#include <QtWidgets>

class TestResourceLinks : public QObject
{
    Q_OBJECT

private slots:
    void clickOpensTheLinksAddress_data();
    void clickOpensTheLinksAddress();
    void desktopThatCannotOpenAnAddressIsNotReported();
};

void TestResourceLinks::clickOpensTheLinksAddress_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("address"); // empty: no link

    QTest::newRow("logo opens the main site") << "Image1" << "http://www.kettlebay.com";
    QTest::newRow("address label opens the main site") << "Label10" << "http://www.kettlebay.com";
    QTest::newRow("Spice Rack") << "Label11" << "http://www.kettlebay.com/help/spices.html";
    QTest::newRow("Food Equivalents") << "Label12" << "http://www.kettlebay.com/help/equiv.html";
    QTest::newRow("Substitutions") << "Label13" << "http://www.kettlebay.com/help/substitutions.html";
    QTest::newRow("Conversions") << "Label14" << "http://www.kettlebay.com/help/convert.html";
    QTest::newRow("Measures") << "Label15" << "http://www.kettlebay.com/help/usmeasure.html";
    QTest::newRow("Kitchen Store") << "Label16" << "http://www.kettlebay.com/mall.html";
    QTest::newRow("Free Recipes is on the archive site") << "Label18" << "http://recipes.kettlebay.com/recipes/index.cgi";
    QTest::newRow("Quick Dish Archive") << "Label19" << "http://www.kettlebay.com/qdarchive.html";
    QTest::newRow("Cooking Class") << "Label20" << "http://www.kettlebay.com/shows.html";
    for (const char *name : {"Label17", "Label9", "Label8", "Label7", "Frame1"})
        QTest::newRow(qPrintable(QStringLiteral("%1 is no link").arg(name))) << name << "";
}

void TestResourceLinks::clickOpensTheLinksAddress()
{
    QFETCH(QString, control);
    QFETCH(QString, address);

    QTemporaryDir dir;
    RecipeList list;
    frmMain window(list, dir.path());
    window.Form_Load();
    window.show();
    window.findChild<TabControl *>(QStringLiteral("SSTab1"))->setCurrentIndex(1);
    UrlRecorder desktop;
    PromptRecorder prompts;
    QWidget *link = window.findChild<QWidget *>(control);
    QVERIFY(link->isVisible());
    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(desktop.urls, address.isEmpty() ? QList<QUrl>() : QList<QUrl>{QUrl(address)});
    QVERIFY(prompts.requests().isEmpty());
}

void TestResourceLinks::desktopThatCannotOpenAnAddressIsNotReported()
{
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        QSKIP("would open a browser: run with QT_QPA_PLATFORM=offscreen");
    PromptRecorder prompts;
    UrlOpener::open(QUrl(QStringLiteral("http://www.kettlebay.com/help/spices.html")));
    QVERIFY(prompts.requests().isEmpty());
}

QTEST_MAIN(TestResourceLinks)
#include "tst_resourcelinks.moc"
