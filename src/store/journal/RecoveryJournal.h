#pragma once

#include "store/FileIdentity.h"
#include "store/RecipeList.h"
#include "store/journal/JournalEntry.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QThread>
#include <QTimer>

#include <chrono>

class JournalWriter;

// The recovery journal of a recipe folder: the changes made to the list since RECIPES.DAT was
// last loaded or saved, so that a session that ends without saving them (a crash, a kill, a power
// cut) loses at most the last second of typing. It costs what the edit costs: each change is
// recorded as the change, not the list, and appended to the journal by a thread of its own.
//
// The journal keeps the list as it has recorded it; a recipe handed to it is compared with that
// and only the characters that differ are recorded. Once the records outgrow the recipe file (or
// 1 MiB), or number MaxRecords, the journal is written afresh as the whole list, so that taking
// it back at the next start costs little more than reading the file.
//
// It is kept beside RECIPES.DAT, or, where that folder cannot be written, in the user's state
// folder ($XDG_STATE_HOME/larderly, by default ~/.local/state/larderly) under a name made from the
// recipe folder's path.
class RecoveryJournal
{
public:
    explicit RecoveryJournal(const QString &recipeFolder);
    ~RecoveryJournal(); // writes what was handed over, then stops its thread

    // Where the journal of a recipe folder may be, in the order they are tried.
    static QStringList locations(const QString &recipeFolder);

    // Begins a journal over the recipe file whose identity is `base` and whose list is `list`;
    // nothing is written until the first change.
    void start(const RecipeList &list, const FileIdentity &base);

    // The list now differs from the recipe file by the changes of an earlier session, taken back:
    // the journal is written afresh as that whole list, on the writing thread.
    void restart(const RecipeList &list);
    // The same when the whole journal at `path` was taken back: it goes on there, after its first
    // `length` bytes (any half record after them is dropped).
    void resume(const RecipeList &list, const QString &path, qsizetype length, int records);

    // The changes, as they happen to the list on screen. A recipe is compared with the journal's;
    // true when it differed.
    bool recordRecipe(qint16 index, const Recipe &recipe);
    void recordAdd();
    void recordDelete(qint16 index);
    void recordCurrent(qint16 index);

    // The list as the journal has it.
    const RecipeList &list() const { return m_list; }

    // Hands the changes recorded since the last call to the writing thread and returns at once.
    void write();
    // Writes and waits until the journal is on disk, ending in a Saving mark for the recipe file
    // `saving` when one is named; false when it could not be written anywhere. `location` gets
    // where it is.
    bool sync(QString *location = nullptr, const FileIdentity &saving = FileIdentity());
    // Marks the journal, on disk, as saved into a recipe file whose identity is `file`: a next start
    // that finds that file knows every change before the mark is in it. True once the mark is on
    // disk, or when there is no journal to mark.
    bool markSaving(const FileIdentity &file);
    // Writes the journal afresh as the whole list, marked as being saved into a recipe file whose
    // identity is `file`: should the rewrite of the recipe file in place fail half-way, the next
    // start recovers the list from it. False when it could not be written.
    bool prepareInPlaceSave(const FileIdentity &file);
    // Removes the journal (after a save); false when it could not be removed.
    bool discard();

private:
    void append(const JournalEntry &entry);
    void write(const FileIdentity &saving);
    // Waits for the writing thread; where the journal is, or empty while it lacks something.
    QString location();
    void writeWhole(const FileIdentity &saving = FileIdentity());
    template<typename Result, typename Work>
    bool waitFor(Work work, Result &result);

public:
    static constexpr int MaxRecords = 8192;

private:
    static constexpr std::chrono::seconds WaitLimit{15};
    static constexpr int FirstRetryMs = 0;
    static constexpr int LastRetryMs = 30000;

    RecipeList m_list;
    FileIdentity m_base;
    QByteArray m_pending;
    bool m_changed = false;
    bool m_created = false;
    qint64 m_sinceWhole = 0; // bytes
    int m_recordsSinceWhole = 0;
    qint64 m_wholeLimit = 0;

    // A journal that lacks something on disk is written whole again at once, wherever there is
    // room, and then less and less often while there is none.
    QTimer m_retry;
    int m_retryMs = FirstRetryMs;

    QThread m_thread;
    JournalWriter *m_writer; // lives on m_thread
};
