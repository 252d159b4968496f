#include "FakeMainView.h"
#include "MainLogic.h"
#include "MessageBox.h"
#include "PromptRecorder.h"
#include "RecipeFile.h"
#include "RecipeList.h"

#include <QtTest>

namespace {

// The logic with a stand-alone view and a recipe box in a temporary folder.
class Window
{
public:
    explicit Window(int count = 0, int current = 0)
        : file(list, dir.path(), [](const QString &m) { MessageBox::message(nullptr, m); })
        , logic(list, file, view)
    {
        for (int i = 1; i <= count; ++i) {
            list.appendEmpty();
            list.Recipes(i).Name = QStringLiteral("Recipe %1").arg(i);
            list.Recipes(i).Directions = QStringLiteral("Step %1\r\nRest").arg(i);
        }
        list.setCurrentRecipe(current);
        logic.ShowCurrentRecipe();
    }

    QByteArray fileBytes() const
    {
        QFile f(file.filePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    RecipeList list;
    RecipeFile file;
    FakeMainView view;
    MainLogic logic;
};

void run(MainLogic &logic, const QString &command)
{
    if (command == "First") logic.mnuRecordsFirst_Click();
    else if (command == "Last") logic.mnuRecordsLast_Click();
    else if (command == "Next") logic.mnuRecordsNext_Click();
    else if (command == "Previous") logic.mnuRecordsPrevious_Click();
    else if (command == ">>") logic.cmdNext_Click();
    else if (command == "<<") logic.cmdPrevious_Click();
    else QFAIL("unknown command");
}

} // namespace

class TestMainLogic : public QObject
{
    Q_OBJECT

private slots:
    void moves_data();
    void moves();
    void emptyListFirstAndLastToggleCurrent();
    void refusedMoveKeepsTypedEditsUnstored();
    void moveStoresTypedEdits();
    void showCurrentRecipe_data();
    void showCurrentRecipe();
    void loadShowsTheRecipeTheHeaderNames();
    void closingStoresTheBoxesAndSaves();
    void failedSaveAtCloseAsksBeforeLosingEdits_data();
    void failedSaveAtCloseAsksBeforeLosingEdits();
    void exitUnloadsTheWindow();
};

void TestMainLogic::moves_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("beeps");
    QTest::addColumn<int>("currentAfter");
    QTest::addColumn<QString>("counter");

    QTest::newRow("First on recipe 1 beeps") << 5 << 1 << "First" << true << 1 << "Record 1 of 5";
    QTest::newRow("First from recipe 3") << 5 << 3 << "First" << false << 1 << "Record 1 of 5";
    QTest::newRow("Last on the last recipe beeps") << 5 << 5 << "Last" << true << 5 << "Record 5 of 5";
    QTest::newRow("Last from recipe 2") << 5 << 2 << "Last" << false << 5 << "Record 5 of 5";
    QTest::newRow("Next on the last recipe beeps") << 3 << 3 << "Next" << true << 3 << "Record 3 of 3";
    QTest::newRow("Next moves on") << 3 << 1 << "Next" << false << 2 << "Record 2 of 3";
    QTest::newRow("Previous on recipe 1 beeps") << 3 << 1 << "Previous" << true << 1 << "Record 1 of 3";
    QTest::newRow("Previous moves back") << 3 << 3 << "Previous" << false << 2 << "Record 2 of 3";
    QTest::newRow("button >> is Next") << 3 << 2 << ">>" << false << 3 << "Record 3 of 3";
    QTest::newRow("button >> beeps on the last") << 3 << 3 << ">>" << true << 3 << "Record 3 of 3";
    QTest::newRow("button << is Previous") << 3 << 2 << "<<" << false << 1 << "Record 1 of 3";
    QTest::newRow("button << beeps on recipe 1") << 3 << 1 << "<<" << true << 1 << "Record 1 of 3";
    QTest::newRow("empty list, current 0: First goes to 1") << 0 << 0 << "First" << false << 1 << "No Records";
    QTest::newRow("empty list, current 1: First beeps") << 0 << 1 << "First" << true << 1 << "No Records";
    QTest::newRow("empty list, current 0: Last beeps") << 0 << 0 << "Last" << true << 0 << "No Records";
    QTest::newRow("empty list, current 1: Last goes to 0") << 0 << 1 << "Last" << false << 0 << "No Records";
    QTest::newRow("empty list: Next beeps") << 0 << 0 << "Next" << true << 0 << "No Records";
    QTest::newRow("empty list, current 1: Next beeps") << 0 << 1 << "Next" << true << 1 << "No Records";
    QTest::newRow("empty list: Previous beeps") << 0 << 1 << "Previous" << true << 1 << "No Records";
}

void TestMainLogic::moves()
{
    QFETCH(int, count);
    QFETCH(int, current);
    QFETCH(QString, command);
    QFETCH(bool, beeps);
    QFETCH(int, currentAfter);
    QFETCH(QString, counter);

    Window w(count, current);
    run(w.logic, command);
    QCOMPARE(w.view.beeps, beeps ? 1 : 0);
    QCOMPARE(w.list.CurrentRecipe().value(), currentAfter);
    QCOMPARE(w.view.counter, counter);
    QCOMPARE(w.view.texts[MainView::txtName], count ? QStringLiteral("Recipe %1").arg(currentAfter) : QString());
    QVERIFY(w.list.invariantsHold());
}

void TestMainLogic::emptyListFirstAndLastToggleCurrent()
{
    Window w;
    w.logic.mnuRecordsFirst_Click();
    w.logic.mnuRecordsFirst_Click();
    QCOMPARE(w.view.beeps, 1);
    QCOMPARE(w.list.CurrentRecipe(), Int16(1));
    w.logic.mnuRecordsLast_Click();
    QCOMPARE(w.view.beeps, 1);
    QCOMPARE(w.list.CurrentRecipe(), Int16(0));
    w.logic.mnuRecordsLast_Click();
    QCOMPARE(w.view.beeps, 2);
    QCOMPARE(w.view.counter, QStringLiteral("No Records"));
}

void TestMainLogic::refusedMoveKeepsTypedEditsUnstored()
{
    Window w(3, 1);
    w.view.texts[MainView::txtName] = QStringLiteral("Typed");
    w.logic.mnuRecordsFirst_Click();
    QCOMPARE(w.view.beeps, 1);
    QCOMPARE(w.view.texts[MainView::txtName], QStringLiteral("Typed"));
    QCOMPARE(w.list.Recipes(1).Name, QStringLiteral("Recipe 1"));
}

void TestMainLogic::moveStoresTypedEdits()
{
    Window w(3, 1);
    for (int box = 0; box < MainView::BoxCount; ++box)
        w.view.texts[box] = QStringLiteral(" typed %1 ").arg(box);
    w.logic.mnuRecordsNext_Click();
    QCOMPARE(w.view.texts[MainView::txtName], QStringLiteral("Recipe 2"));
    w.logic.mnuRecordsPrevious_Click();
    for (int box = 0; box < MainView::BoxCount; ++box) {
        QCOMPARE(w.view.texts[box], QStringLiteral(" typed %1 ").arg(box));
        QCOMPARE(w.list.Recipes(1).field(box), QStringLiteral(" typed %1 ").arg(box));
    }
}

void TestMainLogic::showCurrentRecipe_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("current");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("counter");

