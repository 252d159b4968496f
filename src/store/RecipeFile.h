#pragma once

#include "store/FileIdentity.h"

#include <QString>

#include <functional>

class RecipeList;

// RECIPES.DAT and its backup copies as files: reading one into a list, writing a list into one
// safely, and keeping copies under numbered names that never replace a file. Reading and writing
// raise RuntimeError, whose description is what the user is told.
namespace RecipeFile {

QString fileName(); // "RECIPES.DAT"
// RECIPES-BACKUP-%1.<suffix>, the names of the backup copies.
QString backupPattern(const QString &suffix = QStringLiteral("DAT"));

void read(const QString &path, RecipeList &list);

// Writes the list to a new file beside `path` and puts it in place only once it is complete and on
// disk, with the owner, group and permissions of the file it replaces, so a failure at any point
// leaves the file there whole. `beforeReplace`, given the identity of the new file, runs just before
// it takes the old one's place; when it returns false nothing is replaced (and DeviceIOError raised).
FileIdentity write(const RecipeList &list, const QString &path,
                   const std::function<bool(const FileIdentity &)> &beforeReplace = {});
// Rewrites the file where it stands, for a folder that takes no new file: not whole while it runs.
void writeInPlace(const RecipeList &list, const QString &path);
// The identity the list's file would have, written by either.
FileIdentity identityOf(const RecipeList &list);
// Whether the file at `path` is what writing the list in place can leave when it stops half-way:
// no longer than the list's file, each byte either the list's or a zero never written.
bool isCutFrom(const QString &path, const RecipeList &list);

// Copies (or moves) the file at `path` to the first free backup name in `folder`, keeping its
// suffix; false when that failed. `kept` gets the backup's path.
bool keepCopy(const QString &path, const QString &folder, bool move, QString *kept);
// Writes the list to the first free backup name in `folder`.
bool keepList(const RecipeList &list, const QString &folder, QString *kept);

} // namespace RecipeFile
