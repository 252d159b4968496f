#pragma once

#include <QLockFile>
#include <QString>

// Keeps a second copy of the program away from the recipes of a folder while one has them open:
// RECIPES.LCK beside RECIPES.DAT names the process that holds them. A lock left behind by a
// process that crashed or was killed is taken over, and so is one that names no process at all
// (cut short by a power failure) once it is a few seconds old.
class RecipeLock
{
public:
    enum Result { Locked, HeldElsewhere, Unavailable };

    static QString fileName() { return QStringLiteral("RECIPES.LCK"); }

    explicit RecipeLock(const QString &folder);

    // Unavailable when the lock file cannot be made (a read-only folder, a folder in its place):
    // the recipes can still be read, so that is no reason to keep the user out.
    Result lock();

private:
    QString m_path;
    QLockFile m_file;
};
