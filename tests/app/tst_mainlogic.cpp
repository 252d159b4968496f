#include "FakeMainView.h"
#include "FakeSearchPrompt.h"
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
        logic.setSearchDialogFactory([this] { return search.make(); });
    }

    void find(bool findFirst, const QString &text)
    {
        search.script().answers << FakeSearchPrompt::Answer{true, findFirst, text};
        logic.mnuRecordsSearch_Click();
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
    FakeSearchPrompt search; // the search dialog
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
    void refusedMoveKeepsTypedEditsUnstored();
    void moveStoresTypedEdits();
    void showCurrentRecipe_data();
    void showCurrentRecipe();
    void loadShowsTheRecipeTheHeaderNames();
    void closingStoresTheBoxesAndSaves();

    void addStoresTheBoxesThenShowsANewEmptyRecipe_data();
    void addStoresTheBoxesThenShowsANewEmptyRecipe();
    void addToAFullBoxIsRefusedAndChangesNothing();
    void deleteAsksAboutTheStoredName_data();
    void deleteAsksAboutTheStoredName();
    void deleteOnAnEmptyListBeeps();
    void saveWritesWhatWasJustTyped();

    void searchMovesToTheFirstHit_data();
    void searchMovesToTheFirstHit();
    void noHitSaysSoAndChangesNothing_data();
    void noHitSaysSoAndChangesNothing();
    void findNextContinuesAfterTheRecipeOnScreen();
    void findNextWithoutATextOpensTheDialog();
    void cancelOrAnEmptyTextNeitherScansNorKeepsOld();
    void findNextFromTheLargestIndexReportsNoMore();
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

void TestMainLogic::addStoresTheBoxesThenShowsANewEmptyRecipe_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("current");
    QTest::newRow("recipe 2 of 3 on screen") << 3 << 2;
    QTest::newRow("empty list") << 0 << 0;
}

void TestMainLogic::addStoresTheBoxesThenShowsANewEmptyRecipe()
{
    QFETCH(int, count);
    QFETCH(int, current);
    Window w(count, current);
    w.view.texts[MainView::txtCook] = QStringLiteral("typed");
    w.logic.mnuRecordsAdd_Click();

    if (count)
        QCOMPARE(w.list.Recipes(current).CookTime, QStringLiteral("typed"));
    QCOMPARE(w.list.RecipeCount().value(), count + 1);
    QCOMPARE(w.view.counter, QStringLiteral("Record %1 of %1").arg(count + 1));
    for (int box = 0; box < MainView::BoxCount; ++box) {
        QCOMPARE(w.view.texts[box], QString());
        QVERIFY(w.view.enabled[box]);
    }
    QCOMPARE(w.view.focus, int(MainView::txtName));
}

void TestMainLogic::addToAFullBoxIsRefusedAndChangesNothing()
{
    Window w(32767, 5);
    QVERIFY(w.file.SaveRecipes());
    const QByteArray before = w.fileBytes();
    PromptRecorder prompts;
    w.logic.mnuRecordsAdd_Click();

    QCOMPARE(prompts.requests().size(), 1);
    QVERIFY(prompts.texts().first().contains(QStringLiteral("full")));
    QCOMPARE(prompts.requests().first().buttons, int(MessageBox::Ok));
    QCOMPARE(w.list.RecipeCount(), Int16(32767));
    QCOMPARE(w.list.CurrentRecipe(), Int16(5));
    QCOMPARE(w.view.counter, QStringLiteral("Record 5 of 32767"));
    QCOMPARE(w.view.texts[MainView::txtName], QStringLiteral("Recipe 5"));
    QCOMPARE(w.fileBytes(), before);
}

void TestMainLogic::deleteAsksAboutTheStoredName_data()
{
    QTest::addColumn<QString>("storedName");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("namesAfter");
    QTest::addColumn<QString>("counterAfter");

    QTest::newRow("Yes removes it, the next takes its number")
        << "Recipe 2" << int(MessageBox::Yes) << QStringList{"Recipe 1", "Recipe 3"} << "Record 2 of 2";
    QTest::newRow("No changes nothing")
        << "Recipe 2" << int(MessageBox::No) << QStringList{"Recipe 1", "Recipe 2", "Recipe 3"} << "Record 2 of 3";
    QTest::newRow("empty stored name") << "" << int(MessageBox::No) << QStringList{"Recipe 1", "", "Recipe 3"}
                                      << "Record 2 of 3";
    QTest::newRow("name with markup is asked as typed")
        << "<b>Fish & chips</b>" << int(MessageBox::No) << QStringList{"Recipe 1", "<b>Fish & chips</b>", "Recipe 3"}
        << "Record 2 of 3";
}

