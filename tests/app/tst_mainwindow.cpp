// The main window: its logic over a stand-in view, and the window itself.
#include "EditScript.h"
#include "Testing.h"
#include "app/Application.h"
#include "app/ClockStatusBar.h"
#include "app/PrintProgressDialog.h"
#include "app/TabbedPages.h"
#include "app/TerminationSignals.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/SplashScreen.h"
#include "links/HelpContents.h"
#include "store/RecoveryJournal.h"

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char *const BoxNames[]
    = {"nameEdit", "prepTimeEdit", "cookTimeEdit", "servingsEdit", "ingredientsEdit", "directionsEdit"};

// What the user sees: the counter, the six boxes ("^" for a line break), whether they are
// disabled and where the focus went.
QString screen(const FakeMainView &view)
{
    const bool enabled = std::count(std::begin(view.enabled), std::end(view.enabled), true);
    return view.counter + ": "
        + QStringList(std::begin(view.texts), std::end(view.texts)).join(u'/').replace("\r\n", "^")
        + (enabled ? "" : " (disabled)") + (view.focus >= 0 ? QStringLiteral(" @") + BoxNames[view.focus] : QString());
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
    static const QHash<QString, void (MainLogic::*)()> commands
        = {{"First", &MainLogic::showFirstRecipe}, {"Last", &MainLogic::showLastRecipe},
           {"Next", &MainLogic::showNextRecipe},   {"Previous", &MainLogic::showPreviousRecipe},
           {">>", &MainLogic::showNextRecipe},     {"<<", &MainLogic::showPreviousRecipe},
           {"Add", &MainLogic::addRecipe},         {"Delete", &MainLogic::deleteRecipe},
           {"Search", &MainLogic::search},         {"F3", &MainLogic::findNext}};
    (w.logic.*commands.value(verb))();
}

const QByteArray ThreeRecipes
    = "3,2\r\n\"Soup\"\r\n\"10 min\"\r\n\"20 min\"\r\n\"4\"\r\n\"Water\r\nSalt\"\r\n\"Boil.\"\r\n"
      "\"Tea\"\r\n\"\"\r\n\"5 min\"\r\n\"1\"\r\n\"Leaves\"\r\n\"Steep.\"\r\n"
      "\"Toast\"\r\n\"1 min\"\r\n\"2 min\"\r\n\"1\"\r\n\"Bread\"\r\n\"Toast it.\"\r\n";

QString focusName(QWidget *window)
{
    QWidget *focus = window->focusWidget();
    return qobject_cast<QTabBar *>(focus) ? "tabs" : focus ? focus->objectName() : QString();
}

