#pragma once

#include "store/RecipeList.h"
#include "store/RecipeLock.h"

#include <QCoreApplication>
#include <QString>

// The command's one way to the recipe box of a folder, on the terms the program keeps: the lock
// that keeps a window and the command apart, no change while a journal of an unfinished session
// waits to be offered, and RECIPES.DAT read and saved as the program reads and saves it.
class RecipeBoxAccess
{
    Q_DECLARE_TR_FUNCTIONS(RecipeBoxAccess)

public:
    explicit RecipeBoxAccess(const QString &folder);

    // Takes the lock and reads the recipes; a missing RECIPES.DAT is an empty box. Raises
    // RuntimeError, its description for the user, when a Larderly window has the recipes open,
    // when a journal waits, or when the file cannot be read.
    void open();

    RecipeList &list() { return m_list; }
    QString filePath() const;

    // Writes the list back whole, as the program saves: a new file put in place of the old one
    // when complete, with its owner, group and mode. Raises RuntimeError, as open() does.
    void save();

private:
    QString m_folder;
    RecipeLock m_lock;
    RecipeList m_list;
};
