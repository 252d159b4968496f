#pragma once

#include "app/MainView.h"
#include "store/Int16.h"

#include <QCoreApplication>
#include <QString>

#include <functional>
#include <memory>

class PrintProgress;
class RecipeBox;
class SearchPrompt;
struct Recipe;

// The main window's behaviour, apart from its widgets: it keeps the six text boxes and the
// recipe list in step (the boxes are the only editor; storeFields() copies them into the current
// recipe before anything leaves, saves, prints or searches it, and showCurrentRecipe() shows the
// current recipe after anything changes which one that is) and carries out the commands. The
// recipes themselves, and every decision about their file, are the RecipeBox's: this class shows
// what it is told and asks the user where the box leaves a decision to them.
class MainLogic
{
    Q_DECLARE_TR_FUNCTIONS(MainLogic)

public:
    using SearchDialogFactory = std::function<std::unique_ptr<SearchPrompt>()>;

    MainLogic(RecipeBox &box, MainView &view);
    ~MainLogic();

    // Makes the search dialog the first time Search is used.
    void setSearchDialogFactory(SearchDialogFactory factory) { m_makeSearchDialog = std::move(factory); }

    // Loads the recipes, offers back the changes of a session that ended without saving them and
    // shows the current recipe.
    void loadRecipes();
    // False when the window must stay open: the save failed, changes would be lost and the user
    // chose not to close. Once the session is ending nobody is asked: what cannot be saved is
    // kept for the next start if it can be, and the window closes.
    bool prepareToClose();
    // The user changed the text of a box.
    void boxEdited();
    bool hasUnsavedChanges() const;
    void exit();
    // The desktop session is ending (a termination signal): from now on nobody is asked anything.
    void endSession() { m_sessionEnding = true; }

    void storeFields();
    void showCurrentRecipe();
    void enableFields(bool enabled);

    void showFirstRecipe();
    void showLastRecipe();
    void showNextRecipe();
    void showPreviousRecipe();

    void addRecipe();
    void deleteRecipe();
    void saveRecipes();

    void search();
    void findNext();
    void findRecipe(bool fromFirst);
    // Prints the recipe as the boxes show it, unstored edits included; the list is not touched.
    void printRecipe();
    // Stores the boxes, then prints every recipe of the list. A document that a failure leaves
    // open is discarded before the error goes on, so no later print carries its pages.
    void printAllRecipes(PrintProgress *progress = nullptr);

private:
    bool save();
    void showCurrent(Int16 index);
    // The six boxes as a recipe.
    Recipe boxes() const;

    RecipeBox &m_box;
    MainView &m_view;
    SearchDialogFactory m_makeSearchDialog;
    std::unique_ptr<SearchPrompt> m_searchDialog;
    QString m_findWhat; // the last find text
    bool m_sessionEnding = false;
};
