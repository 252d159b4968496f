#pragma once

#include "app/MainView.h"

#include <QCoreApplication>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

class PrintProgress;
class RecipeFile;
class RecipeList;
class RecoveryJournal;
class SearchPrompt;
struct JournalEntry;
struct Recipe;

// The main window's behaviour, apart from its widgets: it keeps the six text boxes and the
// recipe list in step (the boxes are the only editor; storeFields() copies them into the current
// recipe before anything leaves, saves, prints or searches it, and showCurrentRecipe() shows the
// current recipe after anything changes which one that is) and carries out the commands.
//
// Every change (a box edited, a recipe added or deleted) is recorded in the recovery journal,
// boxes included, and written within JournalDelayMs of the change. A successful save removes
// the journal; at the next start it is offered back.
class MainLogic
{
    Q_DECLARE_TR_FUNCTIONS(MainLogic)

public:
    using SearchDialogFactory = std::function<std::unique_ptr<SearchPrompt>()>;
    static constexpr int JournalDelayMs = 1000;

    MainLogic(RecipeList &list, RecipeFile &file, MainView &view);
    ~MainLogic();

    // Makes the search dialog the first time Search is used.
    void setSearchDialogFactory(SearchDialogFactory factory) { m_makeSearchDialog = std::move(factory); }

    // Loads the recipes, offers back the changes of a session that ended without saving them and
    // shows the current recipe.
    void loadRecipes();
    // False when the window must stay open: the save failed, changes would be lost and the user
    // chose not to close. Once the session is ending nobody is asked: what cannot be saved is
    // kept in the journal if it can be, and the window closes.
    bool prepareToClose();
    // The user changed the text of a box.
    void boxEdited();
    bool hasUnsavedChanges() const { return m_unsaved; }
    void exit();
    // The desktop session is ending (a termination signal): from now on nobody is asked anything.
    void endSession() { m_sessionEnding = true; }
    bool sessionEnding() const { return m_sessionEnding; }
    RecoveryJournal &journal() { return *m_journal; }

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
    QString findWhat() const { return m_findWhat; }
    // Prints the recipe as the boxes show it, unstored edits included; the list is not touched.
    void printRecipe();
    // Stores the boxes, then prints every recipe of the list. A document that a failure leaves
    // open is discarded before the error goes on, so no later print carries its pages.
    void printAllRecipes(PrintProgress *progress = nullptr);

private:
    void changed();
    bool save();
    void writeJournal();
    void offerRecovery();
    void offerJournal(const QString &path);
    void keepAside(const QString &path, const QString &why);
    // A file's name when it lies beside RECIPES.DAT, else its whole path.
    QString displayName(const QString &path) const;
    // The six boxes as a recipe.
    Recipe boxes() const;

    RecipeList &m_list;
    RecipeFile &m_file;
    MainView &m_view;
    SearchDialogFactory m_makeSearchDialog;
    std::unique_ptr<SearchPrompt> m_searchDialog;
    QString m_findWhat; // the last find text
    bool m_unsaved = false;
    bool m_boxesEdited = false; // since they were last filled or stored
    bool m_sessionEnding = false;
    QTimer m_journalTimer;
    std::unique_ptr<RecoveryJournal> m_journal;
};
