#include "store/RecipeFile.h"

#include "core/NumberedName.h"
#include "core/RuntimeError.h"
#include "store/FileReplacement.h"
#include "store/FileSystem.h"
#include "store/RecipeList.h"
#include "store/RecipeReader.h"
#include "store/RecipeWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

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

void RecipeFile::writeNew(const RecipeList &list, FileReplacement &file, FileIdentity *identity)
{
    if (!file.open()) {
        if (!QFileInfo(file.path()).absoluteDir().exists())
            throw RuntimeError(RuntimeError::PathNotFound);
        throw RuntimeError::fromErrno(file.error(), RuntimeError::PathFileAccessError);
    }
    errno = 0;
    if (!RecipeWriter::write(list, file.file(), identity))
        throw writeError(file.file(), errno);
    if (!file.sync())
        throw RuntimeError::fromErrno(file.error(), RuntimeError::DeviceIOError);
}

FileIdentity RecipeFile::write(const RecipeList &list, const QString &path)
{
    FileReplacement file(path);
    FileIdentity identity;
    writeNew(list, file, &identity);
    if (!file.commit())
        throw RuntimeError::fromErrno(file.error(), RuntimeError::DeviceIOError);
    if (!file.replacedPath().isEmpty())
        file.dropReplaced();
    return identity;
}

void RecipeFile::writeInPlace(const RecipeList &list, const QString &path,
                              const std::function<bool(const FileSystem::Stamp &)> &mayWrite)
{
    QFile file(path);
    errno = 0;
    // Opened as it is (a plain WriteOnly would empty it at once): whether to write is decided first.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::ExistingOnly | QIODevice::Unbuffered))
        throw RuntimeError::fromErrno(errno, RuntimeError::PathFileAccessError);
    if (mayWrite && !mayWrite(FileSystem::stampOf(file.handle())))
        return;
    // Emptied on disk before the first byte goes in, so that a write cut short never leaves old
    // bytes among the new ones.
    if (!file.resize(0) || !FileSystem::syncData(file.handle()))
        throw RuntimeError::fromErrno(errno, RuntimeError::DeviceIOError);
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

bool RecipeFile::keepCopy(const QString &path, const QString &folder, bool move, QString *kept, QString suffix)
{
    const QString pattern = backupPattern(suffix.isEmpty() ? QFileInfo(path).suffix().toUpper() : suffix);
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