    QTest::newRow("recipe 3 of 12") << 12 << 3 << true << "Record 3 of 12";
    QTest::newRow("empty list") << 0 << 0 << false << "No Records";
    QTest::newRow("largest list") << 32767 << 32767 << true << "Record 32767 of 32767";
}

void TestMainLogic::showCurrentRecipe()
{
    QFETCH(int, count);
    QFETCH(int, current);
    QFETCH(bool, enabled);
    QFETCH(QString, counter);

    Window w(count, current);
    for (int box = 0; box < MainView::BoxCount; ++box) {
        QCOMPARE(w.view.enabled[box], enabled);
        QCOMPARE(w.view.texts[box], count ? w.list.Recipes(current).field(box) : QString());
    }
    QCOMPARE(w.view.counter, counter);

    // A recipe whose fields are all empty is still a recipe, not the empty state.
    if (count) {
        w.list.Recipes(current) = Recipe();
        w.logic.ShowCurrentRecipe();
        QCOMPARE(w.view.enabled[MainView::txtName], true);
        QCOMPARE(w.view.counter, counter);
    }
}

void TestMainLogic::loadShowsTheRecipeTheHeaderNames()
{
    Window saved(9, 4);
    QVERIFY(saved.file.SaveRecipes());

    const QString elsewhere = QDir::currentPath();
    RecipeList list;
    RecipeFile file(list, saved.dir.path(), [](const QString &m) { MessageBox::message(nullptr, m); });
    FakeMainView view;
    MainLogic logic(list, file, view);
    logic.Form_Load();
    QCOMPARE(view.counter, QStringLiteral("Record 4 of 9"));
    QCOMPARE(view.texts[MainView::txtDirections], QStringLiteral("Step 4\r\nRest"));
    QCOMPARE(QDir::currentPath(), QDir(saved.dir.path()).canonicalPath());
    QDir::setCurrent(elsewhere);
}

void TestMainLogic::closingStoresTheBoxesAndSaves()
{
    Window w(2, 2);
    w.view.texts[MainView::txtServe] = QStringLiteral("12");
    QVERIFY(w.logic.Form_Unload());
    QVERIFY(w.fileBytes().contains("\"Recipe 2\"\r\n\"\"\r\n\"\"\r\n\"12\"\r\n"));
    QVERIFY(w.fileBytes().startsWith("2,2\r\n"));
}

void TestMainLogic::failedSaveAtCloseAsksBeforeLosingEdits_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");
    QTest::newRow("No keeps the window open") << int(MessageBox::No) << false;
    QTest::newRow("Yes closes anyway") << int(MessageBox::Yes) << true;
}

void TestMainLogic::failedSaveAtCloseAsksBeforeLosingEdits()
{
    QFETCH(int, answer);
    QFETCH(bool, closes);

    Window w(1, 1);
    QVERIFY(QDir(w.dir.path()).mkdir(RecipeFile::fileName())); // a folder in the file's place
    w.view.texts[MainView::txtName] = QStringLiteral("Edited");

    PromptRecorder prompts;
    prompts.answerNext(MessageBox::Ok);
    prompts.answerNext(MessageBox::Button(answer));
    QCOMPARE(w.logic.Form_Unload(), closes);
    QCOMPARE(prompts.requests().size(), 2);
    QCOMPARE(prompts.requests().at(0).text, QStringLiteral("Path/File access error"));
    QCOMPARE(prompts.requests().at(1).buttons, MessageBox::Yes | MessageBox::No);
    QCOMPARE(prompts.requests().at(1).defaultButton, MessageBox::No);
    QCOMPARE(w.view.texts[MainView::txtName], QStringLiteral("Edited"));
    QCOMPARE(w.list.Recipes(1).Name, QStringLiteral("Edited"));
}

void TestMainLogic::exitUnloadsTheWindow()
{
    Window w;
    w.logic.mnuFileExit_Click();
    QVERIFY(w.view.unloaded);
}

QTEST_GUILESS_MAIN(TestMainLogic)
#include "tst_mainlogic.moc"
