// The main window's logic without a window: sessions of commands, and the journal of unsaved changes.
#include "EditScript.h"
#include "Testing.h"
#include "store/journal/RecoveryJournal.h"

#include <sys/stat.h>
#include <unistd.h>

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
           {">>", &MainLogic::showNextRecipe},     {"<<", &MainLogic::showPreviousRecipe},
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

private slots:
    void sessions_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("current");
        QTest::addColumn<QStringList>("steps"); // "line: step" and the screen after it, by turns; or a fault
        QFile file(QFINDTESTDATA("sessions.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QRegularExpression heading("^== (.+): (\\d+) (\\d+)$");
        const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        QList<std::tuple<QString, int, int, QStringList>> sessions;
        for (int n = 0; n < lines.size(); ++n) {
            const QString &line = lines[n];
            const QString where = QStringLiteral("sessions.txt:%1: ").arg(n + 1);
            const QRegularExpressionMatch session = heading.match(line);
            if (session.hasMatch())
                sessions.append({session.captured(1), session.captured(2).toInt(), session.captured(3).toInt(), {}});
            else if (line.startsWith("> ") && !sessions.isEmpty() && n + 1 < lines.size() && !lines[n + 1].isEmpty()
                     && !lines[n + 1].startsWith(u'>') && !lines[n + 1].startsWith(u'#'))
                std::get<3>(sessions.last()) << where + line.mid(2) << lines[++n];
            else if (!line.isEmpty() && !line.startsWith(u'#'))
                sessions.append({where + "malformed", -1, 0, {where + "neither a session, nor a step and its screen"}});
        }
        for (const auto &[name, count, current, steps] : sessions)
            QTest::newRow(qPrintable(name)) << count << current << steps;
    }
    void sessions()
    {
        QFETCH(int, count);
        QFETCH(int, current);
        QFETCH(QStringList, steps);
        if (count < 0)
            QFAIL(qPrintable(steps.value(0)));
        LogicFixture w(numbered(count, current));
        PromptRecorder prompts;
        for (qsizetype i = 0; i + 1 < steps.size(); i += 2) {
            const int beeps = w.view.beeps, dialogs = w.dialogsShown;
            w.view.focus = -1;
            prompts.requests.clear();
            if (!run(w, prompts, steps[i].section(": ", 1)))
                QFAIL(qPrintable(steps[i] + ": a step the test does not know"));
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
            if (seen != steps[i + 1])
                QFAIL(qPrintable(steps[i] + "\n   saw:      " + seen + "\n   expected: " + steps[i + 1]));
        }
        QVERIFY(w.list().invariantsHold());
    }

    void theStartAsksWhetherToTakeBackTheLastSessionsChanges_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("name"); // of recipe 1 on screen
        QTest::addColumn<QString>("then"); // the message after the question
        QTest::newRow("Yes: the changes on screen, still unsaved") << true << "Stew 1"
                                                                   << "";
        QTest::newRow("No: the file as it was, the changes kept as a file of their own")
            << false << "Recipe 1"
            << "The unsaved changes of the last session are kept as RECIPES-BACKUP-1.DAT.";
    }
    void theStartAsksWhetherToTakeBackTheLastSessionsChanges()
    {
        QFETCH(bool, yes);
        QFETCH(QString, name);
        QFETCH(QString, then);
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
        const QString asked = "The changes of the last session were not saved. Recover them?";
        QCOMPARE(prompts.texts(), (then.isEmpty() ? QStringList{asked} : QStringList{asked, then}));
        QCOMPARE(prompts.requests[0].defaultButton, MessageBox::Yes);
        QCOMPARE(w.view.texts[Recipe::Name], name);
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
            while (!out.contains(stop) && child.waitForReadyRead(10000))
                out += child.readAllStandardOutput();
            child.kill();
            const qint64 killed = QDateTime::currentMSecsSinceEpoch();
            QVERIFY(child.waitForFinished(10000));
            QVERIFY2(out.contains(stop), out.right(300));
            QList<quint32> screens; // after each step
            int old = 0, saved = 0, savedBefore = 0; // the last step older than two seconds, the states saved last
            for (const QByteArray &line : out.left(out.lastIndexOf('\n')).split('\n')) {
                const QList<QByteArray> word = line.split(' ');
                if (word[0] == "step") {
                    screens << word[3].toUInt();
                    old = word[2].toLongLong() <= killed - 2000 ? word[1].toInt() : old;
                } else if (word[0] == "saving") { // what the step before left on screen
                    savedBefore = std::exchange(saved, word[1].toInt() - 1);
                }
            }
            RecipeList file; // whole, and the last save or, if killed during it, the one before
            RecipeFile::read(next.path(), file);
            const quint32 onDisk = EditScript::digest(file);
            const int fileStep = onDisk == screens[saved] ? saved : savedBefore;
            QCOMPARE(onDisk, screens[fileStep]);
            // Cut anywhere, the journal gives a state of the screen, later the further it goes.
            const QByteArray journal = next.bytes("RECIPES.JNL");
            QRandomGenerator random(round);
            QList<qsizetype> offsets{journal.size()};
            while (JournalFile::parse(journal).base == FileIdentity::of(next.path()) && offsets.size() < 200)
                offsets << random.bounded(journal.size() + 1);
            std::sort(offsets.begin(), offsets.end());
            int step = fileStep;
            for (qsizetype at : std::as_const(offsets)) {
                RecipeList cut = file;
                JournalFile::replay(JournalFile::parse(QByteArrayView(journal).first(at)).entries, cut);
                step = screens.indexOf(EditScript::digest(cut), step);
                QVERIFY2(step >= 0, qPrintable(QStringLiteral("round %1, cut at %2").arg(round).arg(at)));
            }
            cuts += int(offsets.size());
            PromptRecorder prompts;
            prompts.answers = {MessageBox::Yes};
            next.logic.loadRecipes();
            QVERIFY(prompts.texts().size() <= 1); // the offer, and nothing else
            const int recovered = screens.indexOf(EditScript::digest(next.list(), &next.view), qMax(old, fileStep));
            QVERIFY2(recovered >= 0,
                     qPrintable(QStringLiteral("round %1: nothing from step %2 on").arg(round).arg(old)));
        }
        QVERIFY(cuts > 1000);
    }

    void aFolderThatCannotBeWrittenLosesNothing_data()
    {
        QTest::addColumn<int>("fileMode");
        QTest::addColumn<bool>("stateWritable");
        QTest::addColumn<QString>("said"); // JOURNAL stands for the journal's path in the state folder
        QTest::addColumn<QString>("diskFull"); // the file size at which the disk is full, if it fills
        const auto row
            = [](const char *name, int fileMode, bool stateWritable, const QString &said, const QString &diskFull) {
                  QTest::newRow(name) << fileMode << stateWritable << said << diskFull;
              };
        const QString failed = "message Permission denied|message Your recipes could not be saved";
        const QString kept = ". Close anyway? The changes made since the last save are kept in JOURNAL and offered "
                             "back at the next start.|closed 1";
        row("a writable file in it is saved in place", 0666, true, "closed 1", "");
        row("a disk that fills half-way through the file: the journal has the whole list", 0666, true,
            "message Disk full|message Your recipes could not be saved" + kept, "60000");
        row("a read-only file: the journal goes to the user's state folder, and the question says so", 0444, true,
            failed + kept, "");
        row("with nowhere to write, the question says the changes are lost", 0444, false,
            failed
                + ", and no copy of the changes could be kept either. If Larderly closes now, the changes made since "
                  "the last save are lost. Close anyway?|closed 1",
            "");
    }
    void aFolderThatCannotBeWrittenLosesNothing()
    {
        QFETCH(int, fileMode);
        QFETCH(bool, stateWritable);
        QFETCH(QString, said);
        QFETCH(QString, diskFull);
        LogicFixture recipes; // and the next start over it
        Folder state;
        RecipeFile::write(numbered(2, 1), recipes.path());
        const auto own = [](const QString &path, int mode) { // by the user editchild runs as
            return (geteuid() != 0 || ::chown(QFile::encodeName(path), 65534, 65534) == 0)
                && ::chmod(QFile::encodeName(path), mode_t(mode)) == 0;
        };
        QVERIFY(own(recipes.path(), fileMode) && own(recipes.dir.path(), 0555)
                && own(state.dir.path(), stateWritable ? 0700 : 0500));
        qputenv("XDG_STATE_HOME", QFile::encodeName(state.dir.path())); // the child's too
        const QString journal = RecoveryJournal::locations(recipes.dir.path()).last();
        QProcess child;
        child.start(QCoreApplication::applicationDirPath() + "/editchild", {"close", recipes.dir.path(), diskFull});
        QVERIFY(child.waitForFinished(30000));
        ::chmod(QFile::encodeName(recipes.dir.path()), 0700);
        QCOMPARE(QString(child.readAllStandardOutput()).trimmed().replace(u'\n', u'|'),
                 QString(said).replace("JOURNAL", journal));
        QCOMPARE(recipes.files(), QStringList({"RECIPES.DAT"})); // rewritten where it stands, if at all
        QCOMPARE(QFile::exists(journal), said.contains("JOURNAL"));
        PromptRecorder prompts;
        prompts.answers = {MessageBox::Yes, MessageBox::Yes, MessageBox::Yes};
        recipes.logic.loadRecipes();
        qunsetenv("XDG_STATE_HOME");
        QCOMPARE(recipes.list().at(1).name, said.contains("JOURNAL") || fileMode == 0666 ? "Recipe 1!" : "Recipe 1");
        QCOMPARE(recipes.list().at(1).directions.startsWith(QChar(0x6F22)), !diskFull.isEmpty()); // whole
    }
};

QTEST_MAIN(TestLogic)
#include "tst_logic.moc"
