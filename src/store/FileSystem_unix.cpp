#include "store/FileSystem.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcFileSystem, "larderly.store.files", QtInfoMsg)

namespace {

FileSystem::Stamp stampFrom(const struct stat &info)
{
    return {qint64(info.st_dev), qint64(info.st_ino), qint64(info.st_size),
            qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

} // namespace

FileSystem::Stamp FileSystem::stampOf(const QString &path)
{
    struct stat info = {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? stampFrom(info) : Stamp();
}

FileSystem::Stamp FileSystem::stampOf(int fd)
{
    struct stat info = {};
    return ::fstat(fd, &info) == 0 ? stampFrom(info) : Stamp();
}

bool FileSystem::syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool synced = fd >= 0 && ::fsync(fd) == 0;
    if (!synced)
        qCWarning(lcFileSystem) << "cannot flush the folder" << folder << "to the disk:" << qt_error_string(errno);
    if (fd >= 0)
        ::close(fd);
    return synced;
}

bool FileSystem::makeFolder(const QString &path)
{
    const QFileInfo folder(path);
    if (folder.isDir())
        return true;
    const QString parent = folder.absolutePath();
    if (parent == folder.absoluteFilePath() || !makeFolder(parent))
        return false;
    if (::mkdir(QFile::encodeName(path).constData(), 0777) != 0 && errno != EEXIST)
        return false;
    return syncFolder(parent); // or the new folder, and all put in it, may be gone after a power cut
}

bool FileSystem::syncData(int fd)
{
    if (::fdatasync(fd) == 0)
        return true;
    qCWarning(lcFileSystem) << "cannot flush a file to the disk:" << qt_error_string(errno);
    return false;
}

void FileSystem::keepOwner(int fd, const QString &replaced)
{
    struct stat old = {};
    if (::stat(QFile::encodeName(replaced).constData(), &old) != 0)
        return;
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, uid_t(-1), old.st_gid) != 0)
        qCInfo(lcFileSystem) << "the saved file is the user's own, in the user's group:" << qt_error_string(errno);
}

FileSystem::NewName FileSystem::moveToNewName(const QString &from, const QString &to, int *error)
{
    const QByteArray source = QFile::encodeName(from), target = QFile::encodeName(to);
    // A new empty file claims the name and shows the mode a new file of the user gets.
    const int fd = ::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        *error = errno;
        return errno == EEXIST ? NewName::Taken : NewName::Failed;
    }
    struct stat claimed = {};
    *error = ::fstat(fd, &claimed) == 0 ? 0 : errno;
    ::close(fd);
    if (!*error
        && (::chmod(source.constData(), claimed.st_mode & 0777) != 0
            || ::rename(source.constData(), target.constData()) != 0))
        *error = errno;
    if (!*error)
        return NewName::Moved;
    ::unlink(target.constData());
    return NewName::Failed;
}

FileSystem::FolderLock FileSystem::lockFolder(const QString &folder, int *fd)
{
    *fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (*fd < 0)
        return FolderLock::Unavailable;
    if (::flock(*fd, LOCK_EX | LOCK_NB) == 0)
        return FolderLock::Locked;
    const bool held = errno == EWOULDBLOCK;
    ::close(*fd);
    *fd = -1;
    return held ? FolderLock::Held : FolderLock::Unavailable;
}

void FileSystem::unlockFolder(int fd)
{
    if (fd >= 0)
        ::close(fd);
}

bool FileSystem::markInUse(int fd)
{
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
        return true;
    qCWarning(lcFileSystem) << "cannot mark a file as in use:" << qt_error_string(errno);
    return false;
}

bool FileSystem::inUseElsewhere(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool inUse = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return inUse;
}
