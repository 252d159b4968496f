#include "store/journal/JournalWriter.h"

#include "store/FileSystem.h"
#include "store/journal/JournalFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSaveFile>

Q_LOGGING_CATEGORY(lcJournalWriter, "larderly.journal.writer", QtInfoMsg)

JournalWriter::JournalWriter(const QStringList &locations, std::function<void()> broke)
    : m_locations(locations)
    , m_broke(std::move(broke))
{ }

void JournalWriter::fail()
{
    m_broken = true;
    if (m_broke)
        m_broke();
}

JournalWriter::~JournalWriter() = default;

QString JournalWriter::location() const
{
    return m_file ? m_file->fileName() : QString();
}

std::unique_ptr<QFile> JournalWriter::createAt(const QString &path, const std::function<QByteArray()> &contents,
                                               QByteArray &made)
{
    const QString folder = QFileInfo(path).absolutePath();
    FileSystem::makeFolder(folder); // the state folder may not exist yet
    QSaveFile file(path);
    // Unbuffered, so that a write cut short by a full disk shows in its count: a buffered QSaveFile
    // commits a file its flush could only write in part.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        qCInfo(lcJournalWriter) << "cannot write" << path << file.errorString();
        return nullptr;
    }
    if (made.isNull())
        made = contents(); // once, and only once there is somewhere to put it
    if (file.write(made) != made.size() || !file.commit()) {
        qCWarning(lcJournalWriter) << "cannot write" << path << file.errorString();
        return nullptr;
    }
    FileSystem::syncFolder(folder);
    auto appending = std::make_unique<QFile>(path);
    if (!appending->open(QIODevice::WriteOnly | QIODevice::Append)) {
        qCWarning(lcJournalWriter) << "cannot append to" << path << appending->errorString();
        return nullptr;
    }
    FileSystem::markInUse(appending->handle()); // no other start offers or moves it while this one runs
    return appending;
}

bool JournalWriter::mayReplace(const QString &path) const
{
    if (FileSystem::inUseElsewhere(path)) {
        qCWarning(lcJournalWriter) << path << "is the journal of another window";
        return false;
    }
    if (JournalFile::fromAnotherComputer(path)) {
        qCWarning(lcJournalWriter) << path << "came from another computer";
        return false;
    }
    return true;
}

void JournalWriter::replace(const std::function<QByteArray()> &contents)
{
    m_file.reset();
    QByteArray made;
    for (const QString &path : m_locations) {
        // Another window's journal, or one that came from another computer, is never written over.
        if (!mayReplace(path))
            continue;
        m_file = createAt(path, contents, made);
        if (!m_file)
            continue;
        for (const QString &other : m_locations) {
            if (other != path && QFile::exists(other) && mayReplace(other) && !QFile::remove(other))
                qCWarning(lcJournalWriter) << "cannot remove the older journal" << other;
        }
        m_broken = false;
        return;
    }
    qCWarning(lcJournalWriter) << "the journal could not be written anywhere:" << m_locations;
    fail();
}

void JournalWriter::resume(const QString &path, qint64 length)
{
    m_file = std::make_unique<QFile>(path);
    if (!m_file->open(QIODevice::ReadWrite) || !FileSystem::markInUse(m_file->handle()) || !m_file->resize(length)
        || !m_file->seek(length)) {
        qCWarning(lcJournalWriter) << "cannot go on with" << path << m_file->errorString();
        m_file.reset();
        fail(); // written whole again
        return;
    }
    m_broken = false;
}

void JournalWriter::append(const QByteArray &records)
{
    if (m_broken || !m_file) {
        fail();
        return;
    }
    if (m_file->write(records) != records.size() || !m_file->flush() || !FileSystem::syncData(m_file->handle())) {
        // What reached the disk may end in half a record; a reader leaves it out, and the next
        // write puts the whole journal down again.
        qCWarning(lcJournalWriter) << "cannot append to" << m_file->fileName() << m_file->errorString();
        m_file.reset();
        fail();
    }
}

bool JournalWriter::remove()
{
    m_file.reset();
    m_broken = false;
    bool removed = true;
    // Every location: a journal offered back at the start is still where it was until the first write.
    for (const QString &path : m_locations) {
        if (QFile::exists(path) && mayReplace(path) && !QFile::remove(path)) {
            qCWarning(lcJournalWriter) << "cannot remove" << path;
            removed = false;
        }
    }
    return removed;
}
