// The main window's logic without a window: sessions of commands, the offer of the last session's
// changes, and what closing and a kill keep.
#include "OrdinaryUser.h"
#include "Testing.h"
#include "store/journal/RecoveryJournal.h"

#include <sys/stat.h>

namespace {

const char *const BoxNames[]
    = {"nameEdit", "prepTimeEdit", "cookTimeEdit", "servingsEdit", "ingredientsEdit", "directionsEdit"};

// Runs one step of a session, false for one it does not know: a command, "type X" (X into every
// box), "replaced" (another program's version of the file written over it), "Delete yes|no",
// "Search first|next X", "Search cancel|empty" or "F3" and the dialog's answer.
bool run(LogicFixture &w, PromptRecorder &prompts, const QString &step)
{
    const QString verb = step.section(u' ', 0, 0), rest = step.section(u' ', 1);
    if (verb == "type")
        std::fill(std::begin(w.view.texts), std::end(w.view.texts), rest);
    if (verb == "replaced") // as a sync tool writes it
        RecipeFile::write(numbered(1, 1, "Theirs"), w.path());
    if (verb == "Delete")
        prompts.answers << (rest == "yes" ? MessageBox::Yes : MessageBox::No);
    if (verb == "Search" || (verb == "F3" && !rest.isEmpty())) {
        const QString how = rest.section(u' ', 0, 0);
        w.answers << (how == "cancel" ? std::nullopt
                                      : std::optional(SearchRequest{rest.section(u' ', 1), how != "next"}));
    }
    static const QHash<QString, void (MainLogic::*)()> commands
        = {{"First", &MainLogic::showFirstRecipe}, {"Last", &MainLogic::showLastRecipe},
           {"Next", &MainLogic::showNextRecipe},   {"Previous", &MainLogic::showPreviousRecipe},
           {"Add", &MainLogic::addRecipe},         {"Delete", &MainLogic::deleteRecipe},
           {"Search", &MainLogic::search},         {"F3", &MainLogic::findNext},
           {"Save", &MainLogic::saveRecipes}};
    if (commands.contains(verb))
        (w.logic.*commands.value(verb))();
    return commands.contains(verb) || verb == "type" || verb == "replaced";
}

} // namespace

class TestLogic : public QObject
{
    Q_OBJECT

public:
    static void initMain() { OrdinaryUser::becomeIfAsked(); }

private slots:
    void sessions_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("current");
        QTest::addColumn<QStringList>("steps"); // "step; step -> screen"
        QFile file(QFINDTESTDATA("sessions.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        for (const QString &session : QString::fromUtf8(file.readAll()).split("\n== ").mid(1)) {
            const QStringList lines = session.split(u'\n', Qt::SkipEmptyParts);
            const QStringList numbers = lines[0].section(": ", -1).split(u' '); // of recipes, of the current one
            QTest::newRow(qPrintable(lines[0].section(": ", 0, -2)))
                << numbers.value(0).toInt() << numbers.value(1).toInt() << lines.mid(1);
        }
    }
    void sessions()
    {
        QFETCH(int, count);
        QFETCH(int, current);
        QFETCH(QStringList, steps);
        LogicFixture w(numbered(count, current));
        PromptRecorder prompts;
        for (const QString &step : std::as_const(steps)) { // a line: its steps, then the screen after them
            const int beeps = w.view.beeps, dialogs = w.dialogsShown;
            w.view.focus = -1;
            prompts.requests.clear();
            for (const QString &did : step.section(" -> ", 0, 0).split("; "))
                if (!step.contains(" -> ") || !run(w, prompts, did))
                    QFAIL(qPrintable(step + ": not steps the test knows"));
            QString seen = QString("beep ").repeated(w.view.beeps - beeps)
                + QString("dialog ").repeated(w.dialogsShown - dialogs);
            for (const MessageBox::Request &box : prompts.requests) {
                QCOMPARE(box.caption, QString()); // the program's title
                QCOMPARE(box.icon, MessageBox::NoIcon);
                seen += box.text + (box.defaultButton == MessageBox::Yes ? " [Yes/no] | " : " | ");
            }
            const bool enabled = std::count(std::begin(w.view.enabled), std::end(w.view.enabled), true);
            seen += w.view.counter + ": "
                + QStringList(std::begin(w.view.texts), std::end(w.view.texts)).join(u'/').replace("\r\n", "^")
                + (enabled ? "" : " (disabled)") + (w.view.focus >= 0 ? QString(" @") + BoxNames[w.view.focus] : "");
            if (seen != step.section(" -> ", 1))
                QFAIL(qPrintable(step + "\n   saw: " + seen));
        }
        QVERIFY(w.list().invariantsHold());
    }

