// The main window's logic without a window: sessions of commands, the offer of the last session's
// changes, and what closing and a kill keep.
#include "EditScript.h"
#include "OrdinaryUser.h"
#include "Testing.h"
#include "store/journal/RecoveryJournal.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

const char *const BoxNames[]
    = {"nameEdit", "prepTimeEdit", "cookTimeEdit", "servingsEdit", "ingredientsEdit", "directionsEdit"};

// What the user sees: the counter, the six boxes ("^" a line break), whether disabled, the focus.
QString screen(const FakeMainView &view)
{
    const bool enabled = std::count(std::begin(view.enabled), std::end(view.enabled), true);
    return view.counter + ": "
        + QStringList(std::begin(view.texts), std::end(view.texts)).join(u'/').replace("\r\n", "^")
        + (enabled ? "" : " (disabled)") + (view.focus >= 0 ? QStringLiteral(" @") + BoxNames[view.focus] : QString());
}

// Runs one step of a session, false for one it does not know: a command, "type X" (X into every
// box), "Delete yes|no", "Search first|next X", "Search cancel|empty" or "F3" and the dialog's answer.
bool run(LogicFixture &w, PromptRecorder &prompts, const QString &step)
{
    const QString verb = step.section(u' ', 0, 0);
    const QString rest = step.section(u' ', 1);
    if (verb == "type") {
        for (QString &text : w.view.texts)
            text = rest;
        return true;
    }
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
           {"Search", &MainLogic::search},         {"F3", &MainLogic::findNext}};
    if (!commands.contains(verb))
        return false;
    (w.logic.*commands.value(verb))();
    return true;
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
        QTest::addColumn<QStringList>("steps"); // "sessions.txt:line: step; step -> screen"
        QFile file(QFINDTESTDATA("sessions.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QRegularExpression heading("^== (.+): (\\d+) (\\d+)$");
        const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        QList<std::tuple<QString, int, int, QStringList>> sessions;
        for (int n = 0; n < lines.size(); ++n) {
            const QRegularExpressionMatch session = heading.match(lines[n]);
            if (session.hasMatch()) {
                sessions.append({session.captured(1), session.captured(2).toInt(), session.captured(3).toInt(), {}});
            } else if (!lines[n].isEmpty() && !lines[n].startsWith(u'#')) {
                QVERIFY2(!sessions.isEmpty(), "sessions.txt: a step before the first session");
                std::get<3>(sessions.last()) << QStringLiteral("sessions.txt:%1: ").arg(n + 1) + lines[n];
            }
        }
        for (const auto &[name, count, current, steps] : sessions)
            QTest::newRow(qPrintable(name)) << count << current << steps;
    }
    void sessions()
    {
        QFETCH(int, count);
        QFETCH(int, current);
        QFETCH(QStringList, steps);
        LogicFixture w(numbered(count, current));
        PromptRecorder prompts;
        for (const QString &step : std::as_const(steps)) { // and those before it on its line
            const int beeps = w.view.beeps, dialogs = w.dialogsShown;
            w.view.focus = -1;
            prompts.requests.clear();
            for (const QString &did : step.section(": ", 1).section(" -> ", 0, 0).split("; "))
                if (!step.contains(" -> ") || !run(w, prompts, did))
                    QFAIL(qPrintable(step + ": neither a session nor steps the test knows"));
            QString seen = QString(w.view.beeps > beeps ? "beep " : "") + (w.dialogsShown > dialogs ? "dialog " : "");
            for (const MessageBox::Request &box : prompts.requests) {
                QCOMPARE(box.caption, QString()); // the program's title
                QCOMPARE(box.icon, MessageBox::NoIcon);
                seen += box.text
                    + (box.buttons == MessageBox::Ok              ? ""
                           : box.defaultButton == MessageBox::Yes ? " [Yes/no]"
                                                                  : " [yes/No]")
                    + " | ";
            }
            seen += screen(w.view);
            if (seen != step.section(" -> ", 1))
                QFAIL(qPrintable(step + "\n   saw: " + seen));
        }
        QVERIFY(w.list().invariantsHold());
    }

    void theStartOffersTheLastSessionsChanges_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QStringList>("said");
        const QString asked = "The changes of the last session were not saved. Recover them?";
        QTest::newRow("Yes: the changes on screen, still unsaved") << true << QStringList{asked};
        QTest::newRow("No: the file as it was, the changes kept as a file of their own")
            << false << QStringList{asked, "The unsaved changes of the last session are kept as RECIPES-BACKUP-1.DAT."};
    }
    void theStartOffersTheLastSessionsChanges()
    {
        QFETCH(bool, yes);
        QFETCH(QStringList, said);
        LogicFixture w;
        RecipeFile::write(numbered(2, 1), w.path());
        {
            RecipeBox killed(w.dir.path()); // a session over the same folder, killed after typing
            killed.open();
            killed.store(numbered(1, 1, "Stew").at(1));
            QString where;
            QVERIFY(killed.keepForNextStart(&where));
        }
        PromptRecorder prompts;
        prompts.answers = {yes ? MessageBox::Yes : MessageBox::No};
        w.logic.loadRecipes();
        QCOMPARE(prompts.texts(), said);
        QCOMPARE(prompts.requests[0].defaultButton, MessageBox::Yes);
        QCOMPARE(w.view.texts[Recipe::Name], yes ? "Stew 1" : "Recipe 1");
        QCOMPARE(w.logic.hasUnsavedChanges(), yes);
        w.view.texts[Recipe::Servings] = "2"; // a change after the offer is journaled over what is on screen
        w.logic.boxEdited();
        QTRY_COMPARE_WITH_TIMEOUT(EditScript::digest(w.journaled()), EditScript::digest(w.list(), &w.view), 2000);
    }

    void closingOverAnotherProgramsVersionSaysWhereItIsKept()
    {
        LogicFixture w(numbered(2, 1));
        w.view.texts[Recipe::Name] = "Stew";
        w.logic.boxEdited();
        RecipeFile::write(numbered(1, 1, "Theirs"), w.path()); // as a sync tool writes it, meanwhile
        PromptRecorder prompts;
        QVERIFY(w.logic.prepareToClose());
        QCOMPARE(prompts.texts(),
                 QStringList{"RECIPES.DAT had been replaced by another program while it was open "
                             "here. This window's recipes are saved in it, and the other version is "
                             "kept as RECIPES-BACKUP-1.DAT."});
        RecipeList kept;
        RecipeFile::read(w.path("RECIPES-BACKUP-1.DAT"), kept);
        QCOMPARE(kept.at(1).name, "Theirs 1");
    }

    void killedAtAnyMomentTheNextStartOffersWhatWasOnScreenNoMoreThanTwoSecondsBefore()
    {
        QLoggingCategory::setFilterRules("larderly.journal.file.info=false"); // a torn journal says so
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
            QVERIFY(child.waitForFinished(10000));
            QVERIFY2(out.contains(stop), out.right(300));
            QList<quint32> screens; // after each step
            int old = 0; // the last step older than two seconds
            for (const QByteArray &line : out.left(out.lastIndexOf('\n')).split('\n')) {
                const QList<QByteArray> word = line.split(' ');
                screens << word[3].toUInt();
                old = word[2].toLongLong() <= killed - 2000 ? word[1].toInt() : old;
            }
            PromptRecorder prompts;
            prompts.answers = {MessageBox::Yes};
            next.logic.loadRecipes();
            QVERIFY(prompts.texts().size() <= 1); // the offer, and nothing else: the file is whole
            QVERIFY2(screens.indexOf(EditScript::digest(next.list(), &next.view), old) >= 0,
                     qPrintable(QStringLiteral("round %1: nothing from step %2 on").arg(round).arg(old)));
        }
    }

    void aFolderThatCannotBeWrittenLosesNothing_data()
    {
        QTest::addColumn<bool>("fileWritable");
        QTest::addColumn<bool>("stateWritable");
        QTest::addColumn<int>("diskFull"); // the file size at which the disk is full; 0: it does not fill
        QTest::addColumn<QStringList>("said"); // JOURNAL stands for the journal's path in the state folder
        const auto row = [](const char *name, bool file, bool state, int diskFull, const QStringList &said) {
            QTest::newRow(name) << file << state << diskFull << said;
        };
        const QString kept = "Your recipes could not be saved. Close anyway? The changes made since the last save are "
                             "kept in JOURNAL and offered back at the next start.";
        row("a writable file in it is saved in place", true, true, 0, {});
        row("a disk full half-way through the file, the journal has the whole list", true, true, 60000,
            {"Disk full", kept});
        row("a read-only file, the journal goes to the state folder", false, true, 0, {"Permission denied", kept});
        row("with nowhere to write, the question says the changes are lost", false, false, 0,
            {"Permission denied",
             "Your recipes could not be saved, and no copy of the changes could be kept either. "
             "If Larderly closes now, the changes made since the last save are lost. Close anyway?"});
    }
    void aFolderThatCannotBeWrittenLosesNothing()
    {
        QFETCH(bool, fileWritable);
        QFETCH(bool, stateWritable);
        QFETCH(int, diskFull);
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
            view.texts[Recipe::Name] += u'!';
            if (diskFull) // the file holds each quote in three bytes, the journal in one
                view.texts[Recipe::Directions] = QChar(0x6F22) + QString(30000, u'"');
            rlimit limit{};
            ::getrlimit(RLIMIT_FSIZE, &limit);
            const rlimit full{diskFull ? rlim_t(diskFull) : limit.rlim_cur, limit.rlim_max};
            std::signal(SIGXFSZ, SIG_IGN);
            ::setrlimit(RLIMIT_FSIZE, &full);
            session.boxEdited();
            const bool closed = session.prepareToClose();
            ::setrlimit(RLIMIT_FSIZE, &limit);
            QVERIFY(closed);
        }
        ::chmod(QFile::encodeName(next.dir.path()), 0700);
        const bool journaled = said.join(u' ').contains("JOURNAL"), lost = !journaled && !fileWritable;
        QCOMPARE(prompts.texts().replaceInStrings(journal, "JOURNAL"), said);
        QCOMPARE(QFile::exists(journal), journaled);
        prompts.answers = {MessageBox::Yes, MessageBox::Yes, MessageBox::Yes};
        next.logic.loadRecipes();
        qunsetenv("XDG_STATE_HOME");
        QCOMPARE(next.list().at(1).name, lost ? "Recipe 1" : "Recipe 1!");
        QCOMPARE(next.list().at(1).directions.startsWith(QChar(0x6F22)), diskFull > 0); // whole
    }
};

QTEST_MAIN(TestLogic)
#include "tst_logic.moc"
