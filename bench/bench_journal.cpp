// What the recovery journal costs on the 32,767-recipe box (about 40 MB) while someone types into
// it, and what a long journal adds to the next start.
//
//  - typing: a keystroke every 100 ms (10 a second) into the directions of the recipe on screen,
//    for the given seconds; the bytes the process writes meanwhile (/proc/self/io), the longest
//    pause of the window (the longest gap between the ticks of a 2 ms timer), and the longest time
//    from a keystroke to the journal growing on disk. The same loop without typing gives the
//    machine's own jitter.
//  - replay: the longest journals there can be, offered at the next start and taken back: one of
//    RecoveryJournal::MaxRecords changes over the file (past which it is written afresh as the
//    whole list), mostly typing spread over the box and some adds and deletes, and the same after
//    the whole list; the start with each against the start without one.
//
//   bench_journal [seconds]
#include "BenchMeasure.h"
#include "RecipeGenerator.h"
#include "app/MainLogic.h"
#include "app/MainView.h"
#include "dialogs/MessageBox.h"
#include "store/RecipeBox.h"
#include "store/RecipeFile.h"
#include "store/RecipeList.h"
#include "store/journal/JournalFile.h"
#include "store/journal/RecoveryJournal.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

// A window of text boxes and nothing else.
struct Boxes : MainView
{
    QString fieldText(Recipe::Field field) const override { return texts[field]; }
    void setFieldText(Recipe::Field field, const QString &text) override { texts[field] = text; }
    void setFieldEnabled(Recipe::Field, bool) override { }
    void focusField(Recipe::Field) override { }
    void setRecordCounter(const QString &) override { }
    void beep() override { }
    QWidget *dialogParent() override { return nullptr; }
    void closeWindow() override { }
    DisplayedText &displayedText(Recipe::Field) override { std::abort(); }
    Printer &printer() override { std::abort(); }
    QString texts[Recipe::FieldCount];
};

qint64 bytesWritten()
{
    QFile io(QStringLiteral("/proc/self/io"));
    io.open(QIODevice::ReadOnly);
    for (const QByteArray &line : io.readAll().split('\n')) {
        if (line.startsWith("wchar:"))
            return line.mid(6).trimmed().toLongLong();
    }
    return -1;
}

struct Typing
{
    double longestPauseMs = 0;
    double longestToDiskMs = 0;
    qint64 written = 0;
};

Typing type(MainLogic *logic, Boxes *boxes, const QString &journal, int seconds)
{
    Typing result;
    QElapsedTimer clock, sinceTick, sinceKey;
    qint64 journalSize = QFileInfo(journal).size();
    bool waitingForDisk = false;
    const qint64 before = bytesWritten();
    int ticks = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.callOnTimeout([&] {
        result.longestPauseMs = std::max(result.longestPauseMs, sinceTick.nsecsElapsed() / 1e6);
        if (logic && ++ticks % 50 == 0) { // every 100 ms
            boxes->texts[Recipe::Directions] += u'x';
            logic->boxEdited();
            if (!waitingForDisk)
                sinceKey.start(), waitingForDisk = true;
        }
        const qint64 size = QFileInfo(journal).size();
        if (size != journalSize && waitingForDisk) {
            result.longestToDiskMs = std::max(result.longestToDiskMs, sinceKey.nsecsElapsed() / 1e6);
            waitingForDisk = false;
        }
        journalSize = size;
        if (clock.elapsed() > seconds * 1000)
            QCoreApplication::quit();
        sinceTick.start();
    });
    clock.start();
    sinceTick.start();
    tick.start(2);
    QCoreApplication::exec();
    result.written = bytesWritten() - before;
    return result;
}

// Recipes edited here and there, added and deleted, up to the most records a journal holds; with
// `whole`, after the journal was written afresh as the whole list.
void writeLongJournal(const QString &folder, const RecipeList &list, const FileIdentity &base, bool whole)
{
    RecoveryJournal journal(folder);
    journal.start(list, base);
    if (whole)
        journal.restart(list);
    QRandomGenerator random(7);
    for (int i = 0; i < RecoveryJournal::MaxRecords; ++i) {
        const int roll = int(random.bounded(100));
        const qint16 index = qint16(1 + random.bounded(journal.list().count().value()));
        if (roll < 2 && journal.list().count() < 32767) {
            journal.recordAdd();
        } else if (roll < 4) {
            journal.recordDelete(index);
        } else {
            Recipe recipe = journal.list().at(index);
            recipe.directions.insert(random.bounded(recipe.directions.size() + 1), QStringLiteral("stir well"));
            journal.recordRecipe(index, recipe);
        }
    }
    journal.sync();
}

double startMs(const QString &folder, bool *offered)
{
    RecipeBox recipes(folder);
    Boxes boxes;
    MainLogic logic(recipes, boxes);
    *offered = false;
    MessageBox::setAnswerer([offered](const MessageBox::Request &) { return *offered = true, MessageBox::Yes; });
    return BenchMeasure::timeMs([&] { logic.loadRecipes(); });
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(2, atoi(argv[1])) : 15;
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-XXXXXX"));
    const QString path = dir.filePath(RecipeFile::fileName());
    if (!RecipeGenerator::writeFile(path, 32767))
        return 1;
    const QString journal = RecoveryJournal::locations(dir.path()).first();

    {
        RecipeBox recipes(dir.path());
        Boxes boxes;
        MainLogic logic(recipes, boxes);
        logic.loadRecipes();
        const Typing idle = type(nullptr, &boxes, journal, 2);
        const Typing typing = type(&logic, &boxes, journal, seconds);
        std::printf("32767 recipes (%.1f MiB), %d s of 10 keystrokes a second:\n", QFileInfo(path).size() / 1048576.0,
                    seconds);
        std::printf("  written: %lld bytes in all, %.0f bytes a second; the journal holds %lld bytes\n", typing.written,
                    double(typing.written) / seconds, QFileInfo(journal).size());
        std::printf("  longest pause of the window: %.1f ms while typing, %.1f ms idle\n", typing.longestPauseMs,
                    idle.longestPauseMs);
        std::printf("  longest time from a keystroke to the journal on disk: %.0f ms\n", typing.longestToDiskMs);
        logic.saveRecipes();
    }

    RecipeList list;
    RecipeFile::read(path, list);
    for (const bool whole : {false, true}) {
        writeLongJournal(dir.path(), list, FileIdentity::of(path), whole);
        QFile journalFile(journal);
        journalFile.open(QIODevice::ReadOnly);
        const QByteArray journalBytes = journalFile.readAll();
        journalFile.close();
        const JournalFile::Contents contents = JournalFile::parse(journalBytes);
        std::vector<double> with, without;
        for (int run = 0; run < 5; ++run) {
            bool offered = false;
            QFile::remove(journal);
            without.push_back(startMs(dir.path(), &offered));
            QFile f(journal);
            f.open(QIODevice::WriteOnly);
            f.write(journalBytes);
            f.close();
            with.push_back(startMs(dir.path(), &offered));
            if (!offered)
                return std::fprintf(stderr, "the journal was not offered\n"), 1;
        }
        std::printf("a journal of %d changes%s (%.1f MiB): start %.0f ms with it, %.0f ms without, so %.0f ms for "
                    "taking it back (median of 5)\n",
                    int(contents.entries.size()) - (whole ? 1 : 0), whole ? " after the whole list" : "",
                    journalBytes.size() / 1048576.0, BenchMeasure::median(with), BenchMeasure::median(without),
                    BenchMeasure::median(with) - BenchMeasure::median(without));
    }
    return 0;
}
