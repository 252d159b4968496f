// Load and save of a 32,767-recipe RECIPES.DAT, against the floors of reading the bytes and
// decoding them with QStringDecoder, and of writing the same bytes with a plain flush to disk. A
// save looks whether another program wrote the file meanwhile: a stat, and only when that differs
// a read of the file; the second save time shows that worst case.
//
//   bench_store [runs]
#include "BenchMeasure.h"
#include "RecipeGenerator.h"
#include "store/RecipeBox.h"
#include "store/RecipeFile.h"
#include "store/RecipeList.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <unistd.h>
#include <vector>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-XXXXXX"));
    const QString path = dir.filePath(RecipeFile::fileName());
    if (!RecipeGenerator::writeFile(path, 32767))
        return 1;
    const double fileMiB = double(QFileInfo(path).size()) / (1024.0 * 1024.0);

    std::vector<double> readFloor, load, writeFloor, save, saveTouched;
    double loadPeak = 0, savePeak = 0;
    QByteArray bytes;
    for (int run = 0; run < runs; ++run) {
        readFloor.push_back(BenchMeasure::timeMs([&] {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            bytes = file.readAll();
            QStringDecoder decoder("windows-1252");
            const QString text = decoder.decode(bytes);
            if (text.isEmpty())
                std::abort();
        }));
        writeFloor.push_back(BenchMeasure::timeMs([&] {
            QFile file(dir.filePath(QStringLiteral("floor.dat")));
            file.open(QIODevice::WriteOnly);
            file.write(bytes);
            file.flush();
            ::fsync(file.handle());
        }));
        bytes.clear();

        QStringList messages;
        RecipeBox recipes(dir.path());
        BenchMeasure::resetPeak();
        load.push_back(BenchMeasure::timeMs([&] { messages = recipes.open(); }));
        loadPeak = std::max(loadPeak, BenchMeasure::statusMiB("VmHWM:"));
        BenchMeasure::resetPeak();
        QString error;
        save.push_back(BenchMeasure::timeMs([&] { recipes.save(&error) || (messages << error, true); }));
        savePeak = std::max(savePeak, BenchMeasure::statusMiB("VmHWM:"));
        // A sync tool that wrote the same bytes again: the file's stamp differs, so the save reads it
        // through to tell whether another program's version is there.
        QFile touched(path);
        touched.open(QIODevice::ReadWrite);
        touched.setFileTime(QDateTime::currentDateTime().addSecs(-run - 60), QFileDevice::FileModificationTime);
        touched.close();
        saveTouched.push_back(BenchMeasure::timeMs([&] { recipes.save(&error) || (messages << error, true); }));
        if (!messages.isEmpty() || recipes.list().count().value() != 32767) {
            std::fprintf(stderr, "unexpected: %s\n", qPrintable(messages.join(u'\n')));
            return 1;
        }
    }

    std::printf("RECIPES.DAT: 32767 recipes, %.1f MiB; median of %d runs\n", fileMiB, runs);
    std::printf("load  %7.1f ms   floor (read + QStringDecoder) %7.1f ms   ratio %.2f\n", BenchMeasure::median(load),
                BenchMeasure::median(readFloor), BenchMeasure::median(load) / BenchMeasure::median(readFloor));
    std::printf("save  %7.1f ms   floor (write + flush to disk) %7.1f ms   ratio %.2f\n", BenchMeasure::median(save),
                BenchMeasure::median(writeFloor), BenchMeasure::median(save) / BenchMeasure::median(writeFloor));
    std::printf("save of a file another program touched (read through to compare) %7.1f ms\n",
                BenchMeasure::median(saveTouched));
    std::printf("peak memory: load %.1f MiB (%.2fx file), save %.1f MiB (%.2fx file)\n", loadPeak, loadPeak / fileMiB,
                savePeak, savePeak / fileMiB);
    return 0;
}