    void theStartOffersTheLastSessionsChanges_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("ends"); // the session, while asked: nobody answers
        QTest::addColumn<QStringList>("said"); // "[Yes/no]": a question, Yes the default
        const QString asked = "The changes of the last session were not saved. Recover them? [Yes/no]";
        QTest::newRow("Yes: the changes on screen, still unsaved") << true << false << QStringList{asked};
        QTest::newRow("No: the file as it was, the changes kept as a file of their own")
            << false << false
            << QStringList{asked, "The unsaved changes of the last session are kept as RECIPES-BACKUP-1.DAT."};
        QTest::newRow("the session's end while asked: all left for the next start")
            << true << true << QStringList{asked};
    }
    void theStartOffersTheLastSessionsChanges()
    {
        QFETCH(bool, yes);
        QFETCH(bool, ends);
        QFETCH(QStringList, said);
        LogicFixture w;
        RecipeFile::write(numbered(2, 1), w.path());
        QVERIFY(killedAfterTyping(w.dir.path(), numbered(1, 1, "Stew").at(1)));
        QStringList heard;
        MessageBox::setAnswerer([&](const MessageBox::Request &request) {
            heard << request.text + (request.defaultButton == MessageBox::Yes ? " [Yes/no]" : "");
            if (ends)
                w.logic.endSession();
            return yes ? MessageBox::Yes : MessageBox::No;
        });
        w.logic.loadRecipes();
        MessageBox::setAnswerer(unexpectedMessage);
        QCOMPARE(heard, said);
        QCOMPARE(w.view.texts[Recipe::Name], yes && !ends ? "Stew 1" : "Recipe 1");
        QCOMPARE(w.logic.hasUnsavedChanges(), yes && !ends);
        if (ends)
            return;
        w.view.texts[Recipe::Servings] = "2"; // a change after the offer is journaled over what is on screen
        w.logic.boxEdited();
        QTRY_COMPARE_WITH_TIMEOUT(digestOf(w.journaled()), digestOf(w.view.shown(w.list())), 2000);
    }

    void killedAtAnyMomentTheNextStartOffersWhatWasOnScreenNoMoreThanTwoSecondsBefore()
    {
        for (int round = 0; round < 12; ++round) {
            LogicFixture next; // started over the folder the child worked in
            RecipeFile::write(numbered(3, 1), next.path());
            QProcess child;
            child.start(QCoreApplication::applicationDirPath() + "/editchild",
                        {next.dir.path(), QString::number(round)});
            const QByteArray stop = "step " + QByteArray::number(25 + round * 37 % 200) + " "; // 0.5 s to 4.5 s of work
            QByteArray out;
            while (!out.contains(stop) && child.waitForReadyRead(10000))
                out += child.readAllStandardOutput();
            child.kill();
            const qint64 killed = QDateTime::currentMSecsSinceEpoch();
            QVERIFY2(child.waitForFinished(10000) && out.contains(stop), out.right(300));
            QByteArrayList screens; // after each step
            int old = 0; // the last step older than two seconds
            for (const QByteArray &line : out.left(out.lastIndexOf('\n')).split('\n')) {
                const QList<QByteArray> word = line.split(' ');
                screens << word[3];
                old = word[2].toLongLong() <= killed - 2000 ? word[1].toInt() : old;
            }
            PromptRecorder prompts;
            prompts.answers = {MessageBox::Yes};
            next.logic.loadRecipes();
            QVERIFY2(screens.indexOf(digestOf(next.view.shown(next.list())), old) >= 0,
                     qPrintable(QStringLiteral("round %1: nothing from step %2 on").arg(round).arg(old)));
        }
    }

    void aFolderThatCannotBeWrittenLosesNothing_data()
    {
        QTest::addColumn<bool>("fileWritable");
        QTest::addColumn<bool>("stateWritable");
        QTest::addColumn<int>("diskFull"); // the file size at which the disk is full; 0: it does not fill
        QTest::addColumn<QString>("typed"); // after the name
        QTest::addColumn<QStringList>("said"); // JOURNAL stands for the journal's path in the state folder
        const auto row
            = [](const char *name, bool file, bool state, int diskFull, const QString &typed, const QStringList &said) {
                  QTest::newRow(name) << file << state << diskFull << typed << said;
              };
        const QString kept = "Your recipes could not be saved. Close anyway? The changes made since the last save are "
                             "kept in JOURNAL and offered back at the next start.";
        row("a writable file in it is saved in place", true, true, 0, "!", {});
        row("a disk full half-way through the file, the journal has the whole list", true, true, 60000, "!",
            {"Disk full", kept});
        row("a read-only file, the journal goes to the state folder", false, true, 0, "!", {"Permission denied", kept});
        row("with nowhere to write, the question says the changes are lost", false, false, 0, "!",
            {"Permission denied",
             "Your recipes could not be saved, and no copy of the changes could be kept either. "
             "If Larderly closes now, the changes made since the last save are lost. Close anyway?"});
        row("with nothing unsaved, only the error", false, true, 0, "", {"Permission denied"});
    }
    void aFolderThatCannotBeWrittenLosesNothing()
    {
        QFETCH(bool, fileWritable);
        QFETCH(bool, stateWritable);
        QFETCH(int, diskFull);
        QFETCH(QString, typed);
        QFETCH(QStringList, said);
        RUN_AS_ORDINARY_USER(); // root writes anywhere
        LogicFixture next; // the next start over the folder
        Folder state;
        RecipeFile::write(numbered(2, 1), next.path());
        QVERIFY(::chmod(QFile::encodeName(next.path()), fileWritable ? 0644 : 0444) == 0
                && ::chmod(QFile::encodeName(next.dir.path()), 0555) == 0
                && ::chmod(QFile::encodeName(state.dir.path()), stateWritable ? 0700 : 0500) == 0);
        qputenv("XDG_STATE_HOME", QFile::encodeName(state.dir.path()));
        const QString journal = RecoveryJournal::locations(next.dir.path()).last();
        PromptRecorder prompts;
        prompts.answers = {MessageBox::Ok, MessageBox::Yes}; // closes anyway
        {
            RecipeBox box(next.dir.path());
            FakeMainView view;
            MainLogic session(box, view);
            session.loadRecipes();
            view.texts[Recipe::Name] += typed;
            if (diskFull) // the file holds each quote in three bytes, the journal in one
                view.texts[Recipe::Directions] = QChar(0x6F22) + QString(30000, u'"');
            const auto full = fillDiskAt(diskFull ? rlim_t(diskFull) : RLIM_INFINITY);
            if (!typed.isEmpty())
                session.boxEdited();
            QVERIFY(session.prepareToClose());
        }
        ::chmod(QFile::encodeName(next.dir.path()), 0700);
        const bool journaled = said.join(u' ').contains("JOURNAL"), lost = !journaled && !fileWritable;
        QCOMPARE(prompts.texts().replaceInStrings(journal, "JOURNAL"), said);
        QCOMPARE(prompts.requests.value(1).defaultButton, said.size() > 1 ? MessageBox::No : MessageBox::Ok);
        QCOMPARE(QFile::exists(journal), journaled);
        prompts.answers = {MessageBox::Yes, MessageBox::Yes, MessageBox::Yes};
        next.logic.loadRecipes();
        qunsetenv("XDG_STATE_HOME");
        QCOMPARE(next.list().at(1).name, "Recipe 1" + (lost ? "" : typed));
        QCOMPARE(next.list().at(1).directions.startsWith(QChar(0x6F22)), diskFull > 0); // whole
    }
};

QTEST_MAIN(TestLogic)
#include "tst_logic.moc"
