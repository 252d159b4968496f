#pragma once

#include "FakeMainView.h"
#include "app/MainLogic.h"
#include "store/Checksum.h"
#include "store/RecipeList.h"

#include <QRandomGenerator>

// A user at work, repeatably: keys typed into the boxes, adds, deletes, moves, now and then a save;
// and a digest of the recipes on screen (the list with the boxes of the recipe on view).
struct EditScript
{
    enum Step { Typed, Added, Deleted, Moved, Saved };

    explicit EditScript(quint32 seed)
        : random(seed)
    { }
    Step next(const FakeMainView &view) // typing needs a recipe on screen
    {
        const int roll = int(random.bounded(100));
        return roll < 70 ? (view.enabled[0] ? Typed : Added)
            : roll < 76  ? Added
            : roll < 80  ? Deleted
            : roll < 99  ? Moved
                         : Saved;
    }
    void perform(Step step, MainLogic &logic, FakeMainView &view)
    {
        using Command = void (MainLogic::*)();
        const Command moves[] = {&MainLogic::showNextRecipe, &MainLogic::showPreviousRecipe,
                                 &MainLogic::showFirstRecipe, &MainLogic::showLastRecipe};
        if (step == Typed) {
            QString &text = view.texts[random.bounded(Recipe::FieldCount)];
            text.insert(random.bounded(text.size() + 1), QChar(u'a' + random.bounded(26)));
            logic.boxEdited();
            return;
        }
        const Command command = step == Added ? &MainLogic::addRecipe
            : step == Deleted                 ? &MainLogic::deleteRecipe
            : step == Saved                   ? &MainLogic::saveRecipes
                                              : moves[random.bounded(4)];
        (logic.*command)();
    }
    static quint32 digest(RecipeList list, const FakeMainView *view = nullptr)
    {
        for (int box = 0; view && list.count() > 0 && box < Recipe::FieldCount; ++box)
            list.at(list.current()).field(box) = view->texts[box];
        quint32 crc = 0;
        for (int i = 1; i <= list.count().value() * Recipe::FieldCount; ++i)
            crc = Checksum::crc32(list.at((i + 5) / 6).field((i - 1) % 6).toUtf8() + '\0', crc);
        return crc;
    }

    QRandomGenerator random;
};
