#pragma once

#include "store/FileIdentity.h"
#include "store/FileSystem.h"
#include "store/RecipeList.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

class RecipeLock;
class RecoveryJournal;

// The recipes of one folder for one session: the list, RECIPES.DAT, the lock that keeps a second
// window away and the recovery journal that keeps every change until it is saved. Every decision
// about them is taken here: what a start recovers of a session that ended unsaved, how a save is
// made and what a failed save keeps. It never shows anything: it hands back what the user is to be
// told, and the window asks the user where a decision is theirs. (Modelled on KTextEditor's swap
// file and KeePassXC's Database.)
//
// The list changes only through this class, so the journal sees every change: moving to another
// recipe, storing the boxes, adding and deleting. What is typed into the boxes and not yet stored
// reaches the journal through the typing source within JournalDelayMs of the keystroke.
class RecipeBox
{
    Q_DECLARE_TR_FUNCTIONS(RecipeBox)

public:
    static constexpr int JournalDelayMs = 1000;

    explicit RecipeBox(const QString &folder);
    ~RecipeBox();

    QString folder() const { return m_folder; }
    QString filePath() const;

    // Takes the folder's lock. Refused when another Larderly window on this computer has the
    // recipes open, which `message` then says. AskFirst when the lock names another computer, which
    // may have them open: `message` holds the question (No its default answer), and takeOverLock()
    // goes on when the user says Yes.
    enum class Locking { Locked, Refused, AskFirst };
    Locking lock(QString *message);
    void takeOverLock();
    // Reads RECIPES.DAT and looks at what earlier sessions left. Returns what the user is to be
    // told, in order: a file that could not be read, journals kept aside.
    QStringList open();
    // The changes of a session that ended without saving them wait for the user's answer.
    bool offersRecovery() const { return m_offer != nullptr; }
    // Takes them back: the list becomes what that session last had on screen.
    void recover();
    // Keeps them as a recipe file of their own instead; what the user is to be told.
    QString declineRecovery();

    const RecipeList &list() const { return m_list; }
    // False when RECIPES.DAT was there but could not be read to its end.
    bool readWhole() const { return m_readWhole; }
    bool hasUnsavedChanges() const { return m_unsaved; }

    void setCurrent(Int16 index);
    // The boxes of the recipe on screen, stored into the current recipe.
    void store(const Recipe &recipe);
    // Raises the overflow error, changing nothing, when the list holds 32,767 recipes.
    void appendEmpty();
    void removeCurrent();
    // Adds the recipes after the last one; the first becomes current when the list was empty. Raises
    // the overflow error, changing nothing, when they would pass 32,767 recipes.
    void append(const QList<Recipe> &recipes);
    // What the boxes of the recipe on screen hold, edits not yet stored included.
    void setTypingSource(std::function<Recipe()> source) { m_typingSource = std::move(source); }
    // The user typed into the boxes of the recipe on screen.
    void typed();

    // Writes the list to RECIPES.DAT, unless another program wrote a version of its own there since
    // it was loaded or saved here and there is nothing unsaved here: that version then stays. When
    // there is, this list is saved and the other version kept under a backup name. False, with the
    // error's description in `message`, when it could not be saved; true, with anything the user is
    // to be told (such as where the other version is kept) in `message`, when it was.
    bool save(QString *message);
    // After a failed save: puts every unsaved change where the next start offers it back; false
    // when no place could be written. `where` names the place for the user.
    bool keepForNextStart(QString *where);

private:
    struct Offer;

    void finishUnfinishedSave(QStringList &messages);
    void load(QStringList &messages);
    void lookForLastSession(QStringList &messages);
    // False when it wrote nothing, leaving another program's version as it is.
    bool saveFile(QString *notice);
    // Whether the file at `path`, whose stamp is `found`, is a version other than the one last
    // loaded or saved here. A stamp alone shows it the same; a changed one is read through.
    bool isAnotherVersion(const FileSystem::Stamp &found, const QString &path) const;
    void keepLeftovers(QStringList &messages);
    void changed();
    void writeJournal();
    // Moves a journal that will not be offered to a backup name, or, when it cannot be moved,
    // copies it there; what the user is to be told.
    QString keepAside(const QString &path, const QString &why);
    // A file's name when it lies beside RECIPES.DAT, else its whole path.
    QString displayName(const QString &path) const;

    const QString m_folder;
    RecipeList m_list;
    FileIdentity m_identity; // of the file as last loaded or saved: the journal's base
    FileSystem::Stamp m_diskStamp; // of the same
    QString m_unreadable; // why the file could not be read and is left alone
    // A save in place that stopped half-way left the file cut, and it could not be written whole
    // again: the list comes from the journal, which holds it until a save succeeds.
    std::unique_ptr<RecipeList> m_cutFileList;
    bool m_fileIsCut = false;
    bool m_unsaved = false;
    bool m_readWhole = true;
    bool m_typed = false; // the boxes, since they were last filled or stored
    std::function<Recipe()> m_typingSource;
    QTimer m_journalTimer;
    std::unique_ptr<RecipeLock> m_lock;
    std::unique_ptr<RecoveryJournal> m_journal;
    std::unique_ptr<Offer> m_offer;
};
