#pragma once

#include "store/FileIdentity.h"

#include <QCoreApplication>
#include <QString>

#include <functional>

class RecipeList;
class RuntimeError;

// RECIPES.DAT in a given folder: load() reads it into the list, save() writes the list back
// whole. Both report their own errors through the message function (the description alone)
// and never pass one on; a missing file at load is silent and leaves the list as it was.
//
// Saving writes a temporary file beside RECIPES.DAT and puts it in place only when it is
// complete, so a failure at any point leaves the previous file whole. A file that fails to load
// is copied to a new backup name first, so the next save cannot silently replace it with the
// part that was read; when no copy can be made, saving leaves the file alone for the whole run.
class RecipeFile
{
    Q_DECLARE_TR_FUNCTIONS(RecipeFile)

public:
    using MessageFunction = std::function<void(const QString &message)>;

    static QString fileName() { return QStringLiteral("RECIPES.DAT"); }

    RecipeFile(RecipeList &list, const QString &folder, MessageFunction showMessage);

    void load();
    // True when the file was written; false after the error has been reported.
    bool save();

    QString filePath() const;
    QString folder() const { return m_folder; }
    // The file as it was last loaded or saved: a journal of changes belongs to this version.
    FileIdentity identity() const { return m_identity; }

    // True when the folder takes no new file but the file can be written: saving then rewrites
    // the file in place instead of replacing it with a new one.
    bool savesInPlace() const;

    // RECIPES-BACKUP-%1.<suffix>, the names of the backup copies.
    static QString backupPattern(const QString &suffix = QStringLiteral("DAT"));
    // Copies (or moves) the file to the first free backup name in `folder` (by default the recipe
    // folder), keeping its suffix; the backup's path, or empty on failure.
    QString keepBackupCopy(const QString &path, bool move = false, QString folder = QString()) const;
    // Writes the list to the first free backup name; its path, or empty on failure.
    QString keepBackupList(const RecipeList &list) const;

    // Reads a recipe file into the list, or writes the list to one, replacing it only once the new
    // file is complete and on disk, with the owner, group and permissions of the file it replaces.
    // Both raise RuntimeError. `write` returns the identity of the bytes written.
    static void read(const QString &path, RecipeList &list);
    static FileIdentity write(const RecipeList &list, const QString &path);

private:
    void replaceFile();
    static FileIdentity writeInPlace(const RecipeList &list, const QString &path);

    RecipeList &m_list;
    QString m_folder;
    MessageFunction m_showMessage;
    QString m_unreadable; // why the file could not be read and is left alone
    FileIdentity m_identity;
};
