#include "store/journal/RecoveryJournal.h"

#include "core/RuntimeError.h"
#include "store/journal/JournalFile.h"
#include "store/journal/JournalWriter.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSysInfo>

#include <future>

Q_LOGGING_CATEGORY(lcRecoveryJournal, "larderly.journal", QtInfoMsg)

namespace {

constexpr qint64 MinWholeLimit = 1 << 20;

QString stateFolder()
{
    const QString state = qEnvironmentVariable("XDG_STATE_HOME");
    return QDir::isAbsolutePath(state) ? state : QDir::homePath() + QStringLiteral("/.local/state");
}

} // namespace

RecoveryJournal::RecoveryJournal(const QString &recipeFolder)
    : m_writer(new JournalWriter(locations(recipeFolder), [this] {
        QMetaObject::invokeMethod(&m_retry, [this] {
            if (!m_retry.isActive())
                m_retry.start(std::exchange(m_retryMs, qBound(1000, m_retryMs * 2, LastRetryMs)));
        });
    }))
{
    m_retry.setSingleShot(true);
    m_retry.callOnTimeout([this] { write(); });
    m_writer->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, m_writer, &QObject::deleteLater);
    m_thread.setObjectName(QStringLiteral("journal writer"));
    m_thread.start();
}

RecoveryJournal::~RecoveryJournal()
{
    write();
    QMetaObject::invokeMethod(m_writer, [thread = &m_thread] { thread->quit(); });
    m_thread.wait();
}

QStringList RecoveryJournal::locations(const QString &recipeFolder)
{
    const QString folder = QFileInfo(recipeFolder).absoluteFilePath();
    const QByteArray key
        = QCryptographicHash::hash(QFile::encodeName(folder), QCryptographicHash::Sha256).toHex().left(16);
    return {QDir(folder).filePath(JournalFile::fileName()),
            stateFolder() + QStringLiteral("/larderly/RECIPES-") + QString::fromLatin1(key) + QStringLiteral(".JNL")};
}

void RecoveryJournal::start(const RecipeList &list, const FileIdentity &base)
{
    m_retry.stop();
    m_retryMs = FirstRetryMs;
    m_list = list;
    m_base = base;
    m_pending.clear();
    m_changed = false;
    m_created = false;
    m_sinceWhole = 0;
    m_recordsSinceWhole = 0;
    m_wholeLimit = qMax(base.size, MinWholeLimit);
}

void RecoveryJournal::append(const JournalEntry &entry)
{
    try {
        entry.apply(m_list);
    } catch (const RuntimeError &error) {
        // The change does not fit the list the journal holds: it is not the list on screen.
        qCCritical(lcRecoveryJournal) << "a change does not fit the journal's list:" << error.description();
        return;
    }
    m_pending += entry.encoded();
    ++m_recordsSinceWhole;
    m_changed = true;
}

bool RecoveryJournal::recordRecipe(qint16 index, const Recipe &recipe)
{
    if (index < 1 || index > m_list.count().value())
        return false;
    JournalEntry entry = JournalEntry::of(JournalEntry::Edit, index);
    entry.splices = JournalEntry::difference(m_list.at(index), recipe);
    if (entry.splices.isEmpty())
        return false;
    append(entry);
    return true;
}

void RecoveryJournal::recordAdd()
{
    append(JournalEntry::of(JournalEntry::Add));
}

void RecoveryJournal::recordDelete(qint16 index)
{
    append(JournalEntry::of(JournalEntry::Delete, index));
}

void RecoveryJournal::recordCurrent(qint16 index)
{
    if (index == m_list.current().value() || !m_changed)
        return; // before the first change the recipe file says which recipe is current
    append(JournalEntry::of(JournalEntry::Current, index));
}

void RecoveryJournal::restart(const RecipeList &list)
{
    m_list = list;
    m_changed = true;
    writeWhole();
}

void RecoveryJournal::resume(const RecipeList &list, const QString &path, qsizetype length, int records)
{
    m_list = list;
    m_changed = true;
    m_created = true;
    m_sinceWhole = length;
    m_recordsSinceWhole = records;
    QMetaObject::invokeMethod(m_writer, [writer = m_writer, path, length] { writer->resume(path, length); });
}

void RecoveryJournal::writeWhole(const FileIdentity &saving)
{
    // A copy that shares its texts with the list: cheap here, encoded on the writing thread.
    QMetaObject::invokeMethod(
        m_writer, [writer = m_writer, base = m_base, list = m_list, saving, host = QSysInfo::machineHostName()] {
            writer->replace([&] {
                QByteArray contents = JournalFile::signature() + JournalEntry::base(base, host).encoded()
                    + JournalEntry::snapshot(list).encoded();
                if (saving != FileIdentity())
                    contents += JournalEntry::saving(saving).encoded();
                return contents;
            });
        });
    m_pending.clear();
    m_created = true;
    m_sinceWhole = 0;
    m_recordsSinceWhole = 0;
}

void RecoveryJournal::write()
{
    write(FileIdentity());
}

void RecoveryJournal::write(const FileIdentity &saving)
{
    if (saving != FileIdentity())
        m_pending += JournalEntry::saving(saving).encoded();
    if (m_pending.isEmpty() && !(m_created && m_writer->broken()))
        return;
    if (m_writer->broken() || m_sinceWhole > m_wholeLimit || m_recordsSinceWhole > MaxRecords) {
        writeWhole(saving);
        return;
    }
    QByteArray records = std::exchange(m_pending, QByteArray());
    m_sinceWhole += records.size();
    if (m_created) {
        QMetaObject::invokeMethod(m_writer, [writer = m_writer, records] { writer->append(records); });
        return;
    }
    const QByteArray contents
        = JournalFile::signature() + JournalEntry::base(m_base, QSysInfo::machineHostName()).encoded() + records;
    QMetaObject::invokeMethod(m_writer, [writer = m_writer, contents] { writer->replace([&] { return contents; }); });
    m_created = true;
}

template<typename Result, typename Work>
bool RecoveryJournal::waitFor(Work work, Result &result)
{
    auto promise = std::make_shared<std::promise<Result>>();
    std::future<Result> future = promise->get_future();
    QMetaObject::invokeMethod(m_writer, [promise, work] { promise->set_value(work()); });
    if (future.wait_for(WaitLimit) != std::future_status::ready) {
        qCCritical(lcRecoveryJournal) << "the journal writer did not answer within" << WaitLimit.count() << "s";
        return false;
    }
    result = future.get();
    return true;
}

QString RecoveryJournal::location()
{
    QString location;
    waitFor([writer = m_writer] { return writer->broken() ? QString() : writer->location(); }, location);
    return location;
}

bool RecoveryJournal::sync(QString *location, const FileIdentity &saving)
{
    write(saving);
    QString where = this->location();
    if (where.isEmpty() && m_created) {
        writeWhole(saving); // once more, whole: the disk may have room again
        where = this->location();
    }
    if (location)
        *location = where;
    return !where.isEmpty();
}

bool RecoveryJournal::markSaving(const FileIdentity &file)
{
    return !m_changed || sync(nullptr, file);
}

bool RecoveryJournal::prepareInPlaceSave(const FileIdentity &file)
{
    writeWhole(file);
    return !location().isEmpty();
}

bool RecoveryJournal::discard()
{
    m_pending.clear();
    m_created = false;
    m_changed = false;
    bool removed = false;
    return waitFor([writer = m_writer] { return writer->remove(); }, removed) && removed;
}
