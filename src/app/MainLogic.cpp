#include "app/MainLogic.h"

#include "core/RuntimeError.h"
#include "dialogs/MessageBox.h"
#include "print/Printer.h"
#include "print/RecipePrinting.h"
#include "search/RecipeScan.h"
#include "search/SearchPrompt.h"
#include "store/JournalFile.h"
#include "store/RecipeFile.h"
#include "store/RecipeList.h"
#include "store/RecipeWriter.h"
#include "store/RecoveryJournal.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>

#include <algorithm>

Q_LOGGING_CATEGORY(lcMainLogic, "larderly.recipes", QtInfoMsg)

namespace {

// Whether two lists would be the same file once saved (a save turns straight double quotes into
// typographic ones).
bool sameWhenSaved(const RecipeList &a, const RecipeList &b)
{
    if (a.count() != b.count() || a.current() != b.current())
        return false;
    for (int i = 1; i <= a.count().value(); ++i) {
        for (int f = 0; f < Recipe::FieldCount; ++f) {
            const QString &x = a.at(i).field(f);
            const QString &y = b.at(i).field(f);
            if (x != y && RecipeWriter::withTypographicQuotes(x) != RecipeWriter::withTypographicQuotes(y))
                return false;
        }
    }
    return true;
}

} // namespace

MainLogic::MainLogic(RecipeList &list, RecipeFile &file, MainView &view)
    : m_list(list)
    , m_file(file)
    , m_view(view)
    , m_journal(std::make_unique<RecoveryJournal>(file.folder()))
{
    m_journalTimer.setSingleShot(true);
    m_journalTimer.setInterval(JournalDelayMs);
    m_journalTimer.callOnTimeout([this] { writeJournal(); });
}

MainLogic::~MainLogic() = default;

void MainLogic::loadRecipes()
{
    // The file is addressed by its full path, so a folder that cannot be made current does no harm.
    if (!QDir::setCurrent(m_file.folder()))
        qCInfo(lcMainLogic) << "cannot make" << m_file.folder() << "the current folder";
    m_file.load();
    m_journal->start(m_list, m_file.identity());
    offerRecovery();
    showCurrentRecipe();
}

void MainLogic::offerRecovery()
{
    // Normally there is one journal; should both places hold one, the newer is offered.
    QFileInfoList journals;
    for (const QString &path : RecoveryJournal::locations(m_file.folder())) {
        if (QFileInfo::exists(path))
            journals << QFileInfo(path);
    }
    std::sort(journals.begin(), journals.end(),
              [](const QFileInfo &a, const QFileInfo &b) { return a.lastModified() > b.lastModified(); });
    for (qsizetype i = 0; i < journals.size() && !m_sessionEnding; ++i) {
        if (i == 0)
            offerJournal(journals[i].filePath());
        else
            keepAside(journals[i].filePath(),
                      tr("The changes of another earlier session could not be offered as well."));
    }
}

void MainLogic::offerJournal(const QString &path)
{
    JournalFile::Contents journal = JournalFile::read(path);
    if (!journal.readable) {
        keepAside(path, tr("The changes of an earlier session could not be read back."));
        return;
    }
    // A journal written afresh begins with the whole list; one whose list was being written over the
    // file in place holds that list whole, and the list read from the file is not needed.
    const bool fromWholeList = !journal.entries.isEmpty() && journal.entries.first().type == JournalEntry::Snapshot;
    const bool wholeList = journal.saving && fromWholeList;
    if (journal.base != m_file.identity() && !wholeList && journal.endsSaving) {
        QFile::remove(path); // the save it ends with replaced the file: everything in it is in the file
        return;
    }
    if (journal.base != m_file.identity() && !wholeList) {
        keepAside(path,
                  tr("The changes of an earlier session were made to another version of %1 "
                     "and cannot be applied to this one.")
                      .arg(RecipeFile::fileName()));
        return;
    }
    RecipeList recovered = fromWholeList ? RecipeList() : m_list;
    const qsizetype changes = journal.entries.size();
    const bool whole = JournalFile::replay(std::move(journal.entries), recovered) == changes;
    if (sameWhenSaved(recovered, m_list)) {
        QFile::remove(path); // nothing in it that the file does not hold
        return;
    }
    const bool recover = MessageBox::askYesNo(
        nullptr, tr("The changes of the last session were not saved. Recover them?"), MessageBox::Yes);
    if (m_sessionEnding)
        return; // nobody answered: the journal stays for the next start
    if (recover) {
        m_list = std::move(recovered);
        if (whole) // it goes on where it is
            m_journal->resume(m_list, path, journal.length, int(changes));
        else // without the change that does not fit, and what came after it
            m_journal->restart(m_list);
        m_unsaved = true;
        return;
    }
    const QString kept = m_file.keepBackupList(recovered); // a recipe file the user can open
    if (kept.isEmpty()) {
        keepAside(path, QString());
        return;
    }
    QFile::remove(path);
    MessageBox::message(nullptr, tr("The unsaved changes of the last session are kept as %1.").arg(displayName(kept)));
}

QString MainLogic::displayName(const QString &path) const
{
    const bool beside = QFileInfo(path).absolutePath() == QFileInfo(m_file.filePath()).absolutePath();
    return beside ? QFileInfo(path).fileName() : QDir::toNativeSeparators(path);
}

void MainLogic::keepAside(const QString &path, const QString &why)
{
    // Beside the recipes, or where it is when their folder cannot be written; never offered again.
    QString kept = m_file.keepBackupCopy(path, true);
    if (kept.isEmpty())
        kept = m_file.keepBackupCopy(path, true, QFileInfo(path).absolutePath());
    if (kept.isEmpty())
        qCWarning(lcMainLogic) << "cannot move" << path << "aside";
    const QString message = (why.isEmpty() ? QString() : why + u' ')
        + tr("The changes of the last session are kept as %1.").arg(displayName(kept.isEmpty() ? path : kept));
    MessageBox::message(nullptr, message);
}

