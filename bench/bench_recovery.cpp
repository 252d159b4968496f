// How long the window is held up by the recovery copy while someone types into a 32,767-recipe
// list: a timer ticks every 2 ms, each tick changes a box as a keystroke would, and the longest
// gap between two ticks is the longest pause the window sees. The same loop without changes
// gives the machine's own jitter.
//
//   bench_recovery [seconds]
#include "MainLogic.h"
#include "MainView.h"
#include "RecipeFile.h"
#include "RecipeGenerator.h"
#include "RecipeList.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

// A window of text boxes and nothing else.
struct Boxes : MainView
{
    QString boxText(Box box) const override { return texts[box]; }
    void setBoxText(Box box, const QString &text) override { texts[box] = text; }
    void setBoxEnabled(Box, bool) override {}
    void focusBox(Box) override {}
    void setCounterCaption(const QString &) override {}
    void beep() override {}
    QWidget *dialogParent() override { return nullptr; }
    void unload() override {}
    MultiLineTextBox &multiLineBox(Box) override { std::abort(); }
    Printer &printer() override { std::abort(); }
    QString texts[BoxCount];
};

// The longest gap between ticks, and the number of recovery copies written meanwhile.
void type(MainLogic *logic, Boxes *boxes, const QString &copy, int seconds, double *longestMs, int *copies)
{
    QElapsedTimer clock, sinceTick;
    QDateTime lastCopy;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.callOnTimeout([&] {
        *longestMs = std::max(*longestMs, sinceTick.nsecsElapsed() / 1e6);
        if (logic) {
            boxes->texts[MainView::txtDirections] += u'x';
            logic->boxEdited();
        }
        const QDateTime written = QFileInfo(copy).lastModified();
        if (written.isValid() && written != lastCopy)
            ++*copies, lastCopy = written;
        if (clock.elapsed() > seconds * 1000)
            QCoreApplication::quit();
        sinceTick.start();
    });
    clock.start();
    sinceTick.start();
    tick.start(2);
    QCoreApplication::exec();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(2, atoi(argv[1])) : 10;
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-XXXXXX"));
    if (!RecipeGenerator::writeFile(dir.filePath(RecipeFile::fileName()), 32767))
        return 1;
    RecipeList list;
    RecipeFile file(list, dir.path(), [](const QString &m) { std::fprintf(stderr, "%s\n", qPrintable(m)); });
    Boxes boxes;
    MainLogic logic(list, file, boxes);
    logic.Form_Load();
    const QString copy = dir.filePath(RecipeFile::recoveryName());

    double idle = 0, typing = 0;
    int none = 0, copies = 0;
    type(nullptr, &boxes, copy, 2, &idle, &none);
    type(&logic, &boxes, copy, seconds, &typing, &copies);
    std::printf("32767 recipes, %d s of a keystroke every 2 ms: %d recovery copies of %.1f MiB written\n", seconds, copies,
                QFileInfo(copy).size() / (1024.0 * 1024.0));
    std::printf("longest pause of the window: %.1f ms while typing, %.1f ms idle\n", typing, idle);
    return 0;
}
