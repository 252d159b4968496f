// What a screen reader says of every window and of every control in it that takes the focus or
// shows a picture, through Qt's accessibility interfaces (which the AT-SPI bridge reads).
#include "Testing.h"
#include "app/PrintProgressDialog.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/SplashScreen.h"
#include "search/SearchDialog.h"

#include <QAccessible>

namespace {

// "name (role)" of the window's control with that object name, or of the window itself; a
// name given as "prefix*" is compared up to the star.
QString spoken(QWidget *window, const QString &objectName)
{
    QObject *control = objectName.isEmpty() ? window : window->findChild<QObject *>(objectName);
    QAccessibleInterface *face = control ? QAccessible::queryAccessibleInterface(control) : nullptr;
    if (!face)
        return "(none)";
    return face->text(QAccessible::Name) + " (" + QMetaEnum::fromType<QAccessible::Role>().valueToKey(face->role())
        + ")";
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void everyWindowAndControlHasANameAndARole_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("spoken");
        const auto row = [](const char *window, const char *control, const char *spoken) {
            QTest::addRow("%s %s", window, *control ? control : "window") << window << control << spoken;
        };
        row("main", "", "Larderly (Window)");
        row("main", "nameEdit", "Name of Dish (EditableText)");
        row("main", "prepTimeEdit", "Preparation Time (EditableText)");
        row("main", "cookTimeEdit", "Cooking Time (EditableText)");
        row("main", "servingsEdit", "Servings (EditableText)");
        row("main", "ingredientsEdit", "Ingredients (EditableText)");
        row("main", "directionsEdit", "Directions (EditableText)");
        row("main", "previousButton", "Previous recipe (Button)");
        row("main", "nextButton", "Next recipe (Button)");
        row("main", "printButton", "Print This Recipe (Button)");
        row("main", "background", "Red and white checkerboard (Graphic)");
        row("main", "siteLogo", "Kettlebay logo, the maker's web site (Link)");
        row("main", "siteLink", "http://www.kettlebay.com (Link)");
        row("main", "cookingClassLink", "Cooking Class (Link)");
        row("main", "statusPanel", "Status (StaticText)");
        row("main", "datePanel", "Date: * (StaticText)");
        row("main", "timePanel", "Time: * (StaticText)");
        row("search", "", "Search (Dialog)");
        row("search", "findWhatEdit", "Find What: (EditableText)");
        row("search", "findFirstButton", "Find First (Button)");
        row("search", "findNextButton", "Find Next (Button)");
        row("search", "cancelButton", "Cancel (Button)");
        row("about", "", "About Larderly (Dialog)");
        row("about", "logo", "Kettlebay logo (Graphic)");
        row("about", "okButton", "OK (Button)");
        row("about", "systemInfoButton", "System Info... (Button)");
        row("splash", "", "Larderly is starting (Client)");
        row("splash", "logo", "Kettlebay logo (Graphic)");
        row("splash", "background", "Red and white checkerboard (Graphic)");
        row("message", "", "Larderly (AlertMessage)");
        row("progress", "", "Printing all recipes (Dialog)");
    }
    void everyWindowAndControlHasANameAndARole()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QString, spoken);
        QString heard;
        if (window == "main") {
            WindowFixture w;
            heard = ::spoken(w.window.get(), control);
        } else if (window == "search") {
            SearchDialog search;
            onModal([&](QWidget *dialog) {
                heard = ::spoken(dialog, control);
                dialog->close();
            });
            search.ask();
        } else if (window == "about") {
            AboutDialog about(nullptr);
            heard = ::spoken(&about, control);
        } else if (window == "splash") {
            SplashScreen splash;
            heard = ::spoken(&splash, control);
        } else if (window == "message") {
            RealMessageBoxes real;
            onModal([&](QWidget *box) {
                heard = ::spoken(box, control);
                box->close();
            });
            MessageBox::message(nullptr, "Saved.");
        } else {
            QWidget owner;
            PrintProgressDialog progress(&owner, 0);
            QVERIFY(!progress.cancelled(0, 10));
            heard = ::spoken(progress.dialog(), control);
        }
        if (spoken.contains(u'*'))
            QVERIFY2(heard.startsWith(spoken.section(u'*', 0, 0)), qPrintable(heard));
        else
            QCOMPARE(heard, spoken);
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