void TestMainLogic::deleteAsksAboutTheStoredName()
{
    QFETCH(QString, storedName);
    QFETCH(int, answer);
    QFETCH(QStringList, namesAfter);
    QFETCH(QString, counterAfter);

    Window w(3, 2);
    w.list.Recipes(2).Name = storedName;
    w.logic.ShowCurrentRecipe();
    w.view.texts[MainView::txtName] = QStringLiteral("typed, not stored");
    PromptRecorder prompts;
    prompts.answerNext(MessageBox::Button(answer));
    w.logic.mnuRecordsDelete_Click();

    QCOMPARE(prompts.requests().size(), 1);
    const MessageBox::Request question = prompts.requests().first();
    QCOMPARE(question.text, QStringLiteral("Are you sure you want to delete ") + storedName + QStringLiteral("?"));
    QCOMPARE(question.buttons, MessageBox::Yes | MessageBox::No);
    QCOMPARE(question.defaultButton, MessageBox::Yes);
    QCOMPARE(question.icon, MessageBox::NoIcon);
    QCOMPARE(question.caption, QString());
    QStringList names;
    for (int i = 1; i <= w.list.RecipeCount().value(); ++i)
        names << w.list.Recipes(i).Name;
    QCOMPARE(names, namesAfter);
    QCOMPARE(w.view.counter, counterAfter);
    if (answer == MessageBox::No)
        QCOMPARE(w.view.texts[MainView::txtName], QStringLiteral("typed, not stored"));
}

void TestMainLogic::deleteOnAnEmptyListBeeps()
{
    Window w(1, 1);
    PromptRecorder prompts;
    prompts.answerNext(MessageBox::Yes);
    w.logic.mnuRecordsDelete_Click();
    QCOMPARE(w.view.counter, QStringLiteral("No Records"));
    QVERIFY(!w.view.enabled[MainView::txtName]);
    QCOMPARE(w.list.CurrentRecipe(), Int16(0));
    w.logic.mnuRecordsDelete_Click();
    QCOMPARE(w.view.beeps, 1);
    QCOMPARE(prompts.requests().size(), 1);
}

void TestMainLogic::saveWritesWhatWasJustTyped()
{
    Window w(1, 1);
    w.view.texts[MainView::txtPrep] = QStringLiteral("45 min");
    PromptRecorder prompts;
    w.logic.mnuFileSave_Click();
    QCOMPARE(prompts.requests().size(), 0);
    QCOMPARE(w.fileBytes(), QByteArray("1,1\r\n\"Recipe 1\"\r\n\"45 min\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"Step 1\r\nRest\"\r\n"));
}

void TestMainLogic::searchMovesToTheFirstHit_data()
{
    QTest::addColumn<bool>("findFirst");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("recipe");
    QTest::addColumn<int>("focus");

    QTest::newRow("Find First starts at recipe 1") << true << "recipe" << 1 << int(MainView::txtName);
    QTest::newRow("Find Next starts after the current") << false << "recipe" << 3 << int(MainView::txtName);
    QTest::newRow("focus goes to the matching field") << true << "step 4" << 4 << int(MainView::txtDirections);
    QTest::newRow("case and accents ignored") << true << "RÉST" << 1 << int(MainView::txtDirections);
    QTest::newRow("unsaved edits are stored, then found") << true << "typed soup" << 2 << int(MainView::txtServe);
}

void TestMainLogic::searchMovesToTheFirstHit()
{
    QFETCH(bool, findFirst);
    QFETCH(QString, text);
    QFETCH(int, recipe);
    QFETCH(int, focus);

    Window w(4, 2);
    w.view.texts[MainView::txtServe] = QStringLiteral("Typed Soup");
    w.find(findFirst, text);
    QCOMPARE(w.list.CurrentRecipe().value(), recipe);
    QCOMPARE(w.view.counter, QStringLiteral("Record %1 of 4").arg(recipe));
    QCOMPARE(w.view.focus, focus);
    QCOMPARE(w.logic.findWhat(), text);
    QCOMPARE(w.list.Recipes(2).Servings, QStringLiteral("Typed Soup"));
}

