#include "store/RecipeBox.h"

#include "core/RuntimeError.h"
#include "store/FileReplacement.h"
#include "store/FileSystem.h"
#include "store/RecipeFile.h"
#include "store/RecipeLock.h"
#include "store/RecipeWriter.h"
#include "store/journal/JournalFile.h"
#include "store/journal/RecoveryJournal.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

#include <algorithm>

Q_LOGGING_CATEGORY(lcRecipeBox, "larderly.recipes", QtInfoMsg)

namespace {

bool hasNoWriteBits(const QFileInfo &info)
{
    return !(info.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
}

// Whether two lists would be the same file once saved (a save turns straight double quotes into
// typographic ones).
bool sameWhenSaved(const RecipeList &a, const RecipeList &b)
{
    if (a.count() != b.count() || a.current() != b.current())
        return false;
    for (int i = 1; i <= a.count().value(); ++i) {
        for (int f = 0; f < Recipe::FieldCount; ++f) {
            const QString &x = a.at(i).field(f);
            const QString &y = b.at(i).field(f);
            if (x != y && RecipeWriter::withTypographicQuotes(x) != RecipeWriter::withTypographicQuotes(y))
                return false;
        }
    }
    return true;
}

// Whether a journal's exact bytes are already kept under a backup name in one of the folders: it
// was set aside by an earlier start that could not move it, and is not offered again.
bool alreadyKept(const QString &path, const QStringList &folders)
{
    const qint64 size = QFileInfo(path).size();
    const QString pattern = RecipeFile::backupPattern(QStringLiteral("JNL")).arg(QStringLiteral("*"));
    QByteArray bytes;
    for (const QString &folder : folders) {
        for (const QFileInfo &kept : QDir(folder).entryInfoList({pattern}, QDir::Files)) {
            if (kept.size() != size || kept.absoluteFilePath() == QFileInfo(path).absoluteFilePath())
                continue;
            QFile original(path), copy(kept.absoluteFilePath());
            if (bytes.isNull() && original.open(QIODevice::ReadOnly))
                bytes = original.readAll();
            if (copy.open(QIODevice::ReadOnly) && copy.readAll() == bytes)
                return true;
        }
    }
    return false;
}

} // namespace

// The changes of an earlier session, replayed over the file and waiting for the user's answer.
struct RecipeBox::Offer
{
    QString path; // of the journal
    RecipeList recovered;
    bool whole = false; // every record fitted, so the journal can go on where it is
    qsizetype length = 0; // of its whole records
    int records = 0;
};

RecipeBox::RecipeBox(const QString &folder)
    : m_folder(folder)
    , m_lock(std::make_unique<RecipeLock>(folder))
    , m_journal(std::make_unique<RecoveryJournal>(folder))
{
    m_journalTimer.setSingleShot(true);
    m_journalTimer.setInterval(JournalDelayMs);
    m_journalTimer.callOnTimeout([this] { writeJournal(); });
}

RecipeBox::~RecipeBox() = default;

QString RecipeBox::filePath() const
{
    return QDir(m_folder).filePath(RecipeFile::fileName());
}

RecipeBox::Locking RecipeBox::lock(QString *message)
{
    const QString folder = QDir::toNativeSeparators(m_folder);
    switch (m_lock->lock()) {
    case RecipeLock::Locked:
        return Locking::Locked;
    case RecipeLock::HeldHere:
        *message = tr("The recipes in %1 are already open in another Larderly window.").arg(folder);
        return Locking::Refused;
    case RecipeLock::HeldElsewhere:
        break;
    }
    const qint64 minutes = qMax<qint64>(0, m_lock->otherSince().secsTo(QDateTime::currentDateTime()) / 60);
    const QString age = minutes < 2 ? tr("a minute")
        : minutes < 120             ? tr("%1 minutes").arg(minutes)
        : minutes < 48 * 60         ? tr("%1 hours").arg(minutes / 60)
                                    : tr("%1 days").arg(minutes / (24 * 60));
    *message = tr("The recipes in %1 were opened on the computer %2, %3 ago, and have not been closed there (%4 says "
                  "so). If Larderly still has them open there, the changes made in one place will overwrite "
                  "those made in the other. Open them here all the same?")
                   .arg(folder, m_lock->otherHost(), age, QDir::toNativeSeparators(m_lock->path()));
    return Locking::AskFirst;
}

void RecipeBox::takeOverLock()
{
    m_lock->takeOver();
}

QStringList RecipeBox::open()
{
    QStringList messages;
    keepLeftovers(messages);
    finishUnfinishedSave(messages);
    load(messages);
    m_journal->start(m_list, m_identity);
    lookForLastSession(messages);
    if (m_fileIsCut && !m_offer)
        m_journal->prepareInPlaceSave(m_identity); // until a save writes the file whole
    return messages;
}

// A save that ended with the power at the wrong moment can leave the version it replaced, or its
// own new file, under a temporary name beside RECIPES.DAT. This program's own versions (the file's,
// or one a journal names) go; one another program wrote is kept under a backup name.
void RecipeBox::keepLeftovers(QStringList &messages)
{
    const QFileInfoList leftovers = QDir(m_folder).entryInfoList(
        {FileReplacement::leftoverPattern(RecipeFile::fileName())}, QDir::Files | QDir::Hidden);
    if (leftovers.isEmpty())
        return;
    QList<FileIdentity> known;
    RecipeList current;
    try {
        known << FileIdentity::of(filePath());
        RecipeFile::read(filePath(), current);
    } catch (const RuntimeError &) { }
    for (const QString &path : RecoveryJournal::locations(m_folder)) {
        const JournalFile::Contents journal = JournalFile::read(path);
        known << journal.base;
        for (const JournalEntry &entry : journal.entries) {
            if (entry.type == JournalEntry::Saving)
                known << entry.identity;
        }
    }
    for (const QFileInfo &leftover : leftovers) {
        const QString path = leftover.absoluteFilePath();
        RecipeList list;
        bool ours = false;
        try {
            ours = known.contains(FileIdentity::of(path));
            RecipeFile::read(path, list);
            ours = ours || sameWhenSaved(list, current);
        } catch (const RuntimeError &) { }
        QString kept;
        if (ours)
            QFile::remove(path);
        else if (RecipeFile::keepCopy(path, m_folder, true, &kept, QStringLiteral("DAT")))
            messages << tr("A version of %1 that another program wrote while Larderly was saving it is kept as %2.")
                            .arg(RecipeFile::fileName(), displayName(kept));
    }
    FileSystem::syncFolder(m_folder);
}

// A save in place begins by writing the whole list and a Saving mark to the journal. When the file
// is then neither the one the journal began with nor the one the save was writing, the save stopped
// half-way: the file is written whole from the journal before anything else happens.
void RecipeBox::finishUnfinishedSave(QStringList &messages)
{
    for (const QString &path : RecoveryJournal::locations(m_folder)) {
        if (!QFileInfo(path).isFile() || FileSystem::inUseElsewhere(path))
            continue;
        JournalFile::Contents contents = JournalFile::read(path);
        if (contents.fromAnotherComputer())
            continue; // another computer's, which the start keeps aside
        qsizetype mark = contents.entries.size() - 1;
        while (mark > 0 && contents.entries[mark].type != JournalEntry::Saving)
            --mark;
        if (mark <= 0 || contents.entries[mark - 1].type != JournalEntry::Snapshot)
            continue;
        const FileIdentity saving = contents.entries[mark].identity;
        FileIdentity file;
        try {
            file = FileIdentity::of(filePath());
        } catch (const RuntimeError &) {
            continue; // unreadable: the load says so
        }
        if (file == saving || file == contents.base || file == FileIdentity())
            continue;
        const RecipeList &list = contents.entries[mark - 1].list;
        if (RecipeFile::identityOf(list) != saving)
            continue; // not the list the save was writing
        if (!RecipeFile::isCutFrom(filePath(), list)) {
            // Not what that save could leave: another program's version, which is kept.
            QString kept;
            if (!RecipeFile::keepCopy(filePath(), QFileInfo(path).absolutePath(), false, &kept))
                continue;
            messages << tr("%1 had been changed by another program; that version is kept as %2.")
                            .arg(RecipeFile::fileName(), displayName(kept));
        }
        try {
            RecipeFile::writeInPlace(list, filePath());
            messages << tr("%1 was left incomplete by a save that could not finish; it has been written whole "
                           "again from the record of unsaved changes.")
                            .arg(RecipeFile::fileName());
        } catch (const RuntimeError &error) {
            messages << tr("%1 was left incomplete by a save that could not finish, and cannot be written whole "
                           "again now (%2). The recipes are taken from the record of unsaved changes, and the "
                           "next save writes them whole.")
                            .arg(RecipeFile::fileName(), error.description());
            m_cutFileList = std::make_unique<RecipeList>(std::move(contents.entries[mark - 1].list));
            m_identity = saving;
        }
        return;
    }
}

void RecipeBox::load(QStringList &messages)
{
    m_diskStamp = FileSystem::stampOf(filePath());
    if (m_cutFileList) {
        m_list = std::move(*std::exchange(m_cutFileList, nullptr));
        m_fileIsCut = m_unsaved = true;
        return;
    }
    try {
        m_identity = FileIdentity::of(filePath());
    } catch (const RuntimeError &error) {
        qCWarning(lcRecipeBox) << "cannot read" << filePath() << error.description();
        m_identity = FileIdentity::unreadable();
    }
    QString error;
    try {
        RecipeFile::read(filePath(), m_list);
        return;
    } catch (const RuntimeError &e) {
        if (e.number() == RuntimeError::FileNotFound)
            return;
        error = e.description();
    } catch (const std::bad_alloc &) {
        error = RuntimeError::standardDescription(RuntimeError::OutOfMemory);
    }
    m_readWhole = false;
    QString message = error;
    if (QFileInfo(filePath()).size() > 0) {
        QString copy;
        // Without a copy, the recipes the load could not see would be lost at the next save.
        if (!RecipeFile::keepCopy(filePath(), m_folder, false, &copy))
            m_unreadable = error;
        message += copy.isEmpty() ? tr("\nNo copy of the file as it was could be kept.")
                                  : tr("\nA copy of the file as it was is kept as %1.").arg(QFileInfo(copy).fileName());
    }
    messages << message;
}

void RecipeBox::lookForLastSession(QStringList &messages)
{
    const QStringList locations = RecoveryJournal::locations(m_folder);
    QStringList keptIn{m_folder};
    for (const QString &path : locations)
        keptIn << QFileInfo(path).absolutePath();
    QFileInfoList journals;
    for (const QString &path : locations) {
        if (!QFileInfo(path).isFile())
            continue;
        if (FileSystem::inUseElsewhere(path)) // another window's, which a missing lock let through
            qCWarning(lcRecipeBox) << path << "is the journal of a window that is still open";
        else if (alreadyKept(path, keptIn))
            qCInfo(lcRecipeBox) << path << "was kept aside before and could not be removed";
        else
            journals << QFileInfo(path);
    }
    // Normally there is one; should both places hold one, the newer one that fits is offered.
    std::sort(journals.begin(), journals.end(),
              [](const QFileInfo &a, const QFileInfo &b) { return a.lastModified() > b.lastModified(); });
    for (const QFileInfo &journal : std::as_const(journals)) {
        const QString path = journal.filePath();
        JournalFile::Contents contents = JournalFile::read(path);
        if (!contents.readable) {
            messages << keepAside(path, tr("The changes of an earlier session could not be read back."));
            continue;
        }
        if (contents.fromAnotherComputer()) { // came with the folder
            messages << keepAside(path,
                                  tr("The unsaved changes of a Larderly session on the computer %1 are not "
                                     "applied here.")
                                      .arg(contents.host));
            continue;
        }
        const qsizetype start = JournalFile::firstChangeOver(contents, m_identity);
        if (start < 0) {
            messages << keepAside(path,
                                  tr("The changes of an earlier session were made to another version of %1 "
                                     "and cannot be applied to this one.")
                                      .arg(RecipeFile::fileName()));
            continue;
        }
        auto offer = std::make_unique<Offer>();
        offer->path = path;
        offer->recovered = m_list;
        offer->length = contents.length;
        offer->records = int(contents.entries.size());
        const qsizetype changes = contents.entries.size() - start;
        offer->whole = JournalFile::replay(std::move(contents.entries), offer->recovered, start) == changes;
        if (sameWhenSaved(offer->recovered, m_list)) {
            if (!m_fileIsCut)
                QFile::remove(path); // nothing in it that the file does not hold
        } else if (m_offer) {
            messages << keepAside(path, tr("The changes of another earlier session could not be offered as well."));
        } else {
            m_offer = std::move(offer);
        }
    }
}

void RecipeBox::recover()
{
    if (!m_offer)
        return;
    const std::unique_ptr<Offer> offer = std::move(m_offer);
    m_list = offer->recovered;
    if (offer->whole) // it goes on where it is
        m_journal->resume(m_list, offer->path, offer->length, offer->records);
    else // written afresh, without the change that did not fit and what came after it
        m_journal->restart(m_list);
    m_unsaved = true;
}

QString RecipeBox::declineRecovery()
{
    if (!m_offer)
        return QString();
    const std::unique_ptr<Offer> offer = std::move(m_offer);
    QString kept; // a recipe file the user can open
    QString said;
    if (RecipeFile::keepList(offer->recovered, m_folder, &kept)) {
        QFile::remove(offer->path);
        said = tr("The unsaved changes of the last session are kept as %1.").arg(displayName(kept));
    } else {
        said = keepAside(offer->path, QString());
    }
    if (m_fileIsCut)
        m_journal->prepareInPlaceSave(m_identity); // until a save writes the file whole
    return said;
}

QString RecipeBox::keepAside(const QString &path, const QString &why)
{
    // Beside the recipes, or where it is when their folder cannot be written; never offered again.
    const QString journalFolder = QFileInfo(path).absolutePath();
    QString kept;
    if (!RecipeFile::keepCopy(path, m_folder, true, &kept) && !RecipeFile::keepCopy(path, journalFolder, true, &kept)) {
        // It cannot be moved: a copy keeps it from being offered again, and keeps it should it go.
        const QString state = QFileInfo(RecoveryJournal::locations(m_folder).constLast()).absolutePath();
        QDir().mkpath(state);
        for (const QString &folder : {m_folder, journalFolder, state}) {
            if (RecipeFile::keepCopy(path, folder, false, &kept))
                break;
        }
    }
    const QString message = (why.isEmpty() ? QString() : why + u' ')
        + tr("The changes of the last session are kept as %1.").arg(displayName(kept.isEmpty() ? path : kept));
    return message;
}

QString RecipeBox::displayName(const QString &path) const
{
    const bool beside = QFileInfo(path).absolutePath() == QFileInfo(filePath()).absolutePath();
    return beside ? QFileInfo(path).fileName() : QDir::toNativeSeparators(path);
}

void RecipeBox::setCurrent(Int16 index)
{
    m_list.setCurrent(index);
    m_typed = false;
    if (m_unsaved && !m_journalTimer.isActive())
        m_journalTimer.start(); // the journal follows which recipe is current
}

void RecipeBox::store(const Recipe &recipe)
{
    if (m_list.count() <= 0)
        return;
    m_list.at(m_list.current()) = recipe;
    m_typed = false;
    if (m_journal->recordRecipe(m_list.current().value(), recipe))
        changed();
}

void RecipeBox::appendEmpty()
{
    m_list.appendEmpty();
    m_typed = false;
    m_journal->recordAdd();
    changed();
}

void RecipeBox::removeCurrent()
{
    const qint16 removed = m_list.current().value();
    m_list.removeCurrent();
    m_typed = false;
    m_journal->recordDelete(removed);
    changed();
}

void RecipeBox::append(const QList<Recipe> &recipes)
{
    if (recipes.isEmpty())
        return;
    const Int16 count = m_list.count() + Int16::fromWide(recipes.size()); // the overflow error, or room
    const Int16 current = m_list.count() > 0 ? m_list.current() : m_list.count() + 1;
    for (const Recipe &recipe : recipes) {
        m_list.appendEmpty();
        m_list.at(m_list.count()) = recipe;
    }
    Q_ASSERT(m_list.count() == count);
    m_list.setCurrent(current);
    m_typed = false;
    m_journal->restart(m_list); // the whole list at once, rather than a record a recipe
    changed();
}

void RecipeBox::typed()
{
    m_typed = true;
    changed();
}

void RecipeBox::changed()
{
    m_unsaved = true;
    // Later changes wait for this write, so one made while typing on is never more than the delay old.
    if (!m_journalTimer.isActive())
        m_journalTimer.start();
}

void RecipeBox::writeJournal()
{
    // Run by the timer as well, where nobody could be shown an error: it is logged.
    try {
        if (m_typed && m_typingSource && m_list.count() > 0)
            m_journal->recordRecipe(m_list.current().value(), m_typingSource());
        m_journal->recordCurrent(m_list.current().value());
        m_journal->write();
    } catch (const std::exception &error) {
        qCCritical(lcRecipeBox) << "the journal could not be written:" << error.what();
    }
}

bool RecipeBox::save(QString *message)
{
    message->clear();
    bool written = false;
    try {
        written = saveFile(message);
    } catch (const RuntimeError &e) {
        *message = e.description();
        return false;
    } catch (const std::bad_alloc &) {
        *message = RuntimeError::standardDescription(RuntimeError::OutOfMemory);
        return false;
    }
    m_journalTimer.stop();
    if (written || !m_unsaved) { // the changes are in the file, or there were none
        if (!m_journal->discard())
            qCWarning(lcRecipeBox) << "the journal of the saved changes is still there";
        m_journal->start(m_list, m_identity);
    }
    m_unsaved = false;
    return true;
}

bool RecipeBox::isAnotherVersion(const FileSystem::Stamp &found, const QString &path) const
{
    if (found == m_diskStamp || !found.exists())
        return false; // the same, or gone (and written again)
    if (!m_diskStamp.exists())
        return true; // one came where there was none
    try {
        return FileIdentity::of(path) != m_identity; // touched, or copied back as it was
    } catch (const RuntimeError &) {
        return true;
    }
}

bool RecipeBox::saveFile(QString *notice)
{
    if (!m_unreadable.isEmpty()) {
        throw RuntimeError(RuntimeError::PermissionDenied,
                           tr("%1 was left as it was: it could not be read when the program started (%2), "
                              "and saving over it would lose the recipes it holds.")
                               .arg(RecipeFile::fileName(), m_unreadable));
    }
    const QFileInfo info(filePath());
    if (info.isDir())
        throw RuntimeError(RuntimeError::PathFileAccessError);
    // A read-only file stays unchanged, even for a user whom the system would let replace it.
    if (info.exists() && (!info.isWritable() || hasNoWriteBits(info)))
        throw RuntimeError(RuntimeError::PermissionDenied);
    if (!m_unsaved && isAnotherVersion(FileSystem::stampOf(filePath()), filePath())) {
        qCInfo(lcRecipeBox) << "another program wrote" << filePath() << "and nothing here is unsaved: it stays";
        return false;
    }
    const QString kept = tr("%1 had been replaced by another program while it was open here. This window's "
                            "recipes are saved in it, and the other version is kept as %2.");
    if (info.exists() && !QFileInfo(m_folder).isWritable()) {
        // The folder takes no new file, so the file is rewritten where it stands, which leaves it
        // cut short should that fail: the journal holds the whole list meanwhile, or nothing is written.
        const FileIdentity identity = RecipeFile::identityOf(m_list);
        if (!m_journal->prepareInPlaceSave(identity)) {
            throw RuntimeError(RuntimeError::PathFileAccessError,
                               tr("%1 was left as it was: its folder takes no new file, so it could only be "
                                  "rewritten where it stands, and no copy of the recipes could be kept anywhere "
                                  "meanwhile to fall back on should that fail.")
                                   .arg(RecipeFile::fileName()));
        }
        bool written = true;
        RecipeFile::writeInPlace(m_list, filePath(), [&](const FileSystem::Stamp &found) {
            if (!isAnotherVersion(found, filePath()))
                return true;
            if (!m_unsaved)
                return written = false;
            QString copy; // where the journal is, this folder taking no new file
            const QString journals = QFileInfo(RecoveryJournal::locations(m_folder).constLast()).absolutePath();
            if (!RecipeFile::keepCopy(filePath(), journals, false, &copy))
                throw RuntimeError(RuntimeError::PathFileAccessError,
                                   tr("%1 was left as it was: another program changed it while it was open here, "
                                      "and no copy of that version could be kept.")
                                       .arg(RecipeFile::fileName()));
            *notice = kept.arg(RecipeFile::fileName(), displayName(copy));
            return true;
        });
        if (written) {
            m_identity = identity;
            m_diskStamp = FileSystem::stampOf(filePath());
            m_fileIsCut = false;
        }
        return written;
    }
    FileReplacement file(filePath());
    FileIdentity identity;
    RecipeFile::writeNew(m_list, file, &identity);
    // Once the new file is in place, the next start must know the journal's changes are in it.
    if (!m_journal->markSaving(identity))
        qCWarning(lcRecipeBox) << "the journal could not be marked as saved";
    if (!file.commit())
        throw RuntimeError::fromErrno(file.error(), RuntimeError::DeviceIOError);
    const QString replaced = file.replacedPath();
    if (!replaced.isEmpty() && !isAnotherVersion(FileSystem::stampOf(replaced), replaced)) {
        file.dropReplaced();
    } else if (!replaced.isEmpty() && !m_unsaved) { // it came between the look above and the swap
        file.undo();
        return false;
    } else if (!replaced.isEmpty()) {
        QString copy;
        if (!RecipeFile::keepCopy(replaced, m_folder, true, &copy, QStringLiteral("DAT")))
            copy = replaced; // it stays where the swap put it
        FileSystem::syncFolder(m_folder);
        *notice = kept.arg(RecipeFile::fileName(), displayName(copy));
    }
    m_identity = identity;
    m_diskStamp = file.stamp();
    m_fileIsCut = false;
    return true;
}

bool RecipeBox::keepForNextStart(QString *where)
{
    m_journalTimer.stop();
    writeJournal();
    QString location;
    if (!m_journal->sync(&location))
        return false;
    *where = displayName(location);
    return true;
}
