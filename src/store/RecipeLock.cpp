#include "store/RecipeLock.h"

#include <QDir>

RecipeLock::RecipeLock(const QString &folder)
    : m_file(QDir(folder).filePath(fileName()))
{
    // Only a lock whose process is gone is stale, however long the program has been running.
    m_file.setStaleLockTime(0);
}

RecipeLock::Result RecipeLock::lock()
{
    if (m_file.tryLock(0))
        return Locked;
    return m_file.error() == QLockFile::LockFailedError ? HeldElsewhere : Unavailable;
}
