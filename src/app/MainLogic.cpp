#include "app/MainLogic.h"

#include "core/RuntimeError.h"
#include "dialogs/MessageBox.h"
#include "print/Printer.h"
#include "print/RecipePrinting.h"
#include "search/RecipeScan.h"
#include "search/SearchPrompt.h"
#include "store/RecipeBox.h"

#include <QDir>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcMainLogic, "larderly.window", QtInfoMsg)

MainLogic::MainLogic(RecipeBox &box, MainView &view)
    : m_box(box)
    , m_view(view)
{
    m_box.setTypingSource([this] { return boxes(); });
}

MainLogic::~MainLogic()
{
    m_box.setTypingSource(nullptr);
}

void MainLogic::loadRecipes()
{
    // The file is addressed by its full path, so a folder that cannot be made current does no harm.
    if (!QDir::setCurrent(m_box.folder()))
        qCInfo(lcMainLogic) << "cannot make" << m_box.folder() << "the current folder";
    for (const QString &message : m_box.open())
        MessageBox::message(nullptr, message);
    if (m_box.offersRecovery() && !m_sessionEnding) {
        const bool recover = MessageBox::askYesNo(
            nullptr, tr("The changes of the last session were not saved. Recover them?"), MessageBox::Yes);
        if (m_sessionEnding) {
            // nobody answered: the journal stays for the next start
        } else if (recover) {
            m_box.recover();
        } else {
            const QString kept = m_box.declineRecovery();
            MessageBox::message(nullptr, kept);
        }
    }
    showCurrentRecipe();
}

bool MainLogic::save()
{
    QString said;
    const bool saved = m_box.save(&said);
    if (!said.isEmpty()) // the error, or where another program's version of the file is kept
        MessageBox::message(m_view.dialogParent(), said);
    return saved;
}

bool MainLogic::prepareToClose()
{
    storeFields();
    if (save() || !m_box.hasUnsavedChanges())
        return true; // nothing is lost: a save error has been shown
    QString kept;
    const bool keptSomewhere = m_box.keepForNextStart(&kept);
    if (m_sessionEnding)
        return true;
    const QString question = keptSomewhere
        ? tr("Your recipes could not be saved. Close anyway? The changes made since the last save are "
             "kept in %1 and offered back at the next start.")
              .arg(kept)
        : tr("Your recipes could not be saved, and no copy of the changes could be kept either. If "
             "Larderly closes now, the changes made since the last save are lost. Close anyway?");
    const bool close = MessageBox::askYesNo(m_view.dialogParent(), question, MessageBox::No);
    return close || m_sessionEnding; // a session that ended meanwhile closes all the same
}

bool MainLogic::hasUnsavedChanges() const
{
    return m_box.hasUnsavedChanges();
}

void MainLogic::boxEdited()
{
    m_box.typed();
}

Recipe MainLogic::boxes() const
{
    Recipe recipe;
    for (int field = 0; field < Recipe::FieldCount; ++field)
        recipe.field(field) = m_view.fieldText(Recipe::Field(field));
    return recipe;
}

void MainLogic::exit()
{
    m_view.closeWindow();
}

void MainLogic::storeFields()
{
    if (m_box.list().count() > 0)
        m_box.store(boxes());
}

void MainLogic::showCurrentRecipe()
{
    const RecipeList &list = m_box.list();
    if (list.count() > 0) {
        enableFields(true);
        const Recipe &recipe = list.at(list.current());
        for (int field = 0; field < Recipe::FieldCount; ++field)
            m_view.setFieldText(Recipe::Field(field), recipe.field(field));
        m_view.setRecordCounter(tr("Record %1 of %2").arg(list.current().value()).arg(list.count().value()));
    } else {
        enableFields(false);
        for (int field = 0; field < Recipe::FieldCount; ++field)
            m_view.setFieldText(Recipe::Field(field), QString());
        m_view.setRecordCounter(tr("No Records"));
    }
}

void MainLogic::enableFields(bool enabled)
{
    for (int field = 0; field < Recipe::FieldCount; ++field)
        m_view.setFieldEnabled(Recipe::Field(field), enabled);
}

