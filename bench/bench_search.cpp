// The worst case of a search, a text found nowhere, over 32,767 recipes; the floor is
// `grep -c -i -F` of the same text over the same recipes as a RECIPES.DAT file.
//
//   bench_search [runs]
#include "BenchMeasure.h"
#include "RecipeGenerator.h"
#include "search/RecipeScan.h"
#include "store/RecipeFile.h"
#include "store/RecipeList.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 9;
    const RecipeList list = RecipeGenerator::makeList(32767);
    QTemporaryDir dir;
    const QString path = dir.filePath(RecipeFile::fileName());
    if (!RecipeGenerator::writeFile(path, 32767))
        return 1;

    for (const QString &text : {QStringLiteral("pineapple upside-down"), QStringLiteral("crème anglaise")}) {
        std::vector<double> scan, grep;
        for (int run = 0; run < runs; ++run) {
            QElapsedTimer timer;
            timer.start();
            if (RecipeScan::find(list, 1, text))
                return 1;
            scan.push_back(double(timer.nsecsElapsed()) / 1e6);

            QProcess process;
            timer.restart();
            process.start(QStringLiteral("grep"),
                          {QStringLiteral("-c"), QStringLiteral("-i"), QStringLiteral("-F"), text, path});
            process.waitForFinished(-1);
            grep.push_back(double(timer.nsecsElapsed()) / 1e6);
            if (process.readAllStandardOutput().trimmed() != "0")
                return 1;
        }
        std::printf("'%s' found nowhere in 32767 recipes: scan %.1f ms, grep -c -i -F %.1f ms (median of %d)\n",
                    qPrintable(text), BenchMeasure::median(scan), BenchMeasure::median(grep), runs);
    }
    return 0;
}
