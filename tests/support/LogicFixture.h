#pragma once

#include "FakeMainView.h"
#include "Recipes.h"
#include "app/MainLogic.h"
#include "dialogs/MessageBox.h"
#include "search/SearchPrompt.h"
#include "store/RecipeBox.h"

// The window's logic over FakeMainView and the recipes of a folder; the search dialog answers
// from `answers`. Given recipes, they are written to the folder and loaded.
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

    explicit LogicFixture(const std::optional<RecipeList> &recipes = std::nullopt)
        : box(dir.path())
        , logic(box, view)
    {
        logic.setSearchDialogFactory([this] { return std::make_unique<Dialog>(*this); });
        if (recipes) {
            RecipeFile::write(*recipes, path());
            logic.loadRecipes();
        }
    }
    const RecipeList &list() const { return box.list(); }

    RecipeBox box;
    FakeMainView view;
    MainLogic logic;
    QList<std::optional<SearchRequest>> answers;
    int dialogsShown = 0;
};
