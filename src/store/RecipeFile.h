#pragma once

#include "store/FileIdentity.h"
#include "store/FileSystem.h"

#include <QString>

#include <functional>

class FileReplacement;
class RecipeList;

// RECIPES.DAT and its backup copies as files: reading one into a list, writing a list into one
// safely, and keeping copies under numbered names that never replace a file. Reading and writing
// raise RuntimeError, whose description is what the user is told.
namespace RecipeFile {

QString fileName(); // "RECIPES.DAT"
// RECIPES-BACKUP-%1.<suffix>, the names of the backup copies.
QString backupPattern(const QString &suffix = QStringLiteral("DAT"));

void read(const QString &path, RecipeList &list);

// Writes the list into the new version of a file (see FileReplacement), flushed to the disk, but
// not yet in the old one's place. `identity` gets the identity of its bytes.
void writeNew(const RecipeList &list, FileReplacement &file, FileIdentity *identity);
// Writes the list to a new file beside `path` and puts it in place only once it is complete and on
// disk, with the owner, group and permissions of the file it replaces, so a failure at any point
// leaves the file there whole.
FileIdentity write(const RecipeList &list, const QString &path);
// Rewrites the file where it stands, for a folder that takes no new file: not whole while it runs.
// `mayWrite`, given the stamp of the file as it is found, may refuse: nothing is written then.
void writeInPlace(const RecipeList &list, const QString &path,
                  const std::function<bool(const FileSystem::Stamp &)> &mayWrite = {});
// The identity the list's file would have, written by either.
FileIdentity identityOf(const RecipeList &list);
// Whether the file at `path` is what writing the list in place can leave when it stops half-way:
// no longer than the list's file, each byte either the list's or a zero never written.
bool isCutFrom(const QString &path, const RecipeList &list);

// Copies (or moves) the file at `path` to the first free backup name in `folder`, with its own
// suffix or the one given; false when that failed. `kept` gets the backup's path.
bool keepCopy(const QString &path, const QString &folder, bool move, QString *kept, QString suffix = QString());
// Writes the list to the first free backup name in `folder`.
bool keepList(const RecipeList &list, const QString &folder, QString *kept);

} // namespace RecipeFile
