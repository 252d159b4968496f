#include "Testing.h"

namespace {

const char *const BoxNames[] = {"txtName", "txtPrep", "txtCook", "txtServe", "txtIngredients", "txtDirections"};

// What the user sees: the counter, the six boxes ("^" for a line break), whether they are
// disabled and where the focus went.
QString screen(const FakeMainView &view)
{
    QStringList texts;
    bool enabled = false;
    for (int box = 0; box < MainView::BoxCount; ++box) {
        texts << QString(view.texts[box]).replace(QStringLiteral("\r\n"), QStringLiteral("^"));
        enabled = enabled || view.enabled[box];
    }
    return view.counter + ": " + texts.join(u'/') + (enabled ? "" : " (disabled)")
        + (view.focus >= 0 ? QStringLiteral(" @") + BoxNames[view.focus] : QString());
}

// Runs one step of a session: a command, "type X" (X into every box), "Delete yes|no",
// "Search first|next X", "Search cancel|empty" or "F3" with the dialog's answer, if it asks.
void run(LogicFixture &w, PromptRecorder &prompts, const QString &step)
{
    const QString verb = step.section(u' ', 0, 0);
    const QString rest = step.section(u' ', 1);
    if (verb == "type") {
        for (QString &text : w.view.texts)
            text = rest;
        return;
    }
    if (verb == "Delete")
        prompts.answers << (rest == "yes" ? MessageBox::Yes : MessageBox::No);
    if (verb == "Search" || (verb == "F3" && !rest.isEmpty())) {
        const QString how = rest.section(u' ', 0, 0);
        w.answers << LogicFixture::Answer{how != "cancel", how != "next", rest.section(u' ', 1)};
    }
    static const QHash<QString, void (MainLogic::*)()> commands = {
        {"First", &MainLogic::mnuRecordsFirst_Click}, {"Last", &MainLogic::mnuRecordsLast_Click},
        {"Next", &MainLogic::mnuRecordsNext_Click}, {"Previous", &MainLogic::mnuRecordsPrevious_Click},
        {">>", &MainLogic::cmdNext_Click}, {"<<", &MainLogic::cmdPrevious_Click},
        {"Add", &MainLogic::mnuRecordsAdd_Click}, {"Delete", &MainLogic::mnuRecordsDelete_Click},
        {"Search", &MainLogic::mnuRecordsSearch_Click}, {"F3", &MainLogic::mnuRecordsFindNext_Click}};
    (w.logic.*commands.value(verb))();
}

} // namespace

