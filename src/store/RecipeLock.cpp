#include "store/RecipeLock.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

RecipeLock::RecipeLock(const QString &folder)
    : m_path(QDir(folder).filePath(fileName()))
    , m_file(m_path)
{
    // Only a lock whose process is gone is stale, however long the program has been running.
    m_file.setStaleLockTime(0);
}

RecipeLock::Result RecipeLock::lock()
{
    if (m_file.tryLock(0))
        return Locked;
    if (m_file.error() != QLockFile::LockFailedError)
        return Unavailable;
    const QFileInfo info(m_path);
    if (!info.isFile())
        return Unavailable;
    qint64 pid = 0;
    QString host, program;
    // Another copy writes its name in at once; a few seconds leave room for one just starting.
    const bool nameless = !m_file.getLockInfo(&pid, &host, &program);
    if (nameless && info.lastModified().secsTo(QDateTime::currentDateTime()) > 5)
        return m_file.removeStaleLockFile() && m_file.tryLock(0) ? Locked : Unavailable;
    return HeldElsewhere;
}
