// A recipe whose ingredients are one long unbroken run of text (a damaged file, a pasted data URL)
// shown in the main window on the offscreen platform: the time from loading the file until the
// window is on view and the ingredients box has painted its laid-out text, and the time of the
// line queries the printing code asks of that box (the line count, then the start and length of
// every line the 16-bit queries reach), and the time from a key typed in the middle of the text
// until the box has painted it. The same sizes of ordinary words, wrapped at spaces, are measured
// beside them as the floor.
//
//   bench_longline [runs] [thousands of characters...]      (default: 3 runs of 100 300 2000 3000)
#include "BenchMeasure.h"
#include "app/MainWindow.h"
#include "print/DisplayedText.h"
#include "store/RecipeBox.h"
#include "store/RecipeFile.h"
#include "store/RecipeList.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QWindow>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

// What a damaged file or a pasted data URL can hold: letters and digits with no line break
// opportunity among them (base64's "+" and "/" would give the layout some).
QString unbroken(qsizetype size)
{
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QRandomGenerator random(7);
    QString text;
    text.reserve(size);
    while (text.size() < size)
        text += QLatin1Char(digits[random.bounded(62)]);
    return text;
}

// Words of 2 to 9 letters between single spaces, in one paragraph.
QString words(qsizetype size)
{
    QRandomGenerator random(7);
    QString text;
    text.reserve(size + 10);
    while (text.size() < size) {
        for (int i = random.bounded(2, 10); i > 0; --i)
            text += QLatin1Char(char('a' + random.bounded(26)));
        text += QLatin1Char(' ');
    }
    text.truncate(size);
    return text;
}

// Paints of a widget seen so far.
struct PaintCounter : QObject
{
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    int paints = 0;
};

struct Showing
{
    double showMs = 0;
    double showCpuMs = 0;
    double queriesMs = 0;
    double typeMs = 0;
    int lines = 0;
};

Showing show(const QString &ingredients)
{
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-XXXXXX"));
    RecipeList list;
    list.appendEmpty();
    list.at(1).name = QStringLiteral("Long line");
    list.at(1).ingredients = ingredients;
    list.at(1).directions = QStringLiteral("Mix.");
    list.setCurrent(1);
    RecipeFile::write(list, dir.filePath(RecipeFile::fileName()));

    RecipeBox shown(dir.path());
    auto window = std::make_unique<MainWindow>(shown);
    auto *box = window->findChild<QPlainTextEdit *>(QStringLiteral("ingredientsEdit"));
    PaintCounter counter;
    box->viewport()->installEventFilter(&counter);
    Showing result;
    result.showMs = BenchMeasure::timeMs(
        [&] {
            window->loadRecipes();
            window->show();
            while (!counter.paints || !window->windowHandle()->isExposed())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        },
        &result.showCpuMs);
    if (box->document()->firstBlock().layout()->lineCount() == 0)
        std::fprintf(stderr, "the box painted without laying its text out\n");

    DisplayedText &lines = window->displayedText(Recipe::Ingredients);
    result.queriesMs = BenchMeasure::timeMs([&] {
        result.lines = lines.lineCount();
        for (int line = 0; line < std::min(result.lines, 32768); ++line) {
            const qint32 start = lines.lineIndex(qint16(line));
            if (start > 32767)
                break; // where printing stops with an overflow
            lines.lineLength(qint16(start));
            lines.text();
        }
    });

    QTextCursor middle = box->textCursor();
    middle.setPosition(int(ingredients.size() / 2));
    box->setTextCursor(middle);
    box->setFocus();
    const int paints = counter.paints;
    result.typeMs = BenchMeasure::timeMs([&] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QCoreApplication::sendEvent(box, &press);
        QCoreApplication::sendEvent(box, &release);
        while (counter.paints == paints)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    });
    if (box->document()->characterCount() != ingredients.size() + 2)
        std::fprintf(stderr, "the key typed did not reach the box\n");
    return result;
}

void report(const char *kind, int kb, const std::vector<Showing> &runs)
{
    std::vector<double> show, cpu, queries, type;
    for (const Showing &run : runs) {
        show.push_back(run.showMs), cpu.push_back(run.showCpuMs), queries.push_back(run.queriesMs);
        type.push_back(run.typeMs);
    }
    std::printf("%-9s %5d K  show %9.1f ms (CPU %9.1f)  print line queries %7.1f ms  key typed %9.1f ms  %7d lines\n",
                kind, kb, BenchMeasure::median(show), BenchMeasure::median(cpu), BenchMeasure::median(queries),
                BenchMeasure::median(type), runs.back().lines);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    std::vector<int> sizes;
    for (int i = 2; i < argc; ++i)
        sizes.push_back(std::max(1, atoi(argv[i])));
    if (sizes.empty())
        sizes = {100, 300, 2000, 3000};

    std::printf("A recipe's ingredients shown in the main window, median of %d runs\n", runs);
    for (int kb : sizes) {
        for (const auto &[kind, make] : {std::pair{"unbroken", &unbroken}, std::pair{"words", &words}}) {
            const QString text = make(qsizetype(kb) * 1000);
            std::vector<Showing> results;
            for (int run = 0; run < runs; ++run)
                results.push_back(show(text));
            report(kind, kb, results);
        }
    }
    return 0;
}
