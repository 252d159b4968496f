#pragma once

#include "MainView.h"

class PrintProgress;
class RecipeFile;
class RecipeList;

// The main window's behaviour, apart from its widgets: it keeps the six text boxes and the
// recipe list in step (the boxes are the only editor; StoreFields copies them into the current
// recipe before anything leaves, saves, prints or searches it, and ShowCurrentRecipe shows the
// current recipe after anything changes which one that is) and carries out the commands.
class MainLogic
{
public:
    MainLogic(RecipeList &list, RecipeFile &file, MainView &view);

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

    // Prints the recipe as the boxes show it, unstored edits included; the list is not touched.
    void cmdPrintSingle_Click();
    // Stores the boxes, then prints every recipe of the list. A document that a failure leaves
    // open is discarded before the error goes on, so no later print carries its pages.
    void mnuFilePrint_Click(PrintProgress *progress = nullptr);

private:
    RecipeList &m_list;
    RecipeFile &m_file;
    MainView &m_view;
};
