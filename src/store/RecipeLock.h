#pragma once

#include <QLockFile>
#include <QString>

// Keeps a second copy of the program away from the recipes of a folder while one has them open:
// RECIPES.LCK beside RECIPES.DAT names the process that holds them. A lock left behind by a
// process that crashed or was killed is taken over.
class RecipeLock
{
public:
    enum Result { Locked, HeldElsewhere, Unavailable };

    static QString fileName() { return QStringLiteral("RECIPES.LCK"); }

    explicit RecipeLock(const QString &folder);

    // Unavailable when the lock file cannot be made (a read-only folder): the recipes can be read
    // but not saved there, so that is no reason to keep the user out.
    Result lock();

private:
    QLockFile m_file;
};
