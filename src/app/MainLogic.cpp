#include "MainLogic.h"

#include "ListPrint.h"
#include "RecipePrint.h"
#include "MessageBox.h"
#include "Printer.h"
#include "RecipeFile.h"
#include "RecipeList.h"
#include "RecipeScan.h"
#include "RecoveryWriter.h"
#include "RuntimeError.h"
#include "SearchPrompt.h"

#include <QDir>
#include <QFileInfo>

MainLogic::MainLogic(RecipeList &list, RecipeFile &file, MainView &view)
    : m_list(list)
    , m_file(file)
    , m_view(view)
{
    m_recoveryTimer.setSingleShot(true);
    m_recoveryTimer.setInterval(RecoveryDelayMs);
    m_recoveryTimer.callOnTimeout([this] { recovery().write(snapshot()); });
}

MainLogic::~MainLogic() = default;

void MainLogic::Form_Load()
{
    // The file is addressed by its full path, so a folder that cannot be made current does no harm.
    QDir::setCurrent(m_file.folder());
    m_file.LoadRecipes();
    offerRecovery();
    ShowCurrentRecipe();
}

QString MainLogic::recoveryPath() const
{
    return QDir(m_file.folder()).filePath(RecipeFile::recoveryName());
}

void MainLogic::offerRecovery()
{
    const QString path = recoveryPath();
    if (!QFileInfo::exists(path))
        return;
    if (MessageBox::askYesNo(nullptr, QStringLiteral("The changes of the last session were not saved. Recover them?"),
                             MessageBox::Yes)) {
        try {
            RecipeList recovered;
            RecipeFile::read(path, recovered);
            m_list = std::move(recovered);
            m_unsaved = true; // the copy stays until they are saved
            return;
        } catch (const RuntimeError &error) {
            MessageBox::message(nullptr, error.description());
        }
    }
    const QString kept = m_file.keepBackupCopy(path, true);
    MessageBox::message(nullptr, QStringLiteral("The unsaved changes of the last session are kept as %1.")
                                     .arg(kept.isEmpty() ? RecipeFile::recoveryName() : kept));
}

bool MainLogic::Form_Unload()
{
    StoreFields();
    if (m_file.SaveRecipes()) {
        saved();
        return true;
    }
    if (!m_unsaved)
        return MessageBox::askYesNo(m_view.dialogParent(), QStringLiteral("Your recipes could not be saved. Close anyway?"),
                                    MessageBox::No);
    m_recoveryTimer.stop();
    recovery().writeNow(m_list);
    return MessageBox::askYesNo(m_view.dialogParent(),
                                QStringLiteral("Your recipes could not be saved. Close anyway? The changes made since the "
                                               "last save are kept in %1 and offered back at the next start.")
                                    .arg(RecipeFile::recoveryName()),
                                MessageBox::No);
}

void MainLogic::boxEdited()
{
    changed();
}

void MainLogic::changed()
{
    m_unsaved = true;
    // Later changes wait for this copy, so one made while typing on is never more than the delay old.
    if (!m_recoveryTimer.isActive())
        m_recoveryTimer.start();
}

void MainLogic::saved()
{
    m_unsaved = false;
    m_recoveryTimer.stop();
    recovery().discard();
}

RecipeList MainLogic::snapshot() const
{
    RecipeList list = m_list; // the texts are shared, not copied
    if (list.RecipeCount() > 0) {
        Recipe &recipe = list.Recipes(list.CurrentRecipe());
        for (int box = 0; box < MainView::BoxCount; ++box)
            recipe.field(box) = m_view.boxText(MainView::Box(box));
    }
    return list;
}

RecoveryWriter &MainLogic::recovery()
{
    if (!m_recovery)
        m_recovery = std::make_unique<RecoveryWriter>(recoveryPath());
    return *m_recovery;
}

void MainLogic::mnuFileExit_Click()
{
    m_view.unload();
}

void MainLogic::StoreFields()
{
    if (m_list.RecipeCount() <= 0)
        return;
    Recipe &recipe = m_list.Recipes(m_list.CurrentRecipe());
    for (int box = 0; box < MainView::BoxCount; ++box)
        recipe.field(box) = m_view.boxText(MainView::Box(box));
}

void MainLogic::ShowCurrentRecipe()
{
    if (m_list.RecipeCount() > 0) {
        EnableFields(true);
        const Recipe &recipe = m_list.Recipes(m_list.CurrentRecipe());
        for (int box = 0; box < MainView::BoxCount; ++box)
            m_view.setBoxText(MainView::Box(box), recipe.field(box));
        m_view.setCounterCaption(QStringLiteral("Record %1 of %2")
                                     .arg(m_list.CurrentRecipe().value())
                                     .arg(m_list.RecipeCount().value()));
    } else {
        EnableFields(false);
        for (int box = 0; box < MainView::BoxCount; ++box)
            m_view.setBoxText(MainView::Box(box), QString());
        m_view.setCounterCaption(QStringLiteral("No Records"));
    }
}

