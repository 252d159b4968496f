// Saves recipe lists in a separate process, so the tests can kill it mid-save, limit its file
// size or drop its privileges without touching the test process.
//
//   savechild loop DIR            saves two lists by turns forever, printing "saved" after each
//   savechild fsize DIR BYTES     saves a large list with the file size limited to BYTES
//   savechild nobody DIR          saves as the unprivileged user when run as root
#include "RecipeFile.h"
#include "RecipeList.h"
#include "SampleRecipes.h"

#include <QByteArray>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>
#include <unistd.h>

int main(int argc, char *argv[])
{
    if (argc < 3)
        return 2;
    const QByteArray mode = argv[1];
    const QString dir = QString::fromLocal8Bit(argv[2]);

    if (mode == "loop") {
        RecipeList lists[2] = {sampleRecipes(3000, QStringLiteral("A")), sampleRecipes(2500, QStringLiteral("B"))};
        for (int n = 0;; ++n) {
            RecipeFile file(lists[n % 2], dir, [](const QString &m) { std::printf("message %s\n", qPrintable(m)); });
            file.SaveRecipes();
            std::printf("saved\n");
            std::fflush(stdout);
        }
    }

    RecipeList list = sampleRecipes(500, QStringLiteral("Big"));
    if (mode == "fsize") {
        std::signal(SIGXFSZ, SIG_IGN); // get EFBIG from write() instead of being killed
        const rlimit limit{rlim_t(std::atoll(argv[3])), rlim_t(std::atoll(argv[3]))};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 3;
    } else if (mode == "nobody") {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            return 3;
    } else {
        return 2;
    }
    RecipeFile file(list, dir, [](const QString &m) { std::printf("message %s\n", qPrintable(m)); });
    file.SaveRecipes();
    std::printf("count %d\n", list.RecipeCount().value());
    return 0;
}
