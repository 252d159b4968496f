#include "store/FileSystem.h"

#include <QFile>
#include <QLoggingCategory>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcFileSystem, "larderly.store.files", QtInfoMsg)

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
