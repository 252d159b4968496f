// A short session over the recipes of a folder, run under the power-cut simulator's recorder: edits
// that reach the journal, a save, and an edit after it. It writes what it promised into the marks
// file as it goes ("state D" after a change, "journaled D" once that state is on disk, "saving D"
// before a save, "saved D" once it reported success; D the recipes' digest):
//   powercutsession DIR        in DIR, which takes new files
//   powercutsession DIR nobody the same as nobody, for whom DIR is read-only: the file is saved in place
#include "Recipes.h"
#include "store/RecipeBox.h"

#include <QCoreApplication>

#include <cstdlib>
#include <unistd.h>

int main(int argc, char *argv[])
{
    if (argc > 2 && (setgid(65534) != 0 || setuid(65534) != 0))
        return 3;
    QCoreApplication app(argc, argv); // the journal's thread
    QFile marks(qEnvironmentVariable("FSREC_MARKS"));
    if (argc < 2 || !marks.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return 2;
    const auto mark = [&](const char *what, const RecipeList &list) { marks.write(what + (' ' + digestOf(list))); };
    RecipeBox box(QString::fromLocal8Bit(argv[1]));
    box.open();
    QString where, said;
    const auto edit = [&](int index, const QString &name) {
        box.setCurrent(index);
        Recipe recipe = box.list().at(index);
        recipe.name = name;
        box.store(recipe);
        mark("state", box.list());
        if (box.keepForNextStart(&where)) // as the journal's timer does within a second
            mark("journaled", box.list());
    };
    edit(1, "Stew");
    edit(3, QString(3000, u'x')); // a record of its own size
    box.removeCurrent(); // a list shorter than the file's, which a save in place must cut
    mark("state", box.list());
    mark("saving", box.list());
    if (box.save(&said))
        mark("saved", box.list());
    edit(2, "Soup");
    box.appendEmpty();
    mark("state", box.list());
    if (box.keepForNextStart(&where))
        mark("journaled", box.list());
    std::_Exit(0); // as a kill ends it: nothing more written
}
