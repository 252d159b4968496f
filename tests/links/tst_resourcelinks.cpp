#include "PromptRecorder.h"
#include "RecipeFile.h"
#include "RecipeList.h"
#include "TabControl.h"
#include "UrlRecorder.h"
#include "frmMain.h"

#include <QtTest>
#include <QtWidgets>

namespace {

// A shown main window with two recipes, the second on screen, and the "Resources" page on view.
class Window
{
public:
    Window()
    {
        QFile file(dir.filePath(RecipeFile::fileName()));
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write the recipe file");
        file.write("2,2\r\n\"Soup\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n"
                   "\"Tea\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
        file.close();
        window = std::make_unique<frmMain>(list, dir.path());
        window->Form_Load();
        window->show();
        window->findChild<TabControl *>(QStringLiteral("SSTab1"))->setCurrentIndex(1);
    }

    QWidget *child(const QString &name) const { return window->findChild<QWidget *>(name); }

    QTemporaryDir dir;
    RecipeList list;
    std::unique_ptr<frmMain> window;
};

} // namespace

class TestResourceLinks : public QObject
{
    Q_OBJECT

private slots:
    void everyLinkOpensItsAddressAndChangesNothing_data();
    void everyLinkOpensItsAddressAndChangesNothing();
    void labelsThatAreNoLinksDoNothing_data();
    void labelsThatAreNoLinksDoNothing();
    void addressLabelShowsTheAddressItOpens();
    void linkWithNoBrowserIsSilent();
};

void TestResourceLinks::everyLinkOpensItsAddressAndChangesNothing_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("address");

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
}

void TestResourceLinks::everyLinkOpensItsAddressAndChangesNothing()
{
    QFETCH(QString, control);
    QFETCH(QString, address);

    Window w;
    UrlRecorder desktop;
    PromptRecorder prompts;
    QWidget *link = w.child(control);
    QVERIFY(link->isVisible());
    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(desktop.addresses(), QStringList{address});
    QVERIFY(prompts.requests().isEmpty());

    QCOMPARE(w.window->findChild<QLabel *>(QStringLiteral("lblCurrRecord"))->text(), QStringLiteral("Record 2 of 2"));
    QCOMPARE(w.list.CurrentRecipe().value(), 2);
    QCOMPARE(w.list.Recipes(2).Name, QStringLiteral("Tea"));
    QCOMPARE(w.window->findChild<TabControl *>(QStringLiteral("SSTab1"))->currentIndex(), 1);
}

void TestResourceLinks::labelsThatAreNoLinksDoNothing_data()
{
    QTest::addColumn<QString>("control");
    for (const char *name : {"Label17", "Label9", "Label8", "Label7", "Frame1"})
        QTest::newRow(name) << name;
}

void TestResourceLinks::labelsThatAreNoLinksDoNothing()
{
    QFETCH(QString, control);
    Window w;
    UrlRecorder desktop;
    PromptRecorder prompts;
    QTest::mouseClick(w.child(control), Qt::LeftButton);
    QTest::mouseDClick(w.child(control), Qt::LeftButton);
    QVERIFY(desktop.urls.isEmpty());
    QVERIFY(prompts.requests().isEmpty());
}

void TestResourceLinks::addressLabelShowsTheAddressItOpens()
{
    Window w;
    UrlRecorder desktop;
    QTest::mouseClick(w.child("Label10"), Qt::LeftButton);
    QCOMPARE(desktop.addresses(), QStringList{w.window->findChild<QLabel *>(QStringLiteral("Label10"))->text()});
    QCOMPARE(desktop.urls.first().scheme(), QStringLiteral("http"));
    QCOMPARE(desktop.urls.first().path(), QString());
}

void TestResourceLinks::linkWithNoBrowserIsSilent()
{
    // With no handler for web addresses the desktop opens nothing and neither do we complain.
    struct Environment
    {
        QByteArray path = qgetenv("PATH");
        QByteArray browser = qgetenv("BROWSER");
        ~Environment()
        {
            qputenv("PATH", path);
            browser.isNull() ? qunsetenv("BROWSER") : qputenv("BROWSER", browser);
        }
    } restore;
    qputenv("BROWSER", "/nonexistent/browser");
    qputenv("PATH", "/nonexistent");
    Window w;
    PromptRecorder prompts;
    QTest::mouseClick(w.child("Label11"), Qt::LeftButton);
    QVERIFY(prompts.requests().isEmpty());
    QCOMPARE(w.list.CurrentRecipe().value(), 2);
}

QTEST_MAIN(TestResourceLinks)
#include "tst_resourcelinks.moc"
