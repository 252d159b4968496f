// Saves a recipe list in a process of its own, as nobody when run as root but for `save`, or holds
// the recipes' lock; the test limits its file size or drops its privileges that way:
//   savechild save|nobody DIR   saves a list and prints the messages; fsize DIR BYTES: with the
//   file size limited; loadsave DIR: loads RECIPES.DAT and saves it again; lock DIR: holds the
//   lock, printing "locked", until it is killed
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
    RecipeList list = numbered(3000, 7, QString(300, u'A'));
    const auto print = [](const QString &message) { std::printf("message %s\n", qPrintable(message)); };

    if (mode == "lock") {
        RecipeLock lock(dir);
        std::printf(lock.lock() == RecipeLock::Locked ? "locked\n" : "not locked\n");
        std::fflush(stdout);
        std::getchar(); // the test keeps the pipe open, and kills the process
        return 0;
    }
    if (mode != "save" && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
        return 3;
    if (mode == "fsize" && argc > 3) {
        std::signal(SIGXFSZ, SIG_IGN); // EFBIG from write() instead of a kill
        const rlimit limit{rlim_t(std::atoll(argv[3])), rlim_t(std::atoll(argv[3]))};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 3;
    } else if (mode == "loadsave") {
        RecipeFile file(list, dir, print);
        file.load();
        file.save();
        return 0;
    } else if (mode != "save" && mode != "nobody") {
        return 2;
    }
    const Fields before = fieldsOf(list);
    RecipeFile(list, dir, print).save();
    std::printf(fieldsOf(list) == before ? "list kept\n" : "list changed\n");
    return 0;
}
