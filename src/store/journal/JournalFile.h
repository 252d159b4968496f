#pragma once

#include "store/FileIdentity.h"
#include "store/journal/JournalEntry.h"

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
    QString host; // the computer it was written on; empty when not known
    QList<JournalEntry> entries; // the records after the Base record, Saving marks included
    bool cutShort = false; // records after the last whole one were left out
    qsizetype length = 0; // of the whole records, the signature included

    // Whether it was written on another computer (one that shares the folder).
    bool fromAnotherComputer() const;
};

Contents read(const QString &path);
// Whether the journal at `path` was written on another computer (one that shares the folder).
bool fromAnotherComputer(const QString &path);
// The same for the bytes of a journal.
Contents parse(QByteArrayView bytes);

// The index of the first entry a recipe file whose identity is `file` lacks: the one after the last
// Saving mark that names that file (the save went through), else the first when the journal was
// written against that file; -1 when the journal belongs to another version of the file.
qsizetype firstChangeOver(const Contents &contents, const FileIdentity &file);

// Applies entries `from` onwards to the list in order until one does not fit it (which only a
// damaged journal holds), taking the lists of whole-list records instead of copying them; how many
// were applied.
qsizetype replay(QList<JournalEntry> &&entries, RecipeList &list, qsizetype from = 0);

} // namespace JournalFile
