#include "store/journal/JournalFile.h"

#include "core/RuntimeError.h"

#include <QFile>
#include <QLoggingCategory>
#include <QSysInfo>

Q_LOGGING_CATEGORY(lcJournalFile, "larderly.journal.file", QtInfoMsg)

QString JournalFile::fileName()
{
    return QStringLiteral("RECIPES.JNL");
}

QByteArray JournalFile::signature()
{
    return QByteArrayLiteral("LARDERLY JOURNAL 1\n");
}

bool JournalFile::fromAnotherComputer(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return parse(file.read(4096)).fromAnotherComputer(); // the first record names it
}

bool JournalFile::Contents::fromAnotherComputer() const
{
    return !host.isEmpty() && host != QSysInfo::machineHostName();
}

JournalFile::Contents JournalFile::read(const QString &path)
{
    Contents contents;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (file.exists())
            qCWarning(lcJournalFile) << "cannot read" << path << file.errorString();
        return contents;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        qCWarning(lcJournalFile) << "cannot read" << path << file.errorString();
        return contents;
    }
    contents = parse(bytes);
    if (!contents.readable)
        qCWarning(lcJournalFile) << path << "is not a journal this program can read";
    return contents;
}

qsizetype JournalFile::firstChangeOver(const Contents &contents, const FileIdentity &file)
{
    for (qsizetype i = contents.entries.size() - 1; i >= 0; --i) {
        const JournalEntry &entry = contents.entries[i];
        if (entry.type == JournalEntry::Saving && entry.identity == file)
            return i + 1;
    }
    return contents.base == file ? 0 : -1;
}

qsizetype JournalFile::replay(QList<JournalEntry> &&entries, RecipeList &list, qsizetype from)
{
    for (qsizetype i = from; i < entries.size(); ++i) {
        try {
            if (entries[i].type == JournalEntry::Snapshot)
                list = std::move(entries[i].list);
            else
                entries[i].apply(list);
        } catch (const RuntimeError &error) {
            qCWarning(lcJournalFile) << "change" << i << "does not fit the list:" << error.description();
            return i - from;
        }
    }
    return entries.size() - from;
}

JournalFile::Contents JournalFile::parse(QByteArrayView bytes)
{
    Contents contents;
    if (!bytes.startsWith(signature()))
        return contents;
    QByteArrayView rest = bytes.sliced(signature().size());
    JournalEntry entry;
    qsizetype used = 0;
    if (!JournalEntry::decode(rest, entry, used) || entry.type != JournalEntry::Base)
        return contents;
    contents.readable = true;
    contents.base = entry.identity;
    contents.host = entry.host;
    rest = rest.sliced(used);
    contents.length = bytes.size() - rest.size();
    while (!rest.isEmpty()) {
        if (!JournalEntry::decode(rest, entry, used) || entry.type == JournalEntry::Base) {
            contents.cutShort = true;
            qCInfo(lcJournalFile) << "a journal ends in" << rest.size() << "bytes that are no whole record";
            break;
        }
        rest = rest.sliced(used);
        contents.length += used;
        contents.entries.append(std::move(entry));
    }
    return contents;
}