void MainLogic::EnableFields(const bool &Enabled)
{
    for (int box = 0; box < MainView::BoxCount; ++box)
        m_view.setBoxEnabled(MainView::Box(box), Enabled);
}

void MainLogic::mnuRecordsFirst_Click()
{
    if (m_list.CurrentRecipe() == 1) {
        m_view.beep();
        return;
    }
    StoreFields();
    m_list.setCurrentRecipe(1);
    ShowCurrentRecipe();
}

void MainLogic::mnuRecordsLast_Click()
{
    if (m_list.CurrentRecipe() == m_list.RecipeCount()) {
        m_view.beep();
        return;
    }
    StoreFields();
    m_list.setCurrentRecipe(m_list.RecipeCount());
    ShowCurrentRecipe();
}

void MainLogic::mnuRecordsNext_Click()
{
    if (!(m_list.CurrentRecipe() < m_list.RecipeCount())) {
        m_view.beep();
        return;
    }
    StoreFields();
    m_list.setCurrentRecipe(m_list.CurrentRecipe() + 1);
    ShowCurrentRecipe();
}

void MainLogic::mnuRecordsPrevious_Click()
{
    if (m_list.CurrentRecipe() <= 1) {
        m_view.beep();
        return;
    }
    StoreFields();
    m_list.setCurrentRecipe(m_list.CurrentRecipe() - 1);
    ShowCurrentRecipe();
}

void MainLogic::cmdNext_Click()
{
    mnuRecordsNext_Click();
}

void MainLogic::cmdPrevious_Click()
{
    mnuRecordsPrevious_Click();
}

void MainLogic::mnuRecordsAdd_Click()
{
    StoreFields();
    try {
        m_list.appendEmpty();
    } catch (const RuntimeError &error) {
        if (error.number() != RuntimeError::Overflow)
            throw;
        MessageBox::message(m_view.dialogParent(),
                            QStringLiteral("The recipe box is full: it holds 32,767 recipes, the most it can. "
                                           "Delete a recipe to make room for a new one."));
        return;
    }
    ShowCurrentRecipe();
    m_view.focusBox(MainView::txtName);
    changed();
}

void MainLogic::mnuRecordsDelete_Click()
{
    if (m_list.RecipeCount() == 0) {
        m_view.beep();
        return;
    }
    // The name as stored: edits typed since the last store are not in the question.
    const QString question = QStringLiteral("Are you sure you want to delete ")
        + m_list.Recipes(m_list.CurrentRecipe()).Name + u'?';
    if (!MessageBox::askYesNo(m_view.dialogParent(), question, MessageBox::Yes))
        return;
    m_list.removeCurrent();
    ShowCurrentRecipe();
    changed();
}

void MainLogic::mnuFileSave_Click()
{
    StoreFields();
    if (m_file.SaveRecipes())
        saved();
}

void MainLogic::mnuRecordsSearch_Click()
{
    if (!m_searchDialog && m_makeSearchDialog)
        m_searchDialog = m_makeSearchDialog();
    if (!m_searchDialog)
        return;
    bool findFirst = false;
    if (m_searchDialog->GetSearchStr(findFirst, mFindWhat) && !mFindWhat.isEmpty())
        FindRecipe(findFirst);
}

void MainLogic::mnuRecordsFindNext_Click()
{
    if (mFindWhat.isEmpty())
        mnuRecordsSearch_Click();
    else
        FindRecipe(false);
}

void MainLogic::FindRecipe(bool bFindFirst)
{
    // Past recipe 32,767 there is nothing left to scan: the start index is worked out wide.
    const int start = bFindFirst ? 1 : m_list.CurrentRecipe().value() + 1;
    StoreFields();
    const std::optional<RecipeScan::Hit> hit = RecipeScan::find(m_list, start, mFindWhat);
    if (!hit) {
        MessageBox::message(m_view.dialogParent(), QStringLiteral("No more occurrences of '") + mFindWhat + QStringLiteral("'."));
        return;
    }
    m_view.focusBox(MainView::Box(hit->field));
    m_list.setCurrentRecipe(hit->recipe);
    ShowCurrentRecipe();
}

void MainLogic::cmdPrintSingle_Click()
{
    const QString name = m_view.boxText(MainView::txtName);
    const QString prepTime = m_view.boxText(MainView::txtPrep);
    const QString cookTime = m_view.boxText(MainView::txtCook);
    const QString servings = m_view.boxText(MainView::txtServe);
    RecipePrint::PrintSingleRecipe(m_view.printer(), name, prepTime, cookTime, servings,
                                   m_view.multiLineBox(MainView::txtIngredients),
                                   m_view.multiLineBox(MainView::txtDirections));
}

void MainLogic::mnuFilePrint_Click(PrintProgress *progress)
{
    StoreFields();
    Printer &printer = m_view.printer();
    try {
        ListPrint::PrintAllRecipes(m_list, printer, progress);
    } catch (...) {
        try {
            printer.killDoc();
        } catch (...) {
            // The first error is the one the user needs to see.
        }
        throw;
    }
}
