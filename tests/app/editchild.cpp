// Types into the recipe on screen of the recipes in DIR for ever, as a user would, saving now and
// then, and prints what it did: "edit N <ms since the epoch>", and "saving N" as a save begins. The
// test kills it at any moment.
#include "FakeMainView.h"
#include "MainLogic.h"
#include "RecipeFile.h"
#include "RecipeList.h"

#include <QApplication>
#include <QDateTime>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    RecipeList list;
    RecipeFile file(list, QString::fromLocal8Bit(argv[1]), [](const QString &m) { std::printf("message %s\n", qPrintable(m)); });
    FakeMainView view;
    MainLogic logic(list, file, view);
    logic.Form_Load();
    int edits = 0;
    QTimer typing;
    typing.callOnTimeout([&] {
        view.texts[MainView::txtDirections] += QStringLiteral(" %1").arg(++edits);
        logic.boxEdited();
        std::printf("edit %d %lld\n", edits, QDateTime::currentMSecsSinceEpoch());
        if (edits % 150 == 0) { // every three seconds, so that typing since is in the copy alone
            std::printf("saving %d\n", edits);
            std::fflush(stdout);
            logic.mnuFileSave_Click();
        }
        std::fflush(stdout);
    });
    typing.start(20);
    return app.exec();
}
