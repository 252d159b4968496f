// Load and save of a 32,767-recipe RECIPES.DAT, against the floors of reading the bytes and
// decoding them with QStringDecoder, and of writing the same bytes with a plain flush to disk.
//
//   bench_store [runs]
#include "RecipeFile.h"
#include "RecipeGenerator.h"
#include "RecipeList.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <unistd.h>

namespace {

// Peak resident memory since the last reset, in MiB (Linux).
double peakMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double timeMs(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-XXXXXX"));
    const QString path = dir.filePath(RecipeFile::fileName());
    if (!RecipeGenerator::writeFile(path, 32767))
        return 1;
    const double fileMiB = double(QFileInfo(path).size()) / (1024.0 * 1024.0);

    std::vector<double> readFloor, load, writeFloor, save;
    double loadPeak = 0, savePeak = 0;
    QByteArray bytes;
    for (int run = 0; run < runs; ++run) {
        readFloor.push_back(timeMs([&] {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            bytes = file.readAll();
            QStringDecoder decoder("windows-1252");
            const QString text = decoder.decode(bytes);
            if (text.isEmpty())
                std::abort();
        }));
        writeFloor.push_back(timeMs([&] {
            QFile file(dir.filePath(QStringLiteral("floor.dat")));
            file.open(QIODevice::WriteOnly);
            file.write(bytes);
            file.flush();
            ::fsync(file.handle());
        }));
        bytes.clear();

        QStringList messages;
        RecipeList list;
        RecipeFile recipes(list, dir.path(), [&](const QString &m) { messages << m; });
        resetPeak();
        load.push_back(timeMs([&] { recipes.LoadRecipes(); }));
        loadPeak = std::max(loadPeak, peakMiB());
        resetPeak();
        save.push_back(timeMs([&] { recipes.SaveRecipes(); }));
        savePeak = std::max(savePeak, peakMiB());
        if (!messages.isEmpty() || list.RecipeCount().value() != 32767) {
            std::fprintf(stderr, "unexpected: %s\n", qPrintable(messages.join(u'\n')));
            return 1;
        }
    }

    std::printf("RECIPES.DAT: 32767 recipes, %.1f MiB; median of %d runs\n", fileMiB, runs);
    std::printf("load  %7.1f ms   floor (read + QStringDecoder) %7.1f ms   ratio %.2f\n",
                median(load), median(readFloor), median(load) / median(readFloor));
    std::printf("save  %7.1f ms   floor (write + flush to disk) %7.1f ms   ratio %.2f\n",
                median(save), median(writeFloor), median(save) / median(writeFloor));
    std::printf("peak memory: load %.1f MiB (%.2fx file), save %.1f MiB (%.2fx file)\n",
                loadPeak, loadPeak / fileMiB, savePeak, savePeak / fileMiB);
    return 0;
}
