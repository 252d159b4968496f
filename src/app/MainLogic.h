#pragma once

#include "MainView.h"

#include <QString>

#include <functional>
#include <memory>

class PrintProgress;
class RecipeFile;
class RecipeList;
class SearchPrompt;

// The main window's behaviour, apart from its widgets: it keeps the six text boxes and the
// recipe list in step (the boxes are the only editor; StoreFields copies them into the current
// recipe before anything leaves, saves, prints or searches it, and ShowCurrentRecipe shows the
// current recipe after anything changes which one that is) and carries out the commands.
class MainLogic
{
public:
    using SearchDialogFactory = std::function<std::unique_ptr<SearchPrompt>()>;

    MainLogic(RecipeList &list, RecipeFile &file, MainView &view);
    ~MainLogic();

    // Makes the search dialog the first time Search is used.
    void setSearchDialogFactory(SearchDialogFactory factory) { m_makeSearchDialog = std::move(factory); }

    void Form_Load();
    // False when the window must stay open: the save failed and the user chose not to lose edits.
    bool Form_Unload();
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
    RecipeList &m_list;
    RecipeFile &m_file;
    MainView &m_view;
    SearchDialogFactory m_makeSearchDialog;
    std::unique_ptr<SearchPrompt> m_searchDialog;
    QString mFindWhat; // the last find text
};
