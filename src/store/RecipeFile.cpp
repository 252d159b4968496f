#include "RecipeFile.h"

#include "RecipeList.h"
#include "RecipeReader.h"
#include "RecipeWriter.h"
#include "RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

constexpr int MaxBackups = 9999;

RuntimeError errorFromErrno(int error, int fallback)
{
    switch (error) {
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return RuntimeError(RuntimeError::DiskFull);
    case EACCES:
    case EPERM:
    case EROFS:
        return RuntimeError(RuntimeError::PermissionDenied);
    case EIO:
        return RuntimeError(RuntimeError::DeviceIOError);
    default:
        return RuntimeError(fallback);
    }
}

bool hasNoWriteBits(const QFileInfo &info)
{
    return !(info.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
}

// Makes the rename that put the new file in place survive a power cut.
void syncFolder(const QString &folder)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(folder);
#endif
}

} // namespace

RecipeFile::RecipeFile(RecipeList &list, const QString &folder, MessageFunction showMessage)
    : m_list(list)
    , m_folder(folder)
    , m_showMessage(std::move(showMessage))
{
}

QString RecipeFile::filePath() const
{
    return QDir(m_folder).filePath(fileName());
}

QString RecipeFile::backupName(int n)
{
    return QStringLiteral("RECIPES-BACKUP-%1.DAT").arg(n);
}

void RecipeFile::LoadRecipes()
{
    try {
        load();
    } catch (const RuntimeError &error) {
        if (error.number() == RuntimeError::FileNotFound)
            return;
        QString message = error.description();
        if (QFileInfo(filePath()).size() > 0) {
            const QString copy = keepBackupCopy();
            message += copy.isEmpty()
                ? QStringLiteral("\nNo copy of the file as it was could be kept.")
                : QStringLiteral("\nA copy of the file as it was is kept as %1.").arg(copy);
        }
        m_showMessage(message);
    } catch (const std::bad_alloc &) {
        m_showMessage(RuntimeError::standardDescription(RuntimeError::OutOfMemory));
    }
}

void RecipeFile::load()
{
    QFile file(filePath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        const QFileInfo info(file.fileName());
        if (!info.exists())
            throw RuntimeError(RuntimeError::FileNotFound);
        if (!info.isDir() && !info.isReadable())
            throw RuntimeError(RuntimeError::PermissionDenied);
        throw RuntimeError(RuntimeError::PathFileAccessError);
    }
    RecipeReader::read(file, m_list);
}

QString RecipeFile::keepBackupCopy() const
{
    const QDir dir(m_folder);
    for (int n = 1; n <= MaxBackups; ++n) {
        const QString name = backupName(n);
        if (QFileInfo::exists(dir.filePath(name)))
            continue;
        // QFile::copy never replaces an existing file, so an earlier backup is safe.
        return QFile::copy(filePath(), dir.filePath(name)) ? name : QString();
    }
    return QString();
}

bool RecipeFile::SaveRecipes()
{
    try {
        save();
        return true;
    } catch (const RuntimeError &error) {
        m_showMessage(error.description());
    } catch (const std::bad_alloc &) {
        m_showMessage(RuntimeError::standardDescription(RuntimeError::OutOfMemory));
    }
    return false;
}

void RecipeFile::save()
{
    const QString path = filePath();
    const QFileInfo info(path);
    if (info.isDir())
        throw RuntimeError(RuntimeError::PathFileAccessError);
    // A read-only file stays unchanged, even for a user whom the system would let replace it.
    if (info.exists() && (!info.isWritable() || hasNoWriteBits(info)))
        throw RuntimeError(RuntimeError::PermissionDenied);

    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const int error = errno;
        if (!QFileInfo(m_folder).isDir())
            throw RuntimeError(RuntimeError::PathNotFound);
        throw errorFromErrno(error, RuntimeError::PathFileAccessError);
    }
    errno = 0;
    if (!RecipeWriter::write(m_list, file)) {
        const int error = errno;
        const bool full = file.error() == QFileDevice::ResourceError;
        file.cancelWriting();
        throw full ? RuntimeError(RuntimeError::DiskFull)
                   : errorFromErrno(error, RuntimeError::DeviceIOError);
    }
    errno = 0;
    if (!file.commit())
        throw errorFromErrno(errno, RuntimeError::DeviceIOError);
    syncFolder(m_folder);
}