// The program started from another folder than its own.
struct Started : Folder
{
    Started() { QDir::setCurrent(elsewhere.path()); }
    ~Started() { QDir::setCurrent(QCoreApplication::applicationDirPath()); }
    QString start(std::unique_ptr<Application> &program)
    {
        program = std::make_unique<Application>(dir.path());
        return program->start() ? program->mainWindow()->findChild<QLabel *>("recordCounter")->text() : "refused";
    }
    QString start() { return start(larderly); }
    bool close()
    {
        larderly->mainWindow()->findChild<QAction *>("exitAction")->trigger();
        return QTest::qWaitFor([this] { return !larderly->mainWindow()->isVisible(); }, 5000);
    }
    QTemporaryDir elsewhere;
    std::unique_ptr<Application> larderly;
};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void sessions_data()
    {
        QTest::addColumn<QStringList>("session"); // the list's count and current index, the steps ("> ...") and screens
        QList<QStringList> sessions{{"(no session)"}}; // each begun by its heading
        for (const QString &line : dataLines(QFINDTESTDATA("sessions.txt")))
            line.startsWith("== ") ? void(sessions << QStringList{line.mid(3)}) : void(sessions.last() << line);
        QVERIFY(sessions.size() > 20 && sessions[0].size() == 1);
        for (const QStringList &session : sessions.mid(1))
            QTest::newRow(qPrintable(session[0].section(": ", 0, -2)))
                << QStringList{session[0].section(": ", -1)} + session.mid(1);
    }
    void sessions()
    {
        QFETCH(QStringList, session);
        const QRegularExpression step("^> ");
        const QStringList steps = session.filter(step).replaceInStrings(step, QString()),
                          screens = session.mid(1).filter(QRegularExpression("^(?!> )"));
        LogicFixture w(numbered(session[0].section(u' ', 0, 0).toInt(), session[0].section(u' ', 1).toInt()));
        PromptRecorder prompts;
        QStringList seen;
        for (const QString &step : steps) {
            const int beeps = w.view.beeps, dialogs = w.dialogsShown;
            w.view.focus = -1;
            prompts.requests.clear();
            run(w, prompts, step);
            QString entry = QString(w.view.beeps > beeps ? "beep " : "") + (w.dialogsShown > dialogs ? "dialog " : "");
            for (const MessageBox::Request &box : prompts.requests) {
                QVERIFY(box.caption.isEmpty() && box.icon == MessageBox::NoIcon); // the program's title, no icon
                entry += box.text
                    + (box.buttons == MessageBox::Ok              ? ""
                           : box.defaultButton == MessageBox::Yes ? " [Yes/no]"
                                                                  : " [yes/No]")
                    + " | ";
            }
            seen << entry + screen(w.view);
        }
        QCOMPARE(seen, screens);
        QVERIFY(w.list.invariantsHold());
        QVERIFY(w.dialogsMade <= 1); // one search dialog for the whole run
    }

    void changesAreJournaledUntilSaved_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("journaled");
        QTest::newRow("typing, not yet stored; File > Save removes the journal") << "type" << true;
        QTest::newRow("a recipe added; closing removes the journal") << "Add" << true;
        QTest::newRow("a recipe deleted") << "Delete" << true;
        QTest::newRow("moving between recipes is no change") << "Next" << false;
    }
    void changesAreJournaledUntilSaved()
    {
        QFETCH(QString, change);
        QFETCH(bool, journaled);
        LogicFixture w(numbered(3, 1));
        RecipeFile::write(w.list, w.path());
        w.logic.loadRecipes();
        PromptRecorder prompts;
        prompts.answers = {MessageBox::Yes};
        if (change == "type" || change == "Add") {
            w.view.texts[Recipe::Servings] = "12";
            w.logic.boxEdited();
        }
        change == "Add"          ? w.logic.addRecipe()
            : change == "Delete" ? w.logic.deleteRecipe()
            : change == "Next"   ? w.logic.showNextRecipe()
                                 : void();
        QCOMPARE(w.logic.hasUnsavedChanges(), journaled);
        if (journaled) { // within the delay, and what the next start would offer is what is on screen
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(w.path("RECIPES.JNL")), MainLogic::JournalDelayMs + 2000);
            QTRY_COMPARE_WITH_TIMEOUT(EditScript::digest(w.journaled()), EditScript::digest(w.list, &w.view), 2000);
        }
        QCOMPARE(w.list.at(1).servings, change == "Add" ? "12" : ""); // journaling stores nothing
        change == "Add" ? void(w.logic.prepareToClose()) : w.logic.saveRecipes();
        QVERIFY(!w.logic.hasUnsavedChanges());
        QCOMPARE(w.files(), QStringList{"RECIPES.DAT"});
        QCOMPARE(prompts.texts().size(), change == "Delete" ? 1 : 0);
        QCOMPARE(w.bytes().contains("\"12\""), change == "type" || change == "Add"); // what was typed is saved
    }

    void theNextStartOffersTheJournalOfTheLastSession_data()
    {
        QTest::addColumn<QString>("journal"); // how the last session ended
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("messages");
        QTest::addColumn<QString>("name"); // of recipe 1 on screen
        QTest::addColumn<QString>("files");
        const QString offer = "The changes of the last session were not saved. Recover them?";
        QTest::newRow("Yes: the recovered list; the journal goes on") << "killed" << true << offer << "Stew"
                                                                      << "RECIPES.DAT RECIPES.JNL";
        QTest::newRow("No: the recovered list kept as a recipe file")
            << "killed" << false << offer + "|The unsaved changes of the last session are kept as RECIPES-BACKUP-1.DAT."
            << "Recipe 1"
            << "RECIPES-BACKUP-1.DAT RECIPES.DAT";
        QTest::newRow("a journal of another RECIPES.DAT is kept aside, never applied")
            << "file changed" << true
            << "The changes of an earlier session were made to another version of RECIPES.DAT "
               "and cannot be applied to this one. The changes of the last session are kept as RECIPES-BACKUP-1.JNL."
            << "Recipe 1"
            << "RECIPES-BACKUP-1.JNL RECIPES.DAT";
        QTest::newRow("a journal that cannot be read is kept aside, and not offered again")
            << "damaged" << true
            << "The changes of an earlier session could not be read back. The changes of the last "
               "session are kept as RECIPES-BACKUP-1.JNL."
            << "Recipe 1"
            << "RECIPES-BACKUP-1.JNL RECIPES.DAT";
        QTest::newRow("a journal with nothing the file lacks goes without a word") << "undone" << true << ""
                                                                                   << "Recipe 1"
                                                                                   << "RECIPES.DAT";
        QTest::newRow("a journal ending in a save that replaced the file goes without a word") << "saved" << true << ""
                                                                                               << "Stew"
                                                                                               << "RECIPES.DAT";
        QTest::newRow("a file rewritten in place only half-way comes back whole")
            << "half saved" << true
            << "Input past end of file\nA copy of the file as it was is kept as RECIPES-BACKUP-1.DAT.|" + offer
            << "Stew"
            << "RECIPES-BACKUP-1.DAT RECIPES.DAT RECIPES.JNL";
    }
    void theNextStartOffersTheJournalOfTheLastSession()
    {
        QFETCH(QString, journal);
        QFETCH(bool, yes);
        QFETCH(QString, messages);
        QFETCH(QString, name);
        QFETCH(QString, files);
        LogicFixture w;
        RecipeList saved = numbered(2, 1), edited = saved;
        const FileIdentity base = RecipeFile::write(saved, w.path());
        edited.at(1).name = "Stew";
        {
            RecoveryJournal last(w.dir.path());
            last.start(saved, base);
            last.recordRecipe(1, edited.at(1));
            if (journal == "undone")
                last.recordRecipe(1, saved.at(1));
            if (journal == "saved") {
                last.markSaving();
                RecipeFile::write(edited, w.path());
            }
            if (journal == "half saved") {
                QVERIFY(!last.prepareInPlaceSave().isEmpty());
                w.put(w.bytes().left(40));
            }
            QVERIFY(!last.sync().isEmpty());
        }
        if (journal == "file changed")
            RecipeFile::write(numbered(3, 1), w.path());
        if (journal == "damaged")
            w.put(w.bytes("RECIPES.JNL").left(30), "RECIPES.JNL");
        PromptRecorder prompts;
        prompts.answers = {yes ? MessageBox::Yes : MessageBox::No};
        if (messages.startsWith("Input"))
            prompts.answers.prepend(MessageBox::Ok);
        w.logic.loadRecipes();
        QCOMPARE(prompts.texts().join(u'|'), messages);
        QCOMPARE(w.view.texts[Recipe::Name], name);
        QTRY_COMPARE_WITH_TIMEOUT(w.files().join(u' '), files, 2000);
        QCOMPARE(w.logic.hasUnsavedChanges(), messages.endsWith("Recover them?") && yes);
        if (files.contains("BACKUP-1.DAT") && !messages.startsWith("Input")) { // the recovered list, ready to open
            RecipeList kept;
            RecipeFile::read(w.path("RECIPES-BACKUP-1.DAT"), kept);
            QCOMPARE(kept.at(1).name, "Stew");
        }
        if (files.contains("RECIPES.JNL")) // it goes on from what the user has now
            QTRY_COMPARE_WITH_TIMEOUT(EditScript::digest(w.journaled()), EditScript::digest(w.list, &w.view), 2000);
        LogicFixture again; // the start after: nothing more is offered
        for (const QString &file : w.files())
            QFile::copy(w.path(file), again.path(file));
        PromptRecorder later;
        again.logic.loadRecipes();
        QCOMPARE(later.texts().filter("Recover them?").size(), int(files.contains("RECIPES.JNL")));
    }

    void killedAtAnyMomentTheNextStartOffersWhatWasOnScreenNoMoreThanTwoSecondsBefore()
    {
        QLoggingCategory::setFilterRules("larderly.journal.file.info=false"); // a cut journal says so
        int cuts = 0;
        for (int round = 0; round < 12; ++round) {
            LogicFixture next; // started over the folder the child worked in
            RecipeFile::write(numbered(3, 1), next.path());
            QProcess child;
            child.start(QCoreApplication::applicationDirPath() + "/editchild",
                        {"script", next.dir.path(), QString::number(round)});
            const QByteArray stop = "step " + QByteArray::number(25 + round * 37 % 200) + " "; // 0.5 s to 4.5 s of work
            QByteArray out;
            while (!out.contains(stop)) {
                QVERIFY(child.waitForReadyRead(10000));
                out += child.readAllStandardOutput();
            }
            child.kill();
            const qint64 killed = QDateTime::currentMSecsSinceEpoch();
            QVERIFY(child.waitForFinished(10000));
            QList<quint32> screens; // after each step
            int old = 0, saved = 0, savedBefore = 0; // the last step older than two seconds, the states saved last
            for (const QByteArray &line : out.left(out.lastIndexOf('\n')).split('\n')) {
                const QList<QByteArray> word = line.split(' ');
                if (word[0] == "step") {
                    screens << word[3].toUInt();
                    old = word[2].toLongLong() <= killed - 2000 ? word[1].toInt() : old;
                }
                if (word[0] == "saving") // what the step before left on screen
                    savedBefore = std::exchange(saved, word[1].toInt() - 1);
            }
            RecipeList file; // whole, and the last save or, if killed during it, the one before
            RecipeFile::read(next.path(), file);
            const quint32 onDisk = EditScript::digest(file);
            QVERIFY2(onDisk == screens[saved] || onDisk == screens[savedBefore], qPrintable(QString::number(saved)));
            const int fileStep = onDisk == screens[saved] ? saved : savedBefore;
            // Cut anywhere, the journal gives a state of the screen, later the further it goes.
            const QByteArray journal = next.bytes("RECIPES.JNL");
            const JournalFile::Contents whole = JournalFile::parse(journal);
            QRandomGenerator random(round);
            QList<qsizetype> offsets{journal.size()};
            while (whole.base == FileIdentity::of(next.path()) && offsets.size() < 200) // a journal of this file
                offsets << random.bounded(journal.size() + 1);
            std::sort(offsets.begin(), offsets.end());
            int step = fileStep;
            for (qsizetype at : std::as_const(offsets)) {
                ++cuts;
                RecipeList cut = file;
                JournalFile::replay(JournalFile::parse(QByteArrayView(journal).first(at)).entries, cut);
                step = screens.indexOf(EditScript::digest(cut), step);
                QVERIFY2(step >= 0, qPrintable(QStringLiteral("round %1, cut at %2").arg(round).arg(at)));
            }
            PromptRecorder prompts;
            prompts.answers = {MessageBox::Yes};
            next.logic.loadRecipes();
            QVERIFY(prompts.texts().size() <= 1); // the offer, and nothing else
            const int recovered = screens.indexOf(EditScript::digest(next.list, &next.view), qMax(old, fileStep));
            QVERIFY2(recovered >= 0,
                     qPrintable(QStringLiteral("round %1: nothing from step %2 on").arg(round).arg(old)));
        }
        QVERIFY(cuts > 1000);
        qInfo("%d cuts of the journals", cuts);
    }

    void controlsAndMenusStandWhereTheLayoutPutsThem()
    {
        WindowFixture w;
        const auto placed
            = [&](const char *name, QWidget *container) { return placement(w.child(name), container, 15); }; // twips
        QStringList seen;
        for (const char *name : {"background", "tabs", "statusBar"})
            seen << placed(name, w.window->centralWidget());
        for (const char *name :
             {"nameLabel",       "nameEdit",       "prepTimeLabel",  "prepTimeEdit",     "cookTimeLabel",
              "cookTimeEdit",    "servingsLabel",  "servingsEdit",   "ingredientsLabel", "ingredientsEdit",
              "directionsLabel", "directionsEdit", "printButton",    "recordCounter",    "previousButton",
              "nextButton",      "siteLogo",       "clickHintLabel", "siteTitleLabel",   "siteTextLabel",
              "visitLabel",      "siteLink",       "resourcesFrame"})
            seen << placed(name, w.child("tabs"));
        for (const char *name :
             {"spiceRackLink", "foodEquivalentsLink", "substitutionsLink", "conversionsLink", "measuresLink",
              "kitchenStoreLink", "freeRecipesLink", "quickDishArchiveLink", "cookingClassLink"})
            seen << placed(name, w.child("resourcesFrame"));
        for (QAction *menu : w.window->menuBar()->actions()) {
            seen << menu->menu()->objectName() + " \"" + menu->text() + "\"";
            for (QAction *item : menu->menu()->actions()) {
                QVERIFY(item->isEnabled() && item->isVisible() && !item->isCheckable());
                seen << "  " + (item->isSeparator() ? "separator" : item->objectName() + " \"" + item->text() + "\"")
                        + (item->shortcut().isEmpty() ? "" : " " + item->shortcut().toString());
            }
        }
        QCOMPARE(seen, dataLines(QFINDTESTDATA("mainwindow.txt")).mid(0, seen.size()));
    }

    void windowIsFixedWithItsPagesPicturesAndFocusOrder()
    {
        WindowFixture w(ThreeRecipes);
        QVERIFY(w.window->windowTitle() == "Larderly" && w.window->minimumSize() == w.window->maximumSize());
        QCOMPARE(w.window->windowFlags()
                     & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
        const QRect client = w.window->centralWidget()->geometry();
        QVERIFY(client.top() == w.window->menuBar()->geometry().bottom() + 1
                && w.window->height() - client.top() == 317);
        auto *tabs = w.child<TabbedPages>("tabs");
        QCOMPARE(tabs->tabBar()->tabText(0) + "|" + tabs->tabBar()->tabText(1) + "|"
                     + QString::number(tabs->tabBar()->count()),
                 "My Recipes|Resources|2");
        QVERIFY(tabs->currentIndex() == 0 && tabs->tabBar()->height() < 24 && !w.child("spiceRackLink")->isVisible());
        QVERIFY(w.child("siteTitleLabel")->font().bold() && !w.child("visitLabel")->font().bold()
                && w.child("nextButton")->font().pointSizeF() == 8.25);
        QVERIFY(w.child("freeRecipesLink")->palette().color(QPalette::WindowText) == QColor(0, 0, 255)
                && w.child("clickHintLabel")->palette().color(QPalette::WindowText) != QColor(0, 0, 255));
        QCOMPARE(w.child("background")->palette().color(QPalette::Window), QColor(0xC0, 0, 0));
        const QImage board = w.child<QLabel>("background")->pixmap().toImage();
        QVERIFY(board.size() == QSize(468, 302) && board.pixelColor(12, 0) == Qt::white
                && board.pixelColor(11, 11) == QColor(0xC6, 0, 0));
        QCOMPARE(w.child<QLabel>("siteLogo")->pixmap().size(), QSize(160, 150));
        QCOMPARE(w.window->windowIcon().availableSizes(), QList<QSize>({QSize(32, 32), QSize(16, 16)}));
        auto *bar = w.child<ClockStatusBar>("statusBar");
        QTRY_COMPARE(bar->panelText(0) + " " + bar->panelText(1) + " " + bar->panelText(2),
                     "Status " + QLocale().toString(QDate::currentDate(), QLocale::ShortFormat) + " "
                         + QLocale().toString(QTime::currentTime(), QLocale::ShortFormat));
        QStringList order{focusName(w.window.get())}; // the window opens on the tab strip
        for (int i = 0; i < 10; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << focusName(w.window.get());
        }
        QCOMPARE(order,
                 QStringList({"tabs", "nameEdit", "servingsEdit", "prepTimeEdit", "cookTimeEdit", "ingredientsEdit",
                              "directionsEdit", "previousButton", "nextButton", "printButton", "tabs"}));
    }

    void keysWorkFromEveryBoxAndPage_data() { dataTable(QFINDTESTDATA("keys.txt")); }
    void keysWorkFromEveryBoxAndPage()
    {
        const QStringList row = dataRow();
        const int page = row[0].toInt();
        const QString focus = row[1], key = row[2], after = row[3];
        WindowFixture w(ThreeRecipes);
        w.child<TabbedPages>("tabs")->setCurrentIndex(page);
        (focus == "tabs" ? w.child<TabbedPages>("tabs")->tabBar() : w.child(focus.toLatin1().constData()))->setFocus();
        PromptRecorder prompts;
        prompts.answers = {MessageBox::Yes};
        if (key == "Ctrl+S") {
            onModal([](QWidget *dialog) { // the search dialog
                QTest::keyClicks(dialog->focusWidget(), "TOAST IT");
                QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
            });
        }
        const QKeyCombination pressed = QKeySequence(key)[0];
        QTest::keyClick(QApplication::focusWidget(), pressed.key(), pressed.keyboardModifiers());
        QCOMPARE(QStringList({w.counter(), focusName(w.window.get()), prompts.texts().join(u' ').section(u'\n', 0, 0)})
                     .join(u' ')
                     .trimmed(),
                 after);
        QCOMPARE(w.child<TabbedPages>("tabs")->currentIndex(), page); // nothing switches pages
        QCOMPARE(w.bytes(), ThreeRecipes);
    }

    void boxesHandBackTheFieldsAsShownUnlessEdited()
    {
        // Lone CR and LF, no-break spaces, blanks at the ends and an empty last line all survive.
        const QByteArray file
            = "2,1\r\n\"  Soupe \xa0\xe0 l'oignon \"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"a\r\nb\nc\rd\r\n\"\r\n"
              "\"1\xa0h\r\n\r\n\"\r\n\"Tea\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";
        WindowFixture w(file);
        QTest::keyClick(w.window.get(), Qt::Key_F12);
        QTest::keyClick(w.window.get(), Qt::Key_F11);
        QVERIFY(!w.window->logic().hasUnsavedChanges()); // showing a recipe changes nothing
        w.window->close();
        QCOMPARE(w.bytes(), file);
        WindowFixture edited(file);
        edited.type("ingredientsEdit", "e", Qt::CTRL | Qt::Key_End);
        QTest::keyClick(edited.child("ingredientsEdit"), Qt::Key_Return);
        edited.type("ingredientsEdit", "f\u00a0");
        QVERIFY(edited.window->logic().hasUnsavedChanges());
        edited.child<QLineEdit>("nameEdit")->setText(QString(40000, u'x')); // no length limit
        edited.type("nameEdit", "!");
        edited.child<QAction>("saveAction")->trigger();
        QCOMPARE(edited.list.at(1).ingredients, "a\r\nb\r\nc\r\nd\r\ne\r\nf\u00a0");
        QCOMPARE(edited.list.at(1).name, QString(40000, u'x') + u'!');
    }

    void closingSavesOrAsksBeforeLosingChanges_data() { dataTable(QFINDTESTDATA("closing.txt")); }
    void closingSavesOrAsksBeforeLosingChanges()
    {
        const QStringList row = dataRow();
        const QString how = row[0], after = row[2];
        const bool edited = row[1] == "1";
        WindowFixture w(ThreeRecipes);
        const bool fails = how == "yes" || how == "no";
        QVERIFY(!fails || QFile::setPermissions(w.path(), QFile::ReadOwner));
        if (edited)
            w.type("cookTimeEdit", " or so", Qt::Key_End);
        PromptRecorder prompts;
        prompts.answers = {MessageBox::Ok, how == "yes" ? MessageBox::Yes : MessageBox::No};
        how == "exit" ? w.child<QAction>("exitAction")->trigger() : void(w.window->close());
        QCOMPARE(QStringList(QStringList{w.window->isVisible() ? "open" : "closed"} + prompts.texts()).join(u'|'),
                 after);
        QVERIFY(prompts.requests.size() < 2 || prompts.requests[1].defaultButton == MessageBox::No);
        QCOMPARE(w.bytes().contains("\"5 min or so\""), edited && !fails);
        QCOMPARE(w.files().contains("RECIPES.JNL"), edited && fails); // kept at once
        QVERIFY(!w.files().contains("RECIPES.JNL") || w.journaled().at(2).cookTime == "5 min or so");
        QVERIFY(how != "no" || w.child<QLineEdit>("cookTimeEdit")->text() == "5 min or so");
    }

    void recipesOpenElsewhereAreNotReadAgain_data()
    {
        QTest::addColumn<QString>("holder");
        QTest::newRow("this program's own window") << "window";
        QTest::newRow("another program, however long ago it took them") << "running";
        QTest::newRow("a lock left by a killed program is taken over") << "killed";
    }
    void recipesOpenElsewhereAreNotReadAgain()
    {
        QFETCH(QString, holder);
        Started program;
        program.put("1,1\r\n\"Soup\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
        QProcess other;
        if (holder == "window")
            QCOMPARE(program.start(), "Record 1 of 1");
        else
            other.start(QCoreApplication::applicationDirPath() + "/../store/savechild", {"lock", program.dir.path()});
        QVERIFY(holder == "window" || (other.waitForReadyRead(10000) && other.readAll() == "locked\n"));
        QFile lock(program.path("RECIPES.LCK"));
        QVERIFY(lock.open(QIODevice::ReadWrite)
                && lock.setFileTime(QDateTime::currentDateTime().addDays(-1), QFile::FileModificationTime));
        if (holder == "killed")
            other.kill(), other.waitForFinished();
        PromptRecorder prompts;
        std::unique_ptr<Application> second;
        QCOMPARE(program.start(second), holder == "killed" ? "Record 1 of 1" : "refused");
        QCOMPARE(prompts.texts().join(u'|'),
                 holder == "killed"
                     ? ""
                     : "The recipes in " + program.dir.path() + " are already open in another Larderly window.");
        QCOMPARE(bool(second->mainWindow()), holder == "killed");
        QVERIFY(!program.larderly || program.close());
        QVERIFY(!second->mainWindow() || (program.larderly = std::move(second), program.close()));
        QCOMPARE(program.bytes(), "1,1\r\n\"Soup\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
        other.kill();
        other.waitForFinished();
    }

    void aSignalEndingTheSessionClosesAndSavesAsTheCloseBoxDoes_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("saveFails");
        QTest::newRow("SIGTERM, the session ending") << SIGTERM << false;
        QTest::newRow("SIGHUP while the About box is open") << SIGHUP << false;
        QTest::newRow("SIGTERM while the save fails: no question, the journal keeps the typing") << SIGTERM << true;
    }
    void aSignalEndingTheSessionClosesAndSavesAsTheCloseBoxDoes()
    {
        QFETCH(int, signal);
        QFETCH(bool, saveFails);
        QVERIFY(TerminationSignals::install());
        Started program;
        program.put("1,1\r\n\"Soup\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
        QVERIFY(!saveFails || QFile::setPermissions(program.path(), QFile::ReadOwner));
        PromptRecorder prompts;
        QCOMPARE(program.start(), "Record 1 of 1");
        TerminationSignals terminations;
        connect(&terminations, &TerminationSignals::received, program.larderly.get(), &Application::endSession);
        QTest::keyClicks(program.larderly->mainWindow()->findChild<QLineEdit *>("nameEdit"),
                         "Stew "); // typed, not stored
        QObject row; // its timers end with the row
        QTimer::singleShot(0, &row, [signal] { std::raise(signal); });
        QTimer::singleShot(5000, &row,
                           [] { QApplication::activeModalWidget() && QApplication::activeModalWidget()->close(); });
        if (signal == SIGHUP)
            program.larderly->mainWindow()->showAbout();
        QTRY_VERIFY_WITH_TIMEOUT(!program.larderly->mainWindow()->isVisible(), 4000);
        QCOMPARE(prompts.texts(), QStringList());
        QCOMPARE(program.bytes().startsWith("1,1\r\n\"Stew Soup\"\r\n"), !saveFails);
        QCOMPARE(program.files().contains("RECIPES.JNL"), saveFails);
        QCOMPARE(program.journaled().at(1).name, "Stew Soup");
    }

    void aFolderThatCannotBeWrittenLosesNothing_data()
    {
        QTest::addColumn<int>("fileMode");
        QTest::addColumn<bool>("stateWritable");
        QTest::addColumn<QString>("said"); // JOURNAL stands for the journal's path in the state folder
        QTest::newRow("a writable file in it is saved in place") << 0666 << true << "closed 1";
        QTest::newRow("a read-only file: the journal goes to the user's state folder, and the question says so")
            << 0444 << true
            << "message Permission denied|message Your recipes could not be saved. Close anyway? The "
               "changes made since the last save are kept in JOURNAL and offered back at the next start.|closed 1";
        QTest::newRow("with nowhere to write, the question says the changes are lost")
            << 0444 << false
            << "message Permission denied|message Your recipes could not be saved, and no copy of the "
               "changes could be kept either. If Larderly closes now, the changes made since the last save are lost. "
               "Close anyway?|closed 1";
    }
    void aFolderThatCannotBeWrittenLosesNothing()
    {
        QFETCH(int, fileMode);
        QFETCH(bool, stateWritable);
        QFETCH(QString, said);
        Folder recipes, state;
        const FileIdentity before = RecipeFile::write(numbered(2, 1), recipes.path());
        const auto own = [](const QString &path, int mode) { // by the user editchild runs as
            return (geteuid() != 0 || ::chown(QFile::encodeName(path), 65534, 65534) == 0)
                && ::chmod(QFile::encodeName(path), mode_t(mode)) == 0;
        };
        QVERIFY(own(recipes.path(), fileMode) && own(recipes.dir.path(), 0555)
                && own(state.dir.path(), stateWritable ? 0700 : 0500));
        struct stat old
        {
        };
        ::stat(QFile::encodeName(recipes.path()), &old);
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_STATE_HOME", state.dir.path());
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationDirPath() + "/editchild", {"close", recipes.dir.path()});
        QVERIFY(child.waitForFinished(30000));
        ::chmod(QFile::encodeName(recipes.dir.path()), 0700);
        qputenv("XDG_STATE_HOME", QFile::encodeName(state.dir.path()));
        const QString journal = RecoveryJournal::locations(recipes.dir.path()).last();
        qunsetenv("XDG_STATE_HOME");
        QCOMPARE(QString(child.readAllStandardOutput()).trimmed().replace(u'\n', u'|'),
                 QString(said).replace("JOURNAL", journal));
        struct stat now
        {
        };
        ::stat(QFile::encodeName(recipes.path()), &now);
        QCOMPARE(now.st_ino, old.st_ino); // never replaced
        QCOMPARE(FileIdentity::of(recipes.path()) != before, fileMode == 0666);
        QCOMPARE(recipes.files(), QStringList{"RECIPES.DAT"});
        QCOMPARE(QFile::exists(journal), said.contains("JOURNAL"));
        RecipeList onScreen = numbered(2, 1);
        JournalFile::replay(JournalFile::read(journal).entries, onScreen);
        QCOMPARE(onScreen.at(1).name, said.contains("JOURNAL") ? "Recipe 1!" : "Recipe 1");
    }

    // Message boxes, dialogs and menus are windows of their own, which take the application's
    // font and not the main window's; they must show the font the windows are laid out in all
    // the same, also where the system's default font is a monospaced one.
    void messageBoxesDialogsAndMenusShowTheWindowsFont_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("the message that the recipes are open elsewhere") << "refusal";
        QTest::newRow("a message box") << "message box";
        QTest::newRow("the print progress dialog") << "progress dialog";
        QTest::newRow("the File menu") << "menu";
    }
    void messageBoxesDialogsAndMenusShowTheWindowsFont()
    {
        QFETCH(QString, window);
        struct SystemFont
        {
            SystemFont() { QApplication::setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont)); }
            ~SystemFont() { QApplication::setFont(before); }
            const QFont before = QApplication::font();
        } monospaced;
        Started program;
        program.put("1,1\r\n\"Soup\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
        QString family;
        const auto messageFont = [&family](QWidget *box) {
            family = QFontInfo(box->findChild<QLabel *>("qt_msgbox_label")->font()).family();
            box->close();
        };
        if (window == "refusal") {
            QProcess other;
            other.start(QCoreApplication::applicationDirPath() + "/../store/savechild", {"lock", program.dir.path()});
            QVERIFY(other.waitForReadyRead(10000) && other.readAll() == "locked\n");
            onModal(messageFont);
            QCOMPARE(program.start(), "refused");
            QCOMPARE(family, "Liberation Sans");
            return;
        }
        QCOMPARE(program.start(), "Record 1 of 1");
        MainWindow *main = program.larderly->mainWindow();
        if (window == "message box") {
            onModal(messageFont);
            MessageBox::message(main, "Saved.");
        } else if (window == "progress dialog") {
            PrintProgressDialog progress(main, 0);
            QVERIFY(!progress.cancelled(0, 10));
            family = QFontInfo(main->findChild<QProgressDialog *>("printProgress")->font()).family();
        } else {
            family = QFontInfo(main->menuBar()->actions().constFirst()->menu()->font()).family();
        }
        const QString windows = QFontInfo(main->findChild<QLineEdit *>("nameEdit")->font()).family();
        QVERIFY(program.close());
        QCOMPARE(windows, "Liberation Sans");
        QCOMPARE(family, windows);
    }

    void splashStandsWithItsFrameInFrontOfTheLoadAndItsMessage()
    {
        Started program;
        program.put("2,1\r\n\"Only\"\r\n");
        PromptRecorder prompts;
        QStringList seen;
        QImage shot;
        prompts.onShow = [&] {
            for (QWidget *window : QApplication::topLevelWidgets()) {
                seen << window->objectName() + (window->isVisible() ? " shown" : " hidden");
                if (window->objectName() == "splashScreen")
                    shot = window->grab().toImage();
            }
        };
        QCOMPARE(program.start(), "Record 1 of 2");
        QCOMPARE(QDir::currentPath(),
                 QDir(program.dir.path()).canonicalPath()); // the recipes' folder, wherever it started
        QVERIFY(prompts.texts().value(0).startsWith("Input past end of file"));
        QVERIFY(seen.contains("splashScreen shown") && seen.contains("mainWindow hidden") && program.close());
        for (int d = 0; d < 2; ++d) { // a raised frame: lighter at the top and left than at the bottom and right
            const QColor top = shot.pixelColor(248, d), bottom = shot.pixelColor(248, 313 - d);
            QVERIFY(shot.pixelColor(d, 157) == top && shot.pixelColor(496 - d, 157) == bottom
                    && top.lightness() > bottom.lightness() + 64);
        }
        QCOMPARE(shot.pixelColor(3, 3), QColor(0xC6, 0x00, 0x00)); // the client area's checkerboard
        SplashScreen splash;
        QCOMPARE(splash.windowType(), Qt::SplashScreen); // kept out of the taskbar
        for (Qt::WindowType flag :
             {Qt::FramelessWindowHint, Qt::WindowTransparentForInput, Qt::WindowDoesNotAcceptFocus})
            QVERIFY(splash.windowFlags() & flag);
        const auto label = [&](const char *name) { return splash.findChild<QLabel *>(name); };
        QCOMPARE(label("productLabel")->text() + "|" + label("versionLabel")->text() + "|"
                     + label("platformLabel")->text(),
                 "Larderly|Version 1.0.0|Platform");
        QCOMPARE(splash.findChild<QWidget *>("clientArea")->geometry(), QRect(3, 3, 491, 308));
        QCOMPARE(label("versionLabel")->geometry(),
                 QRect(QPoint(352, 136), label("versionLabel")->sizeHint())); // auto-sized
        AboutDialog about(nullptr);
        for (QLabel *text :
             splash.findChildren<QLabel *>() + about.findChildren<QLabel *>()) { // every text fits its label
            const int flags = int(text->alignment()) | (text->wordWrap() ? Qt::TextWordWrap : 0);
            const QRect needed = QFontMetrics(text->font()).boundingRect(text->contentsRect(), flags, text->text());
            const bool fits
                = text->contentsRect().contains(needed) && text->parentWidget()->rect().contains(text->geometry());
            QVERIFY2(text->text().isEmpty() || fits, qPrintable(text->objectName()));
        }
    }

    void linksOpenTheirPagesAndHelpNamesWhomToContact()
    {
        WindowFixture w("1,1\r\n\"Soup\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
        w.child<TabbedPages>("tabs")->setCurrentIndex(1);
        UrlRecorder desktop;
        PromptRecorder prompts;
        const QStringList expected = dataLines(QFINDTESTDATA("mainwindow.txt")).mid(54);
        QStringList opened;
        for (const QString &link : expected) {
            desktop.urls.clear();
            QTest::mouseClick(w.child(link.section(u' ', 0, 0).toLatin1()), Qt::LeftButton);
            opened << link.section(u' ', 0, 0) + (desktop.urls.isEmpty() ? "" : " " + desktop.urls.first().toString());
        }
        QVERIFY(expected.size() == 16 && prompts.requests.isEmpty() && w.counter() == "Record 1 of 1");
        QCOMPARE(opened, expected);
        w.child<QAction>("contentsAction")->trigger(); // no help file: whom to contact, under the window's caption
        w.window->setWindowTitle("Larderly - Soup");
        w.child<QAction>("contentsAction")->trigger();
        QCOMPARE(prompts.texts(), QStringList(2, "If you need help: Contact support@kettlebay.com"));
        QCOMPARE(prompts.requests[0].caption + "|" + prompts.requests[1].caption, "Larderly|Larderly - Soup");
        QVERIFY(prompts.requests[1].icon == MessageBox::Information && prompts.requests[1].buttons == MessageBox::Ok);
        QVERIFY(QDir::setCurrent(w.dir.path()));
        HelpContents::show(nullptr, "Larderly", "help files/#1.html"); // a help file goes to the viewer,
        QCOMPARE(desktop.urls.value(0), QUrl::fromLocalFile(w.path("help files/#1.html")));
        UrlOpener::setHandler(
            [](const QUrl &) { throw RuntimeError(53, "No help viewer <found>"); }); // whose failure is one message
        HelpContents::show(nullptr, "Larderly - Soup", "/opt/larderly.html");
        QCOMPARE(prompts.texts().size(), 3);
        QVERIFY(prompts.texts()[2] == "No help viewer <found>" && prompts.requests[2].caption.isEmpty()
                && prompts.requests[2].icon == MessageBox::NoIcon);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
