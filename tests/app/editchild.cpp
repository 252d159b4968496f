// A session in a process of its own: "editchild hang SECONDS" catches the signals that end a session
// with that deadline, says "ready" and never ends by itself; "editchild DIR SEED" works over DIR's
// recipes as a user would, repeatably (keys typed into the boxes, adds, deletes, moves, now and then a
// save), a step every 20 ms, saying "step N <ms> <digest of the recipes on screen>" after each, until
// it is killed.
#include "FakeMainView.h"
#include "Recipes.h"
#include "app/MainLogic.h"
#include "app/TerminationSignals.h"
#include "dialogs/MessageBox.h"
#include "store/RecipeBox.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QRandomGenerator>
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
    QRandomGenerator random(QByteArray(argv[2]).toUInt());
    int steps = 0;
    const auto say = [&] {
        std::printf("step %d %lld %s\n", steps, QDateTime::currentMSecsSinceEpoch(),
                    digestOf(view.shown(recipes.list())).constData());
        std::fflush(stdout);
    };
    say();
    using Command = void (MainLogic::*)();
    const Command moves[] = {&MainLogic::showNextRecipe, &MainLogic::showPreviousRecipe, &MainLogic::showFirstRecipe,
                             &MainLogic::showLastRecipe};
    QTimer working;
    working.callOnTimeout([&] {
        const int roll = int(random.bounded(100));
        if (roll < 70 && view.enabled[Recipe::Name]) { // typing, with a recipe on screen; else an add
            QString &text = view.texts[random.bounded(Recipe::FieldCount)];
            text.insert(random.bounded(text.size() + 1), QChar(u'a' + random.bounded(26)));
            logic.boxEdited();
        } else {
            (logic
             .*(roll < 76       ? &MainLogic::addRecipe
                    : roll < 80 ? &MainLogic::deleteRecipe
                    : roll < 99 ? moves[random.bounded(4)]
                                : &MainLogic::saveRecipes))();
        }
        ++steps;
        say();
    });
    working.start(20);
    return app.exec();
}