void MainLogic::showCurrent(Int16 index)
{
    storeFields();
    m_box.setCurrent(index);
    showCurrentRecipe();
}

void MainLogic::showFirstRecipe()
{
    if (m_box.list().current() == 1)
        m_view.beep();
    else
        showCurrent(1);
}

void MainLogic::showLastRecipe()
{
    const RecipeList &list = m_box.list();
    if (list.current() == list.count())
        m_view.beep();
    else
        showCurrent(list.count());
}

void MainLogic::showNextRecipe()
{
    const RecipeList &list = m_box.list();
    if (!(list.current() < list.count()))
        m_view.beep();
    else
        showCurrent(list.current() + 1);
}

void MainLogic::showPreviousRecipe()
{
    if (m_box.list().current() <= 1)
        m_view.beep();
    else
        showCurrent(m_box.list().current() - 1);
}

void MainLogic::addRecipe()
{
    storeFields();
    try {
        m_box.appendEmpty();
    } catch (const RuntimeError &error) {
        if (error.number() != RuntimeError::Overflow)
            throw;
        MessageBox::message(m_view.dialogParent(),
                            tr("The recipe box is full: it holds 32,767 recipes, the most it can. "
                               "Delete a recipe to make room for a new one."));
        return;
    }
    showCurrentRecipe();
    m_view.focusField(Recipe::Name);
}

void MainLogic::deleteRecipe()
{
    const RecipeList &list = m_box.list();
    if (list.count() == 0) {
        m_view.beep();
        return;
    }
    // The name as stored: edits typed since the last store are not in the question.
    const QString question = tr("Are you sure you want to delete %1?").arg(list.at(list.current()).name);
    if (!MessageBox::askYesNo(m_view.dialogParent(), question, MessageBox::Yes))
        return;
    m_box.removeCurrent();
    showCurrentRecipe();
}

void MainLogic::saveRecipes()
{
    storeFields();
    save();
}

void MainLogic::search()
{
    if (!m_searchDialog && m_makeSearchDialog)
        m_searchDialog = m_makeSearchDialog();
    if (!m_searchDialog)
        return;
    const std::optional<SearchRequest> request = m_searchDialog->ask();
    if (!request)
        return; // cancelled: the last text stays
    m_findWhat = request->text;
    if (!m_findWhat.isEmpty())
        findRecipe(request->fromFirst);
}

void MainLogic::findNext()
{
    if (m_findWhat.isEmpty())
        search();
    else
        findRecipe(false);
}

void MainLogic::findRecipe(bool fromFirst)
{
    // Past recipe 32,767 there is nothing left to scan: the start index is worked out wide.
    const int start = fromFirst ? 1 : m_box.list().current().value() + 1;
    storeFields();
    const std::optional<RecipeScan::Hit> hit = RecipeScan::find(m_box.list(), start, m_findWhat);
    if (!hit) {
        MessageBox::message(m_view.dialogParent(), tr("No more occurrences of '%1'.").arg(m_findWhat));
        return;
    }
    m_view.focusField(Recipe::Field(hit->field));
    m_box.setCurrent(hit->recipe);
    showCurrentRecipe();
}

void MainLogic::printRecipe()
{
    const QString name = m_view.fieldText(Recipe::Name);
    const QString prepTime = m_view.fieldText(Recipe::PrepTime);
    const QString cookTime = m_view.fieldText(Recipe::CookTime);
    const QString servings = m_view.fieldText(Recipe::Servings);
    RecipePrinting::printRecipe(m_view.printer(), name, prepTime, cookTime, servings,
                                m_view.displayedText(Recipe::Ingredients), m_view.displayedText(Recipe::Directions));
}

void MainLogic::printAllRecipes(PrintProgress *progress)
{
    storeFields();
    Printer &printer = m_view.printer();
    try {
        RecipePrinting::printAllRecipes(m_box.list(), printer, progress);
    } catch (...) {
        try {
            printer.abortDocument();
        } catch (const RuntimeError &error) {
            // The first error is the one the user needs to see.
            qCWarning(lcMainLogic) << "the failed print could not be discarded either:" << error.description();
        }
        throw;
    }
}
