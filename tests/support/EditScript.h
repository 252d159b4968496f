#pragma once

#include "FakeMainView.h"
#include "app/MainLogic.h"
#include "store/Checksum.h"
#include "store/RecipeList.h"

#include <QRandomGenerator>

// A user at work, for the tests that end a session at a random moment: a repeatable run of
// keystrokes into the boxes, adds, deletes, moves and now and then a save, each step followed by a
// digest of the recipes on screen (the list with the boxes of the recipe on view).
struct EditScript
{
    enum Step { Typed, Added, Deleted, Moved, Saved };

    explicit EditScript(quint32 seed)
        : random(seed)
    { }

    // What the next step does; typing needs a recipe on screen.
    Step next(const FakeMainView &view)
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
        if (step == Typed) {
            QString &text = view.texts[random.bounded(Recipe::FieldCount)];
            text.insert(random.bounded(text.size() + 1), QChar(u'a' + random.bounded(26)));
            logic.boxEdited();
        } else if (step == Moved) {
            void (MainLogic::*moves[])() = {&MainLogic::showNextRecipe, &MainLogic::showPreviousRecipe,
                                            &MainLogic::showFirstRecipe, &MainLogic::showLastRecipe};
            (logic.*moves[random.bounded(4)])();
        } else {
            (logic
             .*(step == Added         ? &MainLogic::addRecipe // a deletion's question is answered Yes
                    : step == Deleted ? &MainLogic::deleteRecipe
                                      : &MainLogic::saveRecipes))();
        }
    }

    static quint32 digest(RecipeList list, const FakeMainView *view = nullptr)
    {
        if (view && list.count() > 0) {
            for (int box = 0; box < Recipe::FieldCount; ++box)
                list.at(list.current()).field(box) = view->texts[box];
        }
        quint32 crc = 0;
        for (int i = 1; i <= list.count().value(); ++i) {
            for (int f = 0; f < Recipe::FieldCount; ++f)
                crc = Checksum::crc32(list.at(i).field(f).toUtf8() + '\0', crc);
        }
        return crc;
    }

    QRandomGenerator random;
};
