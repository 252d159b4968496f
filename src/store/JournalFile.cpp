#include "store/JournalFile.h"

#include "core/RuntimeError.h"

#include <QFile>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcJournalFile, "larderly.journal.file", QtInfoMsg)

QString JournalFile::fileName()
{
    return QStringLiteral("RECIPES.JNL");
}

QByteArray JournalFile::signature()
{
    return QByteArrayLiteral("LARDERLY JOURNAL 1\n");
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

namespace {

template<typename Entries>
qsizetype replayEntries(Entries &entries, RecipeList &list)
{
    for (qsizetype i = 0; i < entries.size(); ++i) {
        try {
            if constexpr (!std::is_const_v<Entries>) {
                if (entries[i].type == JournalEntry::Snapshot) {
                    list = std::move(entries[i].list);
                    continue;
                }
            }
            entries[i].apply(list);
        } catch (const RuntimeError &error) {
            qCWarning(lcJournalFile) << "change" << i << "does not fit the list:" << error.description();
            return i;
        }
    }
    return entries.size();
}

} // namespace

qsizetype JournalFile::replay(const QList<JournalEntry> &entries, RecipeList &list)
{
    return replayEntries(entries, list);
}

qsizetype JournalFile::replay(QList<JournalEntry> &&entries, RecipeList &list)
{
    return replayEntries(entries, list);
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
        contents.endsSaving = entry.type == JournalEntry::Saving;
        if (contents.endsSaving)
            contents.saving = true;
        else
            contents.entries.append(std::move(entry));
    }
    return contents;
}
