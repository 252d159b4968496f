#pragma once

#include "FakeMainView.h"
#include "MainLogic.h"
#include "MessageBox.h"
#include "RecipeFile.h"
#include "Recipes.h"
#include "SearchPrompt.h"

// The main window's logic over a stand-alone view, with RECIPES.DAT in a temporary folder and a
// search dialog that answers from `answers` ({ok, findFirst, text}; none left is Cancel).
struct LogicFixture : Folder, SearchPrompt
{
    struct Answer
    {
        bool ok;
        bool findFirst;
        QString text;
    };
    explicit LogicFixture(RecipeList recipes = RecipeList())
        : list(std::move(recipes))
        , file(list, dir.path(), [](const QString &message) { MessageBox::message(nullptr, message); })
        , logic(list, file, view)
    {
        logic.setSearchDialogFactory([this] {
            struct Dialog : SearchPrompt
            {
                SearchPrompt *fixture;
                bool GetSearchStr(bool &first, QString &text) override { return fixture->GetSearchStr(first, text); }
            };
            ++dialogsMade;
            auto dialog = std::make_unique<Dialog>();
            dialog->fixture = this;
            return dialog;
        });
        logic.ShowCurrentRecipe();
    }
    bool GetSearchStr(bool &bFindFirst, QString &strFindWhat) override
    {
        ++dialogsShown;
        const Answer answer = answers.isEmpty() ? Answer{false, false, {}} : answers.takeFirst();
        if (answer.ok) {
            bFindFirst = answer.findFirst;
            strFindWhat = answer.text;
        }
        return answer.ok;
    }

    RecipeList list;
    RecipeFile file;
    FakeMainView view;
    MainLogic logic;
    QList<Answer> answers;
    int dialogsMade = 0;
    int dialogsShown = 0;
};
