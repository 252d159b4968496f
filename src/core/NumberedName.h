#pragma once

#include <QString>

#include <functional>

// The first free name of a numbered series of files (RECIPES-BACKUP-1.DAT, RECIPES-BACKUP-2.DAT and
// so on), for copies that must never replace a file that is there.
namespace NumberedName {

enum class Claim {
    Taken, // the name was taken meanwhile: the next one is tried
    Claimed, // the file now has this name
    Failed, // it cannot be given any name
};

// Tries the names of `pattern` (whose %1 is the number) in `folder` from 1 to 9999, passing over
// those that exist, until `claim` gives the file one; its path, or empty when that failed.
QString claimFirstFree(const QString &folder, const QString &pattern,
                       const std::function<Claim(const QString &path)> &claim);

} // namespace NumberedName
