#pragma once

#include "FakeMainView.h"
#include "Recipes.h"
#include "app/MainLogic.h"
#include "dialogs/MessageBox.h"
#include "search/SearchPrompt.h"
#include "store/RecipeFile.h"

// The window's logic over FakeMainView and a folder; the search dialog answers from `answers`.
struct LogicFixture : Folder
{
    struct Dialog : SearchPrompt
    {
        explicit Dialog(LogicFixture &f)
            : fixture(f)
        { }
        std::optional<SearchRequest> ask() override
        {
            ++fixture.dialogsShown;
            return fixture.answers.isEmpty() ? std::nullopt : fixture.answers.takeFirst();
        }
        LogicFixture &fixture;
    };

    explicit LogicFixture(RecipeList recipes = RecipeList())
        : list(std::move(recipes))
        , file(list, dir.path(), [](const QString &message) { MessageBox::message(nullptr, message); })
        , logic(list, file, view)
    {
        logic.setSearchDialogFactory([this] { return std::make_unique<Dialog>(*this); });
        logic.showCurrentRecipe();
    }

    RecipeList list;
    RecipeFile file;
    FakeMainView view;
    MainLogic logic;
    QList<std::optional<SearchRequest>> answers;
    int dialogsShown = 0;
};
