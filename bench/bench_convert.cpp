// larderly-convert's work at the sizes the issue names: importing a Meal-Master archive of 10 MB
// (the generator's recipes, written by the Meal-Master export) and exporting the 32,767-recipe box
// to Meal-Master and to JSON-LD. Each is measured on its own (the format's reading or writing in
// memory) and as the command does it, files and RECIPES.DAT included; the floor is reading the
// archive and decoding it with QStringDecoder, and writing the export's bytes and flushing them.
//
//   bench_convert [runs]
#include "BenchMeasure.h"
#include "RecipeGenerator.h"
#include "convert/ConvertCommand.h"
#include "formats/RecipeFormat.h"
#include "store/RecipeFile.h"
#include "store/RecipeList.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

constexpr qsizetype ArchiveBytes = 10 * 1000 * 1000;

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush()
        && ::fsync(file.handle()) == 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-XXXXXX"));
    const RecipeList box = RecipeGenerator::makeList(32767);
    const QByteArray boxText = RecipeFormat::write(box, RecipeFormat::MealMaster, ArchiveEncoding::Automatic);
    // As many of the same recipes as make 10 MB of Meal-Master.
    const int archiveRecipes = int(qint64(box.count().value()) * ArchiveBytes / boxText.size());
    const QByteArray archive = RecipeFormat::write(RecipeGenerator::makeList(archiveRecipes), RecipeFormat::MealMaster,
                                                   ArchiveEncoding::Automatic);
    const QString archivePath = dir.filePath(QStringLiteral("archive.mmf"));
    const QString boxFolder = dir.filePath(QStringLiteral("box"));
    if (!writeFile(archivePath, archive) || !QDir().mkpath(boxFolder)
        || !RecipeGenerator::writeFile(QDir(boxFolder).filePath(RecipeFile::fileName()), 32767))
        return 1;

    std::vector<double> readFloor, parse, import, writeFloor, mealMaster, jsonLd, exportMealMaster, exportJsonLd;
    qsizetype jsonBytes = 0;
    for (int run = 0; run < runs; ++run) {
        readFloor.push_back(BenchMeasure::timeMs([&] {
            QFile file(archivePath);
            file.open(QIODevice::ReadOnly);
            QStringDecoder decoder("windows-1252");
            if (QString(decoder.decode(file.readAll())).isEmpty())
                std::abort();
        }));
        parse.push_back(BenchMeasure::timeMs([&] {
            if (RecipeFormat::read(archive, RecipeFormat::MealMaster, ArchiveEncoding::Automatic).size()
                != archiveRecipes)
                std::abort();
        }));
        const QString empty = dir.filePath(QStringLiteral("empty-%1").arg(run));
        QDir().mkpath(empty);
        import.push_back(BenchMeasure::timeMs([&] {
            ConvertCommand command(QString{});
        if (command.run({QStringLiteral("x"), QStringLiteral("--folder"), empty, QStringLiteral("import"), archivePath})
            != ConvertCommand::Done)
            std::abort();
    }));
    writeFloor.push_back(BenchMeasure::timeMs([&] { writeFile(dir.filePath(QStringLiteral("floor")), boxText); }));
    mealMaster.push_back(
        BenchMeasure::timeMs([&] { RecipeFormat::write(box, RecipeFormat::MealMaster, ArchiveEncoding::Automatic); }));
    jsonLd.push_back(BenchMeasure::timeMs(
        [&] { jsonBytes = RecipeFormat::write(box, RecipeFormat::JsonLd, ArchiveEncoding::Automatic).size(); }));
    for (auto [file, times] : {std::pair{QStringLiteral("box.mmf"), &exportMealMaster},
                               std::pair{QStringLiteral("box.json"), &exportJsonLd}}) {
        times->push_back(BenchMeasure::timeMs([&] {
            ConvertCommand command(QString{});
            if (command.run({QStringLiteral("x"), QStringLiteral("--folder"), boxFolder, QStringLiteral("export"),
                             dir.filePath(file)})
                != ConvertCommand::Done)
                std::abort();
        }));
    }
}

const auto mib = [](qsizetype bytes) { return double(bytes) / (1024.0 * 1024.0); };
std::printf("median of %d runs\n", runs);
std::printf("Meal-Master archive: %d recipes, %.1f MiB\n", archiveRecipes, mib(archive.size()));
std::printf("  read (decode + parse)           %7.1f ms   floor (read + QStringDecoder) %7.1f ms\n",
            BenchMeasure::median(parse), BenchMeasure::median(readFloor));
std::printf("  import into an empty box        %7.1f ms   (the command: read, parse, save RECIPES.DAT)\n",
            BenchMeasure::median(import));
std::printf("box of 32767 recipes: Meal-Master %.1f MiB, JSON-LD %.1f MiB\n", mib(boxText.size()), mib(jsonBytes));
std::printf("  write Meal-Master               %7.1f ms   floor (write + flush its bytes) %7.1f ms\n",
            BenchMeasure::median(mealMaster), BenchMeasure::median(writeFloor));
std::printf("  write JSON-LD                   %7.1f ms\n", BenchMeasure::median(jsonLd));
std::printf("  export to Meal-Master           %7.1f ms   (the command: read RECIPES.DAT, write, flush)\n",
            BenchMeasure::median(exportMealMaster));
std::printf("  export to JSON-LD               %7.1f ms\n", BenchMeasure::median(exportJsonLd));
return 0;
}
