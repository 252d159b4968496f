#pragma once

#include "MainView.h"

#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

class PrintProgress;
class RecipeFile;
class RecipeList;
class RecoveryWriter;
class SearchPrompt;

// The main window's behaviour, apart from its widgets: it keeps the six text boxes and the
// recipe list in step (the boxes are the only editor; StoreFields copies them into the current
// recipe before anything leaves, saves, prints or searches it, and ShowCurrentRecipe shows the
// current recipe after anything changes which one that is) and carries out the commands.
//
// While there are unsaved changes (a box edited, a recipe added or deleted since the last save)
// a recovery copy of the list as it would be saved, boxes included, is written beside the recipe
// file within RecoveryDelayMs of the first change and again after later ones, by a thread of its
// own. A successful save removes it; at the next start it is offered back.
class MainLogic
{
public:
    using SearchDialogFactory = std::function<std::unique_ptr<SearchPrompt>()>;
    static constexpr int RecoveryDelayMs = 1000;

    MainLogic(RecipeList &list, RecipeFile &file, MainView &view);
    ~MainLogic();

    // Makes the search dialog the first time Search is used.
    void setSearchDialogFactory(SearchDialogFactory factory) { m_makeSearchDialog = std::move(factory); }

    // Loads the recipes, offers back the changes of a session that ended without saving them and
    // shows the current recipe.
    void Form_Load();
    // False when the window must stay open: the save failed and the user chose not to close.
    bool Form_Unload();
    // The user changed the text of a box.
    void boxEdited();
    bool hasUnsavedChanges() const { return m_unsaved; }
    void mnuFileExit_Click();

    void StoreFields();
    void ShowCurrentRecipe();
    void EnableFields(const bool &Enabled);

    void mnuRecordsFirst_Click();
    void mnuRecordsLast_Click();
    void mnuRecordsNext_Click();
    void mnuRecordsPrevious_Click();
    void cmdNext_Click();
    void cmdPrevious_Click();

    void mnuRecordsAdd_Click();
    void mnuRecordsDelete_Click();
    void mnuFileSave_Click();

    void mnuRecordsSearch_Click();
    void mnuRecordsFindNext_Click();
    void FindRecipe(bool bFindFirst);
    QString findWhat() const { return mFindWhat; }
    // Prints the recipe as the boxes show it, unstored edits included; the list is not touched.
    void cmdPrintSingle_Click();
    // Stores the boxes, then prints every recipe of the list. A document that a failure leaves
    // open is discarded before the error goes on, so no later print carries its pages.
    void mnuFilePrint_Click(PrintProgress *progress = nullptr);

private:
    void changed();
    void saved();
    QString recoveryPath() const;
    void offerRecovery();
    // The list as a save would write it now, with the boxes of the recipe on screen.
    RecipeList snapshot() const;
    RecoveryWriter &recovery();

    RecipeList &m_list;
    RecipeFile &m_file;
    MainView &m_view;
    SearchDialogFactory m_makeSearchDialog;
    std::unique_ptr<SearchPrompt> m_searchDialog;
    QString mFindWhat; // the last find text
    bool m_unsaved = false;
    QTimer m_recoveryTimer;
    std::unique_ptr<RecoveryWriter> m_recovery; // made at the first change
};
