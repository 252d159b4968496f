// Saves recipes in a process of its own, as nobody when run as root but for `save`, or holds the
// recipes' lock; the test limits its file size or drops its privileges that way:
//   savechild save|nobody DIR   adds recipes to those in DIR, saves them and prints the messages;
//   fsize DIR BYTES: with the file size limited; loadsave DIR: opens the recipes there and saves
//   them again; lock DIR: holds the lock, printing "locked", until it is killed
#include "Recipes.h"
#include "store/RecipeBox.h"
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
    const auto print = [](const QString &message) { std::printf("message %s\n", qPrintable(message)); };
    QCoreApplication app(argc, argv); // the journal's thread

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
        RecipeBox recipes(dir);
        for (const QString &message : recipes.open())
            print(message);
        QString error;
        if (!recipes.save(&error))
            print(error);
        return 0;
    } else if (mode != "save" && mode != "nobody") {
        return 2;
    }
    RecipeBox recipes(dir);
    recipes.open();
    const RecipeList list = numbered(3000, 7, QString(300, u'A'));
    QList<Recipe> added;
    for (int i = 1; i <= list.count().value(); ++i)
        added << list.at(i);
    recipes.append(added);
    const Fields before = fieldsOf(recipes.list());
    QString error;
    if (!recipes.save(&error))
        print(error);
    std::printf(fieldsOf(recipes.list()) == before ? "list kept\n" : "list changed\n");
    return 0;
}
