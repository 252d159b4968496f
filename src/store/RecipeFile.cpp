#include "store/RecipeFile.h"

#include "core/NumberedName.h"
#include "core/RuntimeError.h"
#include "store/RecipeList.h"
#include "store/RecipeReader.h"
#include "store/RecipeWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcRecipeFile, "larderly.store", QtInfoMsg)

namespace {

bool hasNoWriteBits(const QFileInfo &info)
{
    return !(info.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
}

// Makes the rename that put the new file in place survive a power cut.
void syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0)
        qCWarning(lcRecipeFile) << "cannot flush the folder" << folder << "to the disk:" << qt_error_string(errno);
    if (fd >= 0)
        ::close(fd);
}

// Gives the new file the owner and group of the one it replaces, as far as the process may: a
// file saved by root stays the user's, and a user in the file's group keeps that group.
void keepOwner(int fd, const QString &replaced)
{
    struct stat old
    {
    };
    if (::stat(QFile::encodeName(replaced).constData(), &old) != 0)
        return;
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, uid_t(-1), old.st_gid) != 0)
        qCInfo(lcRecipeFile) << "the saved file is the user's own, in the user's group:" << qt_error_string(errno);
}

// The identity a file that cannot be read is given: whatever it holds, it is left alone, and
// changes made over the empty list read from it belong to that state.
constexpr FileIdentity Unreadable{-2, 0};

} // namespace

RecipeFile::RecipeFile(RecipeList &list, const QString &folder, MessageFunction showMessage)
    : m_list(list)
    , m_folder(folder)
    , m_showMessage(std::move(showMessage))
{ }

QString RecipeFile::filePath() const
{
    return QDir(m_folder).filePath(fileName());
}

QString RecipeFile::backupPattern(const QString &suffix)
{
    return QStringLiteral("RECIPES-BACKUP-%1.") + suffix;
}

void RecipeFile::load()
{
    try {
        m_identity = FileIdentity::of(filePath());
    } catch (const RuntimeError &error) {
        qCWarning(lcRecipeFile) << "cannot read" << filePath() << error.description();
        m_identity = Unreadable;
    }
    QString error;
    try {
        read(filePath(), m_list);
        return;
    } catch (const RuntimeError &e) {
        if (e.number() == RuntimeError::FileNotFound)
            return;
        error = e.description();
    } catch (const std::bad_alloc &) {
        error = RuntimeError::standardDescription(RuntimeError::OutOfMemory);
    }
    QString message = error;
    if (QFileInfo(filePath()).size() > 0) {
        const QString copy = QFileInfo(keepBackupCopy(filePath())).fileName();
        // Without a copy, the recipes the load could not see would be lost at the next save.
        if (copy.isEmpty())
            m_unreadable = error;
        message += copy.isEmpty() ? tr("\nNo copy of the file as it was could be kept.")
                                  : tr("\nA copy of the file as it was is kept as %1.").arg(copy);
    }
    m_showMessage(message);
}

void RecipeFile::read(const QString &path, RecipeList &list)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        const QFileInfo info(file.fileName());
        if (!info.exists())
            throw RuntimeError(RuntimeError::FileNotFound);
        if (!info.isDir() && !info.isReadable())
            throw RuntimeError(RuntimeError::PermissionDenied);
        throw RuntimeError(RuntimeError::PathFileAccessError);
    }
    RecipeReader::read(file, list);
}

QString RecipeFile::keepBackupCopy(const QString &path, bool move, QString folder) const
{
    const QString pattern = backupPattern(QFileInfo(path).suffix().toUpper());
    // Neither copy nor rename replaces an existing file, so an earlier backup is safe.
    return NumberedName::claimFirstFree(folder.isEmpty() ? m_folder : folder, pattern, [&](const QString &backup) {
        return (move ? QFile::rename(path, backup) : QFile::copy(path, backup)) ? NumberedName::Claim::Claimed
                                                                                : NumberedName::Claim::Failed;
    });
}

QString RecipeFile::keepBackupList(const RecipeList &list) const
{
    return NumberedName::claimFirstFree(m_folder, backupPattern(), [&](const QString &backup) {
        try {
            write(list, backup);
            return NumberedName::Claim::Claimed;
        } catch (const RuntimeError &error) {
            qCWarning(lcRecipeFile) << "cannot write" << backup << error.description();
            return NumberedName::Claim::Failed;
        }
    });
}

bool RecipeFile::savesInPlace() const
{
    const QFileInfo file(filePath());
    return file.isFile() && file.isWritable() && !QFileInfo(m_folder).isWritable();
}

bool RecipeFile::save()
{
    try {
        replaceFile();
        return true;
    } catch (const RuntimeError &error) {
        m_showMessage(error.description());
    } catch (const std::bad_alloc &) {
        m_showMessage(RuntimeError::standardDescription(RuntimeError::OutOfMemory));
    }
    return false;
}

void RecipeFile::replaceFile()
{
    if (!m_unreadable.isEmpty()) {
        throw RuntimeError(RuntimeError::PermissionDenied,
                           tr("%1 was left as it was: it could not be read when the program started (%2), "
                              "and saving over it would lose the recipes it holds.")
                               .arg(fileName(), m_unreadable));
    }
    const QFileInfo info(filePath());
    if (info.isDir())
        throw RuntimeError(RuntimeError::PathFileAccessError);
    // A read-only file stays unchanged, even for a user whom the system would let replace it.
    if (info.exists() && (!info.isWritable() || hasNoWriteBits(info)))
        throw RuntimeError(RuntimeError::PermissionDenied);
    m_identity = savesInPlace() ? writeInPlace(m_list, filePath()) : write(m_list, filePath());
}

FileIdentity RecipeFile::write(const RecipeList &list, const QString &path)
{
    const QString folder = QFileInfo(path).absolutePath();
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const int error = errno;
        if (!QFileInfo(folder).isDir())
            throw RuntimeError(RuntimeError::PathNotFound);
        throw RuntimeError::fromErrno(error, RuntimeError::PathFileAccessError);
    }
    keepOwner(file.handle(), path);
    FileIdentity identity;
    errno = 0;
    if (!RecipeWriter::write(list, file, &identity)) {
        const int error = errno;
        const bool full = file.error() == QFileDevice::ResourceError;
        file.cancelWriting();
        throw full ? RuntimeError(RuntimeError::DiskFull) : RuntimeError::fromErrno(error, RuntimeError::DeviceIOError);
    }
    errno = 0;
    if (!file.commit())
        throw RuntimeError::fromErrno(errno, RuntimeError::DeviceIOError);
    syncFolder(folder);
    return identity;
}

FileIdentity RecipeFile::writeInPlace(const RecipeList &list, const QString &path)
{
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        throw RuntimeError::fromErrno(errno, RuntimeError::PathFileAccessError);
    FileIdentity identity;
    errno = 0;
    if (!RecipeWriter::write(list, file, &identity) || ::fsync(file.handle()) != 0) {
        const bool full = file.error() == QFileDevice::ResourceError;
        throw full ? RuntimeError(RuntimeError::DiskFull) : RuntimeError::fromErrno(errno, RuntimeError::DeviceIOError);
    }
    return identity;
}