class TestMainLogic : public QObject
{
    Q_OBJECT

private slots:
    void sessions_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("current");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("screens");
        QList<QStringList> sessions{{"(no session)"}}; // the heading, then the steps and screens
        for (const QString &line : dataLines(QFINDTESTDATA("sessions.txt")))
            line.startsWith("== ") ? void(sessions << QStringList{line.mid(3)}) : void(sessions.last() << line);
        QVERIFY(sessions.size() > 20 && sessions[0].size() == 1);
        for (const QStringList &session : sessions.mid(1)) {
            QStringList steps, screens;
            for (const QString &line : session.mid(1))
                line.startsWith("> ") ? void(steps << line.mid(2)) : void(screens << line);
            const QString size = session[0].section(": ", -1);
            QTest::newRow(qPrintable(session[0].section(": ", 0, -2))) << size.section(' ', 0, 0).toInt()
                                                                      << size.section(' ', 1).toInt() << steps << screens;
        }
    }
    void sessions()
    {
        QFETCH(int, count);
        QFETCH(int, current);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, screens);

        LogicFixture w(numbered(count, current));
        PromptRecorder prompts;
        QStringList seen;
        for (const QString &step : steps) {
            const int beeps = w.view.beeps;
            const int dialogs = w.dialogsShown;
            w.view.focus = -1;
            prompts.requests.clear();
            run(w, prompts, step);
            QString entry = QString(w.view.beeps > beeps ? "beep " : "") + (w.dialogsShown > dialogs ? "dialog " : "");
            for (const MessageBox::Request &box : prompts.requests) {
                QCOMPARE(box.caption, QString()); // the program's title
                QCOMPARE(box.icon, MessageBox::NoIcon);
                entry += box.text + (box.buttons == MessageBox::Ok ? "" : box.defaultButton == MessageBox::Yes ? " [Yes/no]" : " [yes/No]") + " | ";
            }
            seen << entry + screen(w.view);
        }
        QCOMPARE(seen, screens);
        QVERIFY(w.list.invariantsHold());
        QVERIFY(w.dialogsMade <= 1); // one search dialog for the whole run
    }

    void changesAreKeptInARecoveryCopyUntilSaved_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("kept"); // the names and servings of the copy, empty for no copy
        QTest::newRow("typing, not yet stored; File > Save removes the copy") << "type" << "Recipe 1 12|Recipe 2 |Recipe 3 ";
        QTest::newRow("a recipe added; closing removes the copy") << "Add" << "Recipe 1 12|Recipe 2 |Recipe 3 | ";
        QTest::newRow("a recipe deleted") << "Delete" << "Recipe 2 |Recipe 3 ";
        QTest::newRow("moving between recipes is no change") << "Next" << "";
    }
    void changesAreKeptInARecoveryCopyUntilSaved()
    {
        QFETCH(QString, change);
        QFETCH(QString, kept);
        LogicFixture w(numbered(3, 1));
        PromptRecorder prompts;
        prompts.answers = {MessageBox::Yes};
        w.view.texts[MainView::txtServe] = "12";
        change == "type" ? w.logic.boxEdited() : change == "Add" ? w.logic.mnuRecordsAdd_Click()
            : change == "Delete" ? w.logic.mnuRecordsDelete_Click() : w.logic.mnuRecordsNext_Click();
        QCOMPARE(w.logic.hasUnsavedChanges(), !kept.isEmpty());
        RecipeList copy;
        QTRY_VERIFY_WITH_TIMEOUT(kept.isEmpty() || QFile::exists(w.path(RecipeFile::recoveryName())), 3000);
        if (!kept.isEmpty())
            RecipeFile::read(w.path(RecipeFile::recoveryName()), copy);
        QStringList recipes;
        for (int i = 1; i <= copy.RecipeCount().value(); ++i)
            recipes << copy.Recipes(i).Name + " " + copy.Recipes(i).Servings;
        QCOMPARE(recipes.join(u'|'), kept);
        QVERIFY(change != "type" || w.list.Recipes(1).Servings.isEmpty()); // taking a copy stores nothing
        change == "Add" ? void(w.logic.Form_Unload()) : w.logic.mnuFileSave_Click();
        QVERIFY(!w.logic.hasUnsavedChanges() && w.files() == QStringList{"RECIPES.DAT"} && prompts.texts().size() <= 1);
        QCOMPARE(w.bytes().contains("\"12\""), change != "Delete"); // what was typed is saved
    }

    void theNextStartOffersTheChangesBack_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("Yes: the recovered list") << int(MessageBox::Yes) << "Record 2 of 2: Recovered/////Step 2^Rest"
                                                 << QStringList{"RECIPES-BACKUP-1.DAT", "RECIPES-RECOVERY.DAT", "RECIPES.DAT"};
        QTest::newRow("No: the file's recipes; the copy kept under a new name") << int(MessageBox::No)
            << "Record 1 of 1: Recipe 1/////Step 1^Rest" << QStringList{"RECIPES-BACKUP-1.DAT", "RECIPES-BACKUP-2.DAT", "RECIPES.DAT"};
    }
    void theNextStartOffersTheChangesBack()
    {
        QFETCH(int, answer);
        QFETCH(QString, shown);
        QFETCH(QStringList, files);
        LogicFixture w;
        RecipeList saved = numbered(1, 1), unsaved = numbered(2, 2);
        unsaved.Recipes(2).Name = "Recovered";
        RecipeFile::write(saved, w.path());
        RecipeFile::write(unsaved, w.path(RecipeFile::recoveryName()));
        w.put("earlier", "RECIPES-BACKUP-1.DAT");
        PromptRecorder prompts;
        prompts.answers = {MessageBox::Button(answer)};
        w.logic.Form_Load();
        QCOMPARE(prompts.texts().join(u'|'), "The changes of the last session were not saved. Recover them?"
                 + QString(answer == MessageBox::No ? "|The unsaved changes of the last session are kept as RECIPES-BACKUP-2.DAT." : ""));
        QCOMPARE(prompts.requests.first().defaultButton, MessageBox::Yes);
        QCOMPARE(screen(w.view), shown);
        QCOMPARE(w.files(), files);
        QCOMPARE(w.logic.hasUnsavedChanges(), answer == MessageBox::Yes);
    }

    void killedAtAnyMomentTheNextStartRecoversEveryEditOlderThanTwoSeconds()
    {
        for (int round = 0; round < 12; ++round) {
            Folder folder;
            RecipeFile::write(numbered(1, 1), folder.path());
            QProcess child;
            child.start(QCoreApplication::applicationDirPath() + "/editchild", {folder.dir.path()});
            const QByteArray stop = "edit " + QByteArray::number(10 + round * 37 % 190) + " "; // 0.2 s to 4 s of typing
            QByteArray out;
            while (!out.contains(stop)) {
                QVERIFY(child.waitForReadyRead(10000));
                out += child.readAllStandardOutput();
            }
            child.kill();
            const qint64 killed = QDateTime::currentMSecsSinceEpoch();
            QVERIFY(child.waitForFinished(10000));
            int old = 0, saved = 0, saving = 0; // the last edit older than two seconds, the last saves
            for (const QByteArray &line : out.left(out.lastIndexOf('\n')).split('\n')) {
                const QList<QByteArray> word = line.split(' ');
                if (word.size() == 3 && word[2].toLongLong() <= killed - 2000)
                    old = word[1].toInt();
                if (word[0] == "saved" || word[0] == "saving")
                    (word[0] == "saved" ? saved : saving) = word[1].toInt();
            }
            RecipeList file, started;
            RecipeFile::read(folder.path(), file); // whole, and as last saved or being saved
            const QString last = file.Recipes(1).Directions.mid(13).section(u' ', -1);
            QVERIFY2(last == (saved ? QString::number(saved) : "") || last == QString::number(saving), qPrintable(last));
            RecipeFile startedFile(started, folder.dir.path(), [](const QString &) {});
            FakeMainView view;
            MainLogic next(started, startedFile, view);
            PromptRecorder prompts;
            prompts.answers = {MessageBox::Yes};
            next.Form_Load();
            const QString recovered = view.texts[MainView::txtDirections];
            QVERIFY2(recovered.section(u' ', -1).toInt() >= old, qPrintable(QStringLiteral("%1 < %2").arg(recovered.right(20)).arg(old)));
        }
    }
};

QTEST_GUILESS_MAIN(TestMainLogic)
#include "tst_mainlogic.moc"