void TestMainLogic::noHitSaysSoAndChangesNothing_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("current");
    QTest::addColumn<bool>("findFirst");
    QTest::addColumn<QString>("text");

    QTest::newRow("text found nowhere") << 3 << 2 << true << "<b>Tom's</b> & co";
    QTest::newRow("text only in the recipe on screen, Find Next") << 3 << 2 << false << "recipe 2";
    QTest::newRow("Find Next on the last recipe") << 3 << 3 << false << "recipe";
    QTest::newRow("empty list") << 0 << 0 << true << "recipe";
}

void TestMainLogic::noHitSaysSoAndChangesNothing()
{
    QFETCH(int, count);
    QFETCH(int, current);
    QFETCH(bool, findFirst);
    QFETCH(QString, text);

    Window w(count, current);
    const QString counterBefore = w.view.counter;
    PromptRecorder prompts;
    w.find(findFirst, text);
    QCOMPARE(prompts.texts(), QStringList{QStringLiteral("No more occurrences of '") + text + QStringLiteral("'.")});
    QCOMPARE(prompts.requests().first().icon, MessageBox::NoIcon);
    QCOMPARE(w.list.CurrentRecipe().value(), current);
    QCOMPARE(w.view.counter, counterBefore);
    QCOMPARE(w.view.focus, -1);
}

void TestMainLogic::findNextContinuesAfterTheRecipeOnScreen()
{
    Window w(4, 1);
    w.list.Recipes(1).Directions = QStringLiteral("salt");
    w.list.Recipes(3).Name = QStringLiteral("Salted salt");
    w.list.Recipes(3).Directions = QStringLiteral("salt");
    w.logic.ShowCurrentRecipe();
    w.find(true, QStringLiteral("salt"));
    QCOMPARE(w.list.CurrentRecipe(), Int16(1));
    w.logic.mnuRecordsFindNext_Click();
    QCOMPARE(w.list.CurrentRecipe(), Int16(3)); // the next recipe, not the next field
    QCOMPARE(w.view.focus, int(MainView::txtName));
    PromptRecorder prompts;
    w.logic.mnuRecordsFindNext_Click();
    QCOMPARE(prompts.texts(), QStringList{"No more occurrences of 'salt'."});
    QCOMPARE(w.list.CurrentRecipe(), Int16(3));
    QCOMPARE(w.search.script().shown, 1);
    QCOMPARE(w.search.script().created, 1);
}

void TestMainLogic::findNextWithoutATextOpensTheDialog()
{
    Window w(3, 1);
    w.search.script().answers << FakeSearchPrompt::Answer{true, false, QStringLiteral("recipe")};
    w.logic.mnuRecordsFindNext_Click();
    QCOMPARE(w.search.script().shown, 1);
    QCOMPARE(w.list.CurrentRecipe(), Int16(2));
    w.find(true, QStringLiteral("recipe"));
    QCOMPARE(w.search.script().created, 1); // one dialog object for the whole run
}

void TestMainLogic::cancelOrAnEmptyTextNeitherScansNorKeepsOld()
{
    Window w(3, 2);
    PromptRecorder prompts;
    w.find(true, QStringLiteral("recipe 3"));
    QCOMPARE(w.list.CurrentRecipe(), Int16(3));

    w.search.script().answers << FakeSearchPrompt::Answer{false, true, QStringLiteral("ignored")};
    w.logic.mnuRecordsSearch_Click(); // Cancel keeps the old text
    QCOMPARE(w.logic.findWhat(), QStringLiteral("recipe 3"));

    w.find(true, QString()); // an empty box confirmed: no scan, no message, text now empty
    QCOMPARE(w.logic.findWhat(), QString());
    QCOMPARE(prompts.requests().size(), 0);
    QCOMPARE(w.list.CurrentRecipe(), Int16(3));
    w.logic.mnuRecordsFindNext_Click(); // and the next Find Next asks again
    QCOMPARE(w.search.script().shown, 4);
}

void TestMainLogic::findNextFromTheLargestIndexReportsNoMore()
{
    Window w(32767, 32767);
    w.find(true, QStringLiteral("recipe 32767"));
    QCOMPARE(w.list.CurrentRecipe(), Int16(32767));
    PromptRecorder prompts;
    w.logic.mnuRecordsFindNext_Click();
    QCOMPARE(prompts.texts(), QStringList{"No more occurrences of 'recipe 32767'."});
    QCOMPARE(w.list.CurrentRecipe(), Int16(32767));
}

QTEST_GUILESS_MAIN(TestMainLogic)
#include "tst_mainlogic.moc"
