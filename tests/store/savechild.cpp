// Saves recipe lists in a process of its own, so that a test can kill it mid-save, limit its file
// size or drop its privileges.
//   savechild loop DIR          saves lists A and B by turns for ever, printing "saved" after each
//   savechild save DIR          saves list A once and prints the messages
//   savechild fsize DIR BYTES   the same with the file size limited
//   savechild nobody DIR        the same as the unprivileged user when run as root
//   savechild loadsave DIR      loads RECIPES.DAT and saves it again, as the unprivileged user when root
//   savechild lock DIR          holds the recipes' lock, printing "locked", until it is killed
#include "Recipes.h"
#include "store/RecipeFile.h"
#include "store/RecipeLock.h"

#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

int main(int argc, char *argv[])
{
    if (argc < 3)
        return 2;
    const QByteArray mode = argv[1];
    const QString dir = QString::fromLocal8Bit(argv[2]);
    RecipeList lists[2] = {numbered(3000, 7, QString(300, u'A')), numbered(2500, 9, QString(200, u'B'))};
    const auto print = [](const QString &message) { std::printf("message %s\n", qPrintable(message)); };

    if (mode == "lock") {
        RecipeLock lock(dir);
        std::printf(lock.lock() == RecipeLock::Locked ? "locked\n" : "not locked\n");
        std::fflush(stdout);
        std::getchar(); // the test keeps the pipe open, and kills the process
        return 0;
    }
    if (mode == "loop") {
        for (int n = 0;; ++n) {
            RecipeFile(lists[n % 2], dir, print).save();
            std::printf("saved\n");
            std::fflush(stdout);
        }
    }
    if (mode == "fsize" && argc > 3) {
        std::signal(SIGXFSZ, SIG_IGN); // EFBIG from write() instead of a kill
        const rlimit limit{rlim_t(std::atoll(argv[3])), rlim_t(std::atoll(argv[3]))};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 3;
    } else if (mode == "nobody" || mode == "loadsave") {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            return 3;
        if (mode == "loadsave") {
            RecipeFile file(lists[0], dir, print);
            file.load();
            file.save();
            return 0;
        }
    } else if (mode != "save") {
        return 2;
    }
    const Fields before = fieldsOf(lists[0]);
    RecipeFile(lists[0], dir, print).save();
    std::printf(fieldsOf(lists[0]) == before ? "list kept\n" : "list changed\n");
    return 0;
}
