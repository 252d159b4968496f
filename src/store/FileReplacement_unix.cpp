#include "store/FileReplacement.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcFileReplacement, "larderly.store.files", QtInfoMsg)

namespace {

// A name beside the file that no other file has, as QSaveFile's temporary names are made.
QByteArray temporaryName(const QString &path)
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray name = QFile::encodeName(path) + '.';
    for (int i = 0; i < 6; ++i)
        name += letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)];
    return name;
}

} // namespace

FileReplacement::FileReplacement(const QString &path)
    : m_path(QFileInfo(path).absoluteFilePath())
    , m_folder(QFileInfo(path).absolutePath())
{ }

FileReplacement::~FileReplacement()
{
    m_file.close();
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_committed && !m_temporary.isEmpty())
        ::unlink(QFile::encodeName(m_temporary).constData());
}

QString FileReplacement::leftoverPattern(const QString &fileName)
{
    return fileName + QStringLiteral(".??????");
}

bool FileReplacement::fail()
{
    m_error = errno;
    qCInfo(lcFileReplacement) << "cannot replace" << m_path << qt_error_string(m_error);
    return false;
}

bool FileReplacement::open()
{
    struct stat old = {};
    const bool replacing = ::stat(QFile::encodeName(m_path).constData(), &old) == 0;
    // Nameless until it is complete, where the file system allows (as QSaveFile does).
    m_fd = ::open(QFile::encodeName(m_folder).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    for (int tries = 0; m_fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EEXIST) && tries < 100;
         ++tries) {
        const QByteArray name = temporaryName(m_path);
        m_fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd >= 0)
            m_temporary = QFile::decodeName(name);
    }
    if (m_fd < 0)
        return fail();
    if (replacing) {
        if (::fchmod(m_fd, old.st_mode & 07777) != 0)
            qCInfo(lcFileReplacement) << "the new file does not keep the mode of" << m_path;
        FileSystem::keepOwner(m_fd, m_path);
    }
    if (!m_file.open(m_fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle)) {
        errno = EIO;
        return fail();
    }
    return true;
}

bool FileReplacement::sync()
{
    if (::fsync(m_fd) != 0)
        return fail();
    m_stamp = FileSystem::stampOf(m_fd);
    return true;
}

bool FileReplacement::link()
{
    const QByteArray handle = "/proc/self/fd/" + QByteArray::number(m_fd);
    for (int tries = 0; m_temporary.isEmpty() && tries < 100; ++tries) {
        const QByteArray name = temporaryName(m_path);
        if (::linkat(AT_FDCWD, handle.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0)
            m_temporary = QFile::decodeName(name);
        else if (errno != EEXIST)
            return fail();
    }
    return !m_temporary.isEmpty();
}

bool FileReplacement::commit()
{
    m_file.close();
    if (!link())
        return false;
    const QByteArray from = QFile::encodeName(m_temporary), to = QFile::encodeName(m_path);
    int swapped = ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_EXCHANGE);
    if (swapped != 0 && errno == ENOENT) { // nothing there to swap with, unless something came meanwhile
        swapped = ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE);
        if (swapped != 0 && errno == EEXIST)
            swapped = ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_EXCHANGE);
        else if (swapped == 0)
            m_temporary.clear();
    } else if (swapped != 0 && errno == EINVAL) { // a file system that cannot swap
        qCInfo(lcFileReplacement) << "the file system of" << m_path << "cannot swap files; the new one replaces it";
        swapped = ::rename(from.constData(), to.constData());
        if (swapped == 0)
            m_temporary.clear();
    }
    if (swapped != 0)
        return fail();
    m_replaced = m_temporary;
    m_committed = true;
    ::close(m_fd);
    m_fd = -1;
    // With a replaced version, the folder is flushed once that is removed, kept or put back.
    if (m_replaced.isEmpty())
        FileSystem::syncFolder(m_folder);
    return true;
}

bool FileReplacement::undo()
{
    const QByteArray replaced = QFile::encodeName(m_replaced), path = QFile::encodeName(m_path);
    if (::renameat2(AT_FDCWD, replaced.constData(), AT_FDCWD, path.constData(), RENAME_EXCHANGE) != 0)
        return fail();
    return dropReplaced();
}

bool FileReplacement::dropReplaced()
{
    const bool dropped = ::unlink(QFile::encodeName(m_replaced).constData()) == 0 || fail();
    m_replaced.clear();
    FileSystem::syncFolder(m_folder);
    return dropped;
}
