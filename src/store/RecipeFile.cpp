#include "store/RecipeFile.h"

#include "core/NumberedName.h"
#include "core/RuntimeError.h"
#include "store/FileSystem.h"
#include "store/RecipeList.h"
#include "store/RecipeReader.h"
#include "store/RecipeWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSaveFile>

#include <cerrno>

Q_LOGGING_CATEGORY(lcRecipeFile, "larderly.store", QtInfoMsg)

namespace {

// Takes every byte and keeps none: for the identity of a file before it is written.
class DiscardingDevice : public QIODevice
{
public:
    DiscardingDevice() { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 size) override { return size; }
};

RuntimeError writeError(const QFileDevice &file, int error)
{
    if (file.error() == QFileDevice::ResourceError)
        return RuntimeError(RuntimeError::DiskFull);
    return RuntimeError::fromErrno(error, RuntimeError::DeviceIOError);
}

} // namespace

QString RecipeFile::fileName()
{
    return QStringLiteral("RECIPES.DAT");
}

QString RecipeFile::backupPattern(const QString &suffix)
{
    return QStringLiteral("RECIPES-BACKUP-%1.") + suffix;
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

FileIdentity RecipeFile::write(const RecipeList &list, const QString &path,
                               const std::function<bool(const FileIdentity &)> &beforeReplace)
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
    FileSystem::keepOwner(file.handle(), path);
    FileIdentity identity;
    errno = 0;
    if (!RecipeWriter::write(list, file, &identity)) {
        const RuntimeError error = writeError(file, errno);
        file.cancelWriting();
        throw error;
    }
    if (beforeReplace && !beforeReplace(identity)) {
        file.cancelWriting();
        throw RuntimeError(RuntimeError::DeviceIOError);
    }
    errno = 0;
    if (!file.commit())
        throw RuntimeError::fromErrno(errno, RuntimeError::DeviceIOError);
    FileSystem::syncFolder(folder);
    return identity;
}

void RecipeFile::writeInPlace(const RecipeList &list, const QString &path)
{
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        throw RuntimeError::fromErrno(errno, RuntimeError::PathFileAccessError);
    // Emptied on disk before the first byte goes in, so that a write cut short never leaves old
    // bytes among the new ones.
    if (!FileSystem::syncData(file.handle()))
        throw RuntimeError(RuntimeError::DeviceIOError);
    errno = 0;
    if (!RecipeWriter::write(list, file))
        throw writeError(file, errno);
    if (!FileSystem::syncData(file.handle()))
        throw RuntimeError(RuntimeError::DeviceIOError);
}

FileIdentity RecipeFile::identityOf(const RecipeList &list)
{
    DiscardingDevice nowhere;
    FileIdentity identity;
    RecipeWriter::write(list, nowhere, &identity);
    return identity;
}

bool RecipeFile::isCutFrom(const QString &path, const RecipeList &list)
{
    QFile file(path);
    QBuffer whole;
    if (!file.open(QIODevice::ReadOnly) || !whole.open(QIODevice::WriteOnly) || !RecipeWriter::write(list, whole))
        return false;
    const QByteArray cut = file.readAll();
    const QByteArray &expected = whole.data();
    if (cut.size() > expected.size())
        return false;
    for (qsizetype i = 0; i < cut.size(); ++i) {
        if (cut[i] != expected[i] && cut[i] != '\0')
            return false;
    }
    return true;
}

bool RecipeFile::keepCopy(const QString &path, const QString &folder, bool move, QString *kept)
{
    const QString pattern = backupPattern(QFileInfo(path).suffix().toUpper());
    // Neither copy nor rename replaces an existing file, so an earlier backup is safe.
    *kept = NumberedName::claimFirstFree(folder, pattern, [&](const QString &backup) {
        return (move ? QFile::rename(path, backup) : QFile::copy(path, backup)) ? NumberedName::Claim::Claimed
                                                                                : NumberedName::Claim::Failed;
    });
    if (kept->isEmpty())
        qCWarning(lcRecipeFile) << "cannot keep a copy of" << path << "in" << folder;
    return !kept->isEmpty();
}

bool RecipeFile::keepList(const RecipeList &list, const QString &folder, QString *kept)
{
    *kept = NumberedName::claimFirstFree(folder, backupPattern(), [&](const QString &backup) {
        try {
            write(list, backup);
            return NumberedName::Claim::Claimed;
        } catch (const RuntimeError &error) {
            qCWarning(lcRecipeFile) << "cannot write" << backup << error.description();
            return NumberedName::Claim::Failed;
        }
    });
    return !kept->isEmpty();
}
