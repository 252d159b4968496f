#include "store/RecipeLock.h"

#include "store/FileSystem.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSysInfo>

Q_LOGGING_CATEGORY(lcRecipeLock, "larderly.lock", QtInfoMsg)

RecipeLock::RecipeLock(const QString &folder)
    : m_path(QDir(folder).filePath(fileName()))
    , m_folder(folder)
    , m_file(m_path)
{
    // Only a lock whose process is gone is stale, however long the program has been running.
    m_file.setStaleLockTime(0);
}

RecipeLock::~RecipeLock()
{
    FileSystem::unlockFolder(m_folderLock);
}

RecipeLock::Result RecipeLock::lock()
{
    switch (FileSystem::lockFolder(m_folder, &m_folderLock)) {
    case FileSystem::FolderLock::Locked:
        break;
    case FileSystem::FolderLock::Held:
        return HeldHere;
    case FileSystem::FolderLock::Unavailable:
        qCInfo(lcRecipeLock) << "the folder" << m_folder << "cannot be locked on this computer";
        break;
    }
    if (m_file.tryLock(0))
        return Locked;
    if (m_file.error() != QLockFile::LockFailedError || !QFileInfo(m_path).isFile()) {
        // A read-only folder, a full disk, a folder in its place: the folder's lock has to do.
        qCInfo(lcRecipeLock) << "no lock file can be made in" << m_folder;
        return Locked;
    }
    if (FileSystem::inUseElsewhere(m_path))
        return HeldHere; // a Larderly that does not lock the folder, alive on this computer
    qint64 pid = 0;
    QString host, program;
    const bool named = m_file.getLockInfo(&pid, &host, &program);
    if (named && !host.isEmpty() && host != QSysInfo::machineHostName()) {
        m_otherHost = host;
        m_otherSince = QFileInfo(m_path).lastModified();
        return HeldElsewhere;
    }
    // Written on this computer (or cut short before it named one) by a program that is gone, or it
    // would hold the folder's lock or its own.
    takeOver();
    return Locked;
}

void RecipeLock::takeOver()
{
    if (!m_file.removeStaleLockFile() || !m_file.tryLock(0))
        qCInfo(lcRecipeLock) << "the lock file" << m_path << "of a program that is gone cannot be replaced";
}
