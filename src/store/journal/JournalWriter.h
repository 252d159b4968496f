#pragma once

#include <QObject>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>

class QFile;

// Writes a recovery journal on a thread of its own: RecoveryJournal hands it the bytes to write,
// as queued calls, so the window never waits for the disk. Each write is flushed to the disk
// before the next. The journal goes to the first of its locations where it can be written.
class JournalWriter : public QObject
{
    Q_OBJECT

public:
    // `broke` is called, on the writing thread, each time the journal on disk comes to lack
    // something it was given.
    JournalWriter(const QStringList &locations, std::function<void()> broke);
    ~JournalWriter() override;

    // A journal of `contents` (made only once a place for it has been found), replacing any
    // journal there; a journal left in another of the locations is removed.
    void replace(const std::function<QByteArray()> &contents);
    // Goes on with the journal at `path` after its first `length` bytes.
    void resume(const QString &path, qint64 length);
    // Appends records to the journal and flushes them to the disk.
    void append(const QByteArray &records);
    // Removes the journal from every location; true when none is left.
    bool remove();

    // Where the journal is, or empty while it is nowhere.
    QString location() const;
    // True (from any thread) when the journal on disk lacks something it was given: it could not
    // be written, or a write failed. It then has to be written whole again.
    bool broken() const { return m_broken; }

private:
    void fail();
    // Whether the journal at `path` is this program's to write over or remove.
    bool mayReplace(const QString &path) const;
    std::unique_ptr<QFile> createAt(const QString &path, const std::function<QByteArray()> &contents, QByteArray &made);

    const QStringList m_locations;
    const std::function<void()> m_broke;
    std::unique_ptr<QFile> m_file; // open for appending
    std::atomic<bool> m_broken{false};
};
