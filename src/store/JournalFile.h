#pragma once

#include "store/FileIdentity.h"
#include "store/JournalEntry.h"

#include <QList>
#include <QString>

// The file a recovery journal is kept in: a signature line, then records (see JournalEntry), the
// first of which names the recipe file the journal is written against. Records are only ever
// appended, so a journal cut short (a power cut in the middle of a write) ends in a record that
// fails its checksum; it and everything after it are left out.
namespace JournalFile {

QString fileName(); // "RECIPES.JNL"
QByteArray signature();

struct Contents
{
    bool readable = false; // false: no file, not a journal, or unreadable
    FileIdentity base; // the file it is written against
    QList<JournalEntry> entries; // the changes, the Base record left out
    bool saving = false; // the recipe file was being saved at some point
    bool endsSaving = false; // the recipe file was being saved when the journal ended
    bool cutShort = false; // records after the last whole one were left out
    qsizetype length = 0; // of the whole records, the signature included
};

Contents read(const QString &path);

// Applies the changes to the list in order until one does not fit it (which only a damaged journal
// holds); how many were applied.
qsizetype replay(const QList<JournalEntry> &entries, RecipeList &list);
// The same, taking the lists of whole-list records instead of copying them.
qsizetype replay(QList<JournalEntry> &&entries, RecipeList &list);
// The same for the bytes of a journal.
Contents parse(QByteArrayView bytes);

} // namespace JournalFile
