#include "FakeLauncher.h"
#include "FakeRegistry.h"
#include "PromptRecorder.h"
#include "RecipeFile.h"
#include "RecipeList.h"
#include "frmAbout.h"
#include "frmMain.h"
#include "frmSearch.h"

#include <QtTest>
#include <QtWidgets>

namespace {

// Once `window` is active, focuses its control `name` (none: the focus stays where it is) and
// presses `key` on whatever has the focus.
bool press(QWidget *window, const QString &name, int key)
{
    QWidget *target = name.isEmpty() ? nullptr : window->findChild<QWidget *>(name);
    if (!QTest::qWaitForWindowActive(window) || (!name.isEmpty() && !target))
        return false;
    if (target)
        target->setFocus();
    if (!QTest::qWaitFor([&] { return QApplication::focusWidget() && (!target || target->hasFocus()); }, 2000))
        return false;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    return true;
}

QString outcome(const QString &window, const QString &focus, int key)
{
    PromptRecorder prompts;
    if (window == QLatin1String("main")) { // on recipe 2 of 3
        QTemporaryDir dir;
        QFile file(dir.filePath(RecipeFile::fileName()));
        if (file.open(QIODevice::WriteOnly))
            file.write("3,2\r\n" + QByteArray("\"Dish\"\r\n").repeated(18));
        file.close();
        RecipeList list;
        frmMain w(list, dir.path());
        w.Form_Load();
        w.show();
        if (!press(&w, focus, key))
            return "not pressed";
        return w.findChild<QLabel *>("lblCurrRecord")->text() + (prompts.requests().isEmpty() ? "" : ", printed")
            + " on " + QApplication::focusWidget()->objectName();
    }
    if (window == QLatin1String("about")) {
        FakeRegistry registry; // no tool: starting it ends in a message
        FakeLauncher launcher;
        frmAbout about(nullptr, registry, launcher);
        about.show();
        if (!press(&about, focus, key))
            return "not pressed";
        return QString(about.isVisible() ? "open" : "closed") + (prompts.requests().isEmpty() ? "" : ", System Info");
    }
    frmSearch search;
    bool stillOpen = false;
    QTimer::singleShot(0, [&] { // inside the dialog's modal loop
        stillOpen = !press(search.window(), focus, key) || search.window()->isVisible();
        search.window()->close();
    });
    bool findFirst = false;
    QString text;
    const bool ok = search.GetSearchStr(findFirst, text);
    return stillOpen ? "still open" : !ok ? "Cancel" : findFirst ? "Find First" : "Find Next";
}

} // namespace

class TestKeys : public QObject
{
    Q_OBJECT

private slots:
    void keyActsOnTheFocusedControl_data()
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
        row("search: Space on Find Next finds next", "search", "cmdFindNext", Qt::Key_Space, "Find Next");
        row("search: Enter on Cancel cancels", "search", "cmdCancel", Qt::Key_Return, "Cancel");
        row("search: Esc on Find Next cancels", "search", "cmdFindNext", Qt::Key_Escape, "Cancel");
        // The window opens on the tab strip, the only control from which Tab goes to the name box.
        row("main: first focus, then Tab to the name", "main", "", Qt::Key_Tab, "Record 2 of 3 on txtName");
        row("main: Enter on << goes back", "main", "cmdPrevious", Qt::Key_Return, "Record 1 of 3 on cmdPrevious");
        row("main: Enter on >> goes on", "main", "cmdNext", Qt::Key_Return, "Record 3 of 3 on cmdNext");
        row("main: Space on >> goes on", "main", "cmdNext", Qt::Key_Space, "Record 3 of 3 on cmdNext");
        row("main: Enter on Print This Recipe prints", "main", "cmdPrintSingle", Qt::Key_Return,
            "Record 2 of 3, printed on cmdPrintSingle");
        row("about: Enter on OK closes", "about", "cmdOK", Qt::Key_Return, "closed");
        row("about: Enter on System Info starts it", "about", "cmdSysInfo", Qt::Key_Return, "open, System Info");
        row("about: Space on System Info starts it", "about", "cmdSysInfo", Qt::Key_Space, "open, System Info");
        row("about: Esc on System Info closes", "about", "cmdSysInfo", Qt::Key_Escape, "closed");
    }

    void keyActsOnTheFocusedControl()
    {
        QFETCH(QString, window);
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(QString, expected);
        QCOMPARE(outcome(window, focus, key), expected);
    }
};

QTEST_MAIN(TestKeys)
#include "tst_keys.moc"
