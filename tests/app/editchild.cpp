// A session in a process of its own, for the tests that kill it, limit it or run it as another
// user. Questions are answered Yes, and every message is printed ("message <text>").
//   editchild script DIR SEED   works through EditScript(SEED) over the recipes in DIR, a step
//                               every 20 ms, printing "step N <ms since the epoch> <digest>" after
//                               each ("step 0" is the start, and "saving N" comes before step N
//                               saves), until it is killed
//   editchild close DIR         types into the recipe on screen and closes, as the unprivileged
//                               user when run as root
#include "EditScript.h"
#include "dialogs/MessageBox.h"
#include "store/RecipeFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QByteArray mode = argv[1];
    if (mode == "close" && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
        return 3;
    MessageBox::setAnswerer([](const MessageBox::Request &request) {
        std::printf("message %s\n", qPrintable(request.text));
        std::fflush(stdout);
        return request.buttons & MessageBox::Yes ? MessageBox::Yes : MessageBox::Ok;
    });
    RecipeList list;
    RecipeFile file(list, QString::fromLocal8Bit(argv[2]), [](const QString &m) { MessageBox::message(nullptr, m); });
    FakeMainView view;
    MainLogic logic(list, file, view);
    logic.loadRecipes();
    if (mode == "close") {
        view.texts[Recipe::Name] += u'!';
        logic.boxEdited();
        std::printf("closed %d\n", int(logic.prepareToClose()));
        return 0;
    }
    if (mode != "script" || argc < 4)
        return 2;
    EditScript script(QByteArray(argv[3]).toUInt());
    int steps = 0;
    std::printf("step 0 %lld %u\n", QDateTime::currentMSecsSinceEpoch(), EditScript::digest(list, &view));
    QTimer working;
    working.callOnTimeout([&] {
        const EditScript::Step step = script.next(view);
        if (step == EditScript::Saved) {
            std::printf("saving %d\n", steps + 1);
            std::fflush(stdout);
        }
        script.perform(step, logic, view);
        std::printf("step %d %lld %u\n", ++steps, QDateTime::currentMSecsSinceEpoch(), EditScript::digest(list, &view));
        std::fflush(stdout);
    });
    working.start(20);
    return app.exec();
}