bool MainLogic::save()
{
    // A file rewritten in place is not whole while it is written: the journal holds the list
    // meanwhile, so that a failure half-way is recovered at the next start.
    if (!m_file.savesInPlace())
        m_journal->markSaving();
    else if (m_journal->prepareInPlaceSave().isEmpty())
        qCWarning(lcMainLogic) << "saving in place with no journal to fall back on";
    if (!m_file.save())
        return false;
    m_journalTimer.stop();
    if (!m_journal->discard())
        qCWarning(lcMainLogic) << "the journal of the saved changes is still there";
    m_journal->start(m_list, m_file.identity());
    m_unsaved = false;
    return true;
}

bool MainLogic::prepareToClose()
{
    storeFields();
    if (save() || !m_unsaved)
        return true; // nothing is lost: a save error has been shown
    m_journalTimer.stop();
    const QString kept = m_journal->sync();
    if (m_sessionEnding)
        return true;
    const QString question = kept.isEmpty()
        ? tr("Your recipes could not be saved, and no copy of the changes could be kept either. If "
             "Larderly closes now, the changes made since the last save are lost. Close anyway?")
        : tr("Your recipes could not be saved. Close anyway? The changes made since the last save are "
             "kept in %1 and offered back at the next start.")
              .arg(displayName(kept));
    const bool close = MessageBox::askYesNo(m_view.dialogParent(), question, MessageBox::No);
    return close || m_sessionEnding; // a session that ended meanwhile closes all the same
}

void MainLogic::boxEdited()
{
    m_boxesEdited = true;
    changed();
}

void MainLogic::changed()
{
    m_unsaved = true;
    // Later changes wait for this write, so one made while typing on is never more than the delay old.
    if (!m_journalTimer.isActive())
        m_journalTimer.start();
}

void MainLogic::writeJournal()
{
    if (m_boxesEdited && m_list.count() > 0)
        m_journal->recordRecipe(m_list.current().value(), boxes());
    m_journal->recordCurrent(m_list.current().value());
    m_journal->write();
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
    if (m_list.count() <= 0)
        return;
    m_list.at(m_list.current()) = boxes();
    m_boxesEdited = false;
    if (m_journal->recordRecipe(m_list.current().value(), m_list.at(m_list.current())))
        changed();
}

void MainLogic::showCurrentRecipe()
{
    m_boxesEdited = false;
    if (m_unsaved && !m_journalTimer.isActive())
        m_journalTimer.start(); // the journal follows which recipe is current
    if (m_list.count() > 0) {
        enableFields(true);
        const Recipe &recipe = m_list.at(m_list.current());
        for (int field = 0; field < Recipe::FieldCount; ++field)
            m_view.setFieldText(Recipe::Field(field), recipe.field(field));
        m_view.setRecordCounter(tr("Record %1 of %2").arg(m_list.current().value()).arg(m_list.count().value()));
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

void MainLogic::showFirstRecipe()
{
    if (m_list.current() == 1) {
        m_view.beep();
        return;
    }
    storeFields();
    m_list.setCurrent(1);
    showCurrentRecipe();
}

void MainLogic::showLastRecipe()
{
    if (m_list.current() == m_list.count()) {
        m_view.beep();
        return;
    }
    storeFields();
    m_list.setCurrent(m_list.count());
    showCurrentRecipe();
}

void MainLogic::showNextRecipe()
{
    if (!(m_list.current() < m_list.count())) {
        m_view.beep();
        return;
    }
    storeFields();
    m_list.setCurrent(m_list.current() + 1);
    showCurrentRecipe();
}

void MainLogic::showPreviousRecipe()
{
    if (m_list.current() <= 1) {
        m_view.beep();
        return;
    }
    storeFields();
    m_list.setCurrent(m_list.current() - 1);
    showCurrentRecipe();
}

void MainLogic::addRecipe()
{
    storeFields();
    try {
        m_list.appendEmpty();
    } catch (const RuntimeError &error) {
        if (error.number() != RuntimeError::Overflow)
            throw;
        MessageBox::message(m_view.dialogParent(),
                            tr("The recipe box is full: it holds 32,767 recipes, the most it can. "
                               "Delete a recipe to make room for a new one."));
        return;
    }
    m_journal->recordAdd();
    changed();
    showCurrentRecipe();
    m_view.focusField(Recipe::Name);
}

void MainLogic::deleteRecipe()
{
    if (m_list.count() == 0) {
        m_view.beep();
        return;
    }
    // The name as stored: edits typed since the last store are not in the question.
    const QString question = tr("Are you sure you want to delete %1?").arg(m_list.at(m_list.current()).name);
    if (!MessageBox::askYesNo(m_view.dialogParent(), question, MessageBox::Yes))
        return;
    const qint16 removed = m_list.current().value();
    m_list.removeCurrent();
    m_journal->recordDelete(removed);
    changed();
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
    const int start = fromFirst ? 1 : m_list.current().value() + 1;
    storeFields();
    const std::optional<RecipeScan::Hit> hit = RecipeScan::find(m_list, start, m_findWhat);
    if (!hit) {
        MessageBox::message(m_view.dialogParent(), tr("No more occurrences of '%1'.").arg(m_findWhat));
        return;
    }
    m_view.focusField(Recipe::Field(hit->field));
    m_list.setCurrent(hit->recipe);
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
        RecipePrinting::printAllRecipes(m_list, printer, progress);
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
