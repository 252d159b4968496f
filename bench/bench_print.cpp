// Print All of a 32,767-recipe list into a PDF (no printer: the document is kept as a file), against
// the floor of drawing the same lines with QPainter into Qt's PDF engine and nothing else. Peak
// memory is measured above the memory held before printing, for a short list and the full one,
// to show whether it grows with the page count.
//
//   bench_print [runs]
#include "BenchMeasure.h"
#include "RecipeGenerator.h"
#include "print/DefaultPrinter.h"
#include "print/RecipePrinting.h"
#include "store/RecipeList.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <sys/resource.h>
#include <vector>

namespace {

struct Print
{
    double ms = 0;
    double cpuMs = 0;
    int pages = 0;
    double fileMiB = 0;
    double heldMiB = 0; // resident before printing: the program and the list
    double peakMiB = 0; // peak resident while printing
    double peakAboveMiB = 0; // the difference: what printing itself holds
};

Print printAll(const RecipeList &list)
{
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-XXXXXX"));
    QString kept;
    DefaultPrinter printer(
        dir.path(), [&](const QString &path) { kept = path; }, DefaultPrinter::ToPdfFile);
    Print result;
    const double before = BenchMeasure::statusMiB("VmRSS:");
    BenchMeasure::resetPeak();
    result.ms = BenchMeasure::timeMs([&] { RecipePrinting::printAllRecipes(list, printer); }, &result.cpuMs);
    result.heldMiB = before;
    result.peakMiB = BenchMeasure::statusMiB("VmHWM:");
    result.peakAboveMiB = BenchMeasure::statusMiB("VmHWM:") - before;
    result.pages = printer.pageCount();
    result.fileMiB = double(QFileInfo(kept).size()) / (1024.0 * 1024.0);
    return result;
}

// The same lines drawn straight into Qt's PDF engine on the same page, a page break every
// `linesPerPage` lines: what any QPainter-based print of this document costs at least.
double floorMs(const RecipeList &list, int linesPerPage)
{
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-XXXXXX"));
    QPdfWriter writer(dir.filePath(QStringLiteral("floor.pdf")));
    writer.setResolution(1200);
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18), QPageLayout::Point));
    return BenchMeasure::timeMs([&] {
        QPainter painter(&writer);
        QFont font;
        font.setFamilies({QStringLiteral("Liberation Sans")});
        font.setPointSizeF(10);
        painter.setFont(font);
        const qreal step = QFontMetricsF(font, &writer).lineSpacing();
        int line = 0;
        auto draw = [&](const QString &text) {
            if (line == linesPerPage) {
                writer.newPage();
                line = 0;
            }
            painter.drawText(QPointF(600, step * ++line), text);
        };
        for (int i = 1; i <= list.count().value(); ++i) {
            const Recipe &recipe = list.at(i);
            draw(QString());
            for (int field = 0; field < Recipe::FieldCount; ++field) {
                for (const QString &part : recipe.field(field).split(QStringLiteral("\r\n")))
                    draw(part);
            }
        }
    });
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 3;

    const RecipeList small = RecipeGenerator::makeList(2048);
    const Print smallPrint = printAll(small);

    const RecipeList list = RecipeGenerator::makeList(32767);
    std::vector<double> times, cpus, floors;
    Print last;
    for (int run = 0; run < runs; ++run) {
        last = printAll(list);
        times.push_back(last.ms);
        cpus.push_back(last.cpuMs);
    }
    // The floor breaks pages as often as the real print did.
    int lines = 1;
    for (int i = 1; i <= list.count().value(); ++i) {
        lines += 1;
        for (int field = 0; field < Recipe::FieldCount; ++field)
            lines += int(list.at(i).field(field).count(QStringLiteral("\r\n"))) + 1;
    }
    for (int run = 0; run < runs; ++run)
        floors.push_back(floorMs(list, (lines + last.pages - 1) / last.pages));

    std::printf("Print All of 32767 recipes into a PDF: %d lines, %d pages, %.1f MiB; median of %d runs\n", lines,
                last.pages, last.fileMiB, runs);
    std::printf("time  %8.1f ms (CPU %.1f ms)   floor (same lines, QPainter into QPdfWriter) %8.1f ms   ratio %.2f\n",
                BenchMeasure::median(times), BenchMeasure::median(cpus), BenchMeasure::median(floors),
                BenchMeasure::median(times) / BenchMeasure::median(floors));
    std::printf("memory: %.1f MiB held with the list before printing, peak %.1f MiB while printing\n", last.heldMiB,
                last.peakMiB);
    std::printf("peak memory above the list while printing: %.1f MiB for %d pages (2048 recipes), "
                "%.1f MiB for %d pages (32767 recipes)\n",
                smallPrint.peakAboveMiB, smallPrint.pages, last.peakAboveMiB, last.pages);
    return 0;
}
