#include "FakeLauncher.h"
#include "FakeRegistry.h"
#include "PromptRecorder.h"
#include "RecipeFile.h"
#include "RecipeList.h"
#include "TabControl.h"
#include "frmAbout.h"
#include "frmMain.h"
#include "frmSearch.h"

#include <QtTest>
#include <QtWidgets>

namespace {

// Gives the control `name` of `window` the focus, then presses `key` on whatever has it.
bool press(QWidget *window, const QString &name, int key)
{
    QWidget *target = window->findChild<QWidget *>(name);
    if (!target || !QTest::qWaitForWindowActive(window))
        return false;
    target->setFocus();
    if (!QTest::qWaitFor([&] { return target->hasFocus(); }, 2000))
        return false;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    return true;
}

// A shown main window on recipe 2 of 3.
struct MainWindow
{
    MainWindow()
    {
        QFile file(dir.filePath(RecipeFile::fileName()));
        if (file.open(QIODevice::WriteOnly))
            file.write("3,2\r\n" + QByteArray("\"Dish\"\r\n").repeated(18));
        file.close();
        window.Form_Load();
        window.show();
    }
    QTemporaryDir dir;
    RecipeList list;
    PromptRecorder prompts;
    frmMain window{list, dir.path()};
};

QString searchDialog(const QString &focus, int key)
{
    frmSearch search;
    QString failure;
    QTimer::singleShot(0, [&] {
        QDialog *dialog = search.window();
        if (!press(dialog, focus, key))
            failure = QStringLiteral("not pressed");
        if (dialog->isVisible()) {
            failure += QStringLiteral(" still open");
            dialog->close();
        }
    });
    bool findFirst = false;
    QString text;
    const bool ok = search.GetSearchStr(findFirst, text);
    return !failure.isEmpty() ? failure : !ok ? QStringLiteral("Cancel") : findFirst ? QStringLiteral("Find First")
                                                                                      : QStringLiteral("Find Next");
}

QString mainWindow(const QString &focus, int key)
{
    MainWindow w;
    if (!press(&w.window, focus, key))
        return QStringLiteral("not pressed");
    return w.window.findChild<QLabel *>(QStringLiteral("lblCurrRecord"))->text()
        + (w.prompts.requests().isEmpty() ? QString() : QStringLiteral(", printed"));
}

QString aboutBox(const QString &focus, int key)
{
    FakeRegistry registry; // no tool: starting it ends in a message
    FakeLauncher launcher;
    PromptRecorder prompts;
    frmAbout about(nullptr, registry, launcher);
    about.show();
    if (!press(&about, focus, key))
        return QStringLiteral("not pressed");
    return QString::fromLatin1(about.isVisible() ? "open" : "closed")
        + (prompts.requests().isEmpty() ? QString() : QStringLiteral(", System Info"));
}

} // namespace

class TestKeys : public QObject
{
    Q_OBJECT

private slots:
    void keyActsOnTheFocusedControl_data();
    void keyActsOnTheFocusedControl();
    void mainWindowOpensOnTheTabStripThenTabsToTheName();
};

void TestKeys::keyActsOnTheFocusedControl_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("expected");
    auto row = [](const char *name, const char *window, const char *focus, int key, const char *expected) {
        QTest::newRow(name) << window << focus << key << expected;
    };
    row("search: Enter in the box finds first", "search", "txtFindWhat", Qt::Key_Return, "Find First");
    row("search: Enter on Find First", "search", "cmdFindFirst", Qt::Key_Return, "Find First");
    row("search: Enter on Find Next finds next", "search", "cmdFindNext", Qt::Key_Return, "Find Next");
    row("search: keypad Enter on Find Next finds next", "search", "cmdFindNext", Qt::Key_Enter, "Find Next");
    row("search: Space on Find Next finds next", "search", "cmdFindNext", Qt::Key_Space, "Find Next");
    row("search: Enter on Cancel cancels", "search", "cmdCancel", Qt::Key_Return, "Cancel");
    row("search: Esc on Find Next cancels", "search", "cmdFindNext", Qt::Key_Escape, "Cancel");
    row("main: Enter on << goes back", "main", "cmdPrevious", Qt::Key_Return, "Record 1 of 3");
    row("main: Enter on >> goes on", "main", "cmdNext", Qt::Key_Return, "Record 3 of 3");
    row("main: Space on >> goes on", "main", "cmdNext", Qt::Key_Space, "Record 3 of 3");
    row("main: Enter on Print This Recipe prints", "main", "cmdPrintSingle", Qt::Key_Return, "Record 2 of 3, printed");
    row("about: Enter on OK closes", "about", "cmdOK", Qt::Key_Return, "closed");
    row("about: Enter on System Info starts it", "about", "cmdSysInfo", Qt::Key_Return, "open, System Info");
    row("about: Space on System Info starts it", "about", "cmdSysInfo", Qt::Key_Space, "open, System Info");
    row("about: Esc on System Info closes", "about", "cmdSysInfo", Qt::Key_Escape, "closed");
}

void TestKeys::keyActsOnTheFocusedControl()
{
    QFETCH(QString, window);
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(QString, expected);
    const QString got = window == QLatin1String("search") ? searchDialog(focus, key)
                        : window == QLatin1String("main") ? mainWindow(focus, key)
                                                          : aboutBox(focus, key);
    QCOMPARE(got, expected);
}

void TestKeys::mainWindowOpensOnTheTabStripThenTabsToTheName()
{
    MainWindow w;
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    QTabBar *strip = w.window.findChild<TabControl *>(QStringLiteral("SSTab1"))->tabBar();
    QTRY_VERIFY_WITH_TIMEOUT(strip->hasFocus(), 2000);
    QTest::keyClick(strip, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txtName"));
}

QTEST_MAIN(TestKeys)
#include "tst_keys.moc"
