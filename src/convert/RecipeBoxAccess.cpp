#include "convert/RecipeBoxAccess.h"

#include "core/RuntimeError.h"
#include "store/RecipeFile.h"
#include "store/RecoveryJournal.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcRecipeBoxAccess, "larderly.convert", QtInfoMsg)

RecipeBoxAccess::RecipeBoxAccess(const QString &folder)
    : m_folder(folder)
    , m_lock(folder)
{ }

QString RecipeBoxAccess::filePath() const
{
    return QDir(m_folder).filePath(RecipeFile::fileName());
}

void RecipeBoxAccess::open()
{
    const QString folder = QDir::toNativeSeparators(m_folder);
    switch (m_lock.lock()) {
    case RecipeLock::HeldElsewhere:
        throw RuntimeError(
            RuntimeError::PermissionDenied,
            tr("The recipes in %1 are open in a Larderly window. Close it, then try again.").arg(folder));
    case RecipeLock::Unavailable:
        // A folder that cannot be written: reading is still safe, and a save says why it fails.
        qCInfo(lcRecipeBoxAccess) << "the recipes in" << m_folder << "cannot be locked: the folder cannot be written";
        break;
    case RecipeLock::Locked:
        break;
    }
    for (const QString &journal : RecoveryJournal::locations(m_folder)) {
        if (QFileInfo::exists(journal)) {
            throw RuntimeError(RuntimeError::PermissionDenied,
                               tr("Changes to the recipes in %1 from a Larderly session that did not end normally "
                                  "are waiting in %2. Start Larderly to recover or discard them, then try again.")
                                   .arg(folder, QDir::toNativeSeparators(journal)));
        }
    }
    try {
        RecipeFile::read(filePath(), m_list);
    } catch (const RuntimeError &error) {
        if (error.number() == RuntimeError::FileNotFound)
            return;
        throw RuntimeError(error.number(),
                           tr("%1 cannot be read: %2. Open it in Larderly, which keeps a copy of a damaged file, "
                              "then try again.")
                               .arg(QDir::toNativeSeparators(filePath()), error.description()));
    }
}

void RecipeBoxAccess::save()
{
    try {
        RecipeFile::write(m_list, filePath());
    } catch (const RuntimeError &error) {
        throw RuntimeError(error.number(),
                           tr("%1 could not be saved: %2. It is as it was.")
                               .arg(QDir::toNativeSeparators(filePath()), error.description()));
    }
}
