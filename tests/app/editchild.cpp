// A session in a process of its own: "editchild hang SECONDS" catches the signals that end a session
// with that deadline, says "ready" and never ends by itself; "editchild DIR SEED" runs EditScript(SEED)
// over DIR's recipes, a step every 20 ms, saying "step N <ms> <digest>" after each, until it is killed.
#include "EditScript.h"
#include "app/TerminationSignals.h"
#include "dialogs/MessageBox.h"
#include "store/RecipeBox.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

int main(int argc, char *argv[])
{
    if (argc == 3 && argv[1] == QByteArray("hang")) {
        TerminationSignals::install(unsigned(std::atoi(argv[2])));
        std::printf("ready\n");
        std::fflush(stdout);
        for (;;)
            pause();
    }
    if (argc != 3)
        return 2;
    QCoreApplication app(argc, argv);
    MessageBox::setUnattended(true); // Delete's question takes its default, Yes
    RecipeBox recipes(QString::fromLocal8Bit(argv[1]));
    FakeMainView view;
    MainLogic logic(recipes, view);
    logic.loadRecipes();
    EditScript script(QByteArray(argv[2]).toUInt());
    int steps = 0;
    const auto step = [&] {
        std::printf("step %d %lld %u\n", steps, QDateTime::currentMSecsSinceEpoch(),
                    EditScript::digest(recipes.list(), &view));
        std::fflush(stdout);
    };
    step();
    QTimer working;
    working.callOnTimeout([&] {
        script.perform(script.next(view), logic, view);
        ++steps;
        step();
    });
    working.start(20);
    return app.exec();
}
