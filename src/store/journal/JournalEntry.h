#pragma once

#include "store/FileIdentity.h"
#include "store/RecipeList.h"

#include <QByteArray>
#include <QList>
#include <QString>

// One record of a recovery journal: a change to the recipe list, or what the journal is about.
// Each change leaves the list as it once was on screen, so a journal cut short anywhere between
// records still gives a state the user saw.
struct JournalEntry
{
    enum Type : quint8 {
        Base = 1, // the recipe file the journal is written against (its identity)
        Snapshot, // the whole list; what came before it no longer matters
        Edit, // fields of one recipe changed; that recipe is then the current one
        Add, // an empty recipe appended and made current
        Delete, // the recipe at the index removed, as deleting the current recipe does
        Current, // another recipe made current
        Saving, // the recipe file is being replaced by one with every change before this: its identity
    };

    // Characters [start, start + removed) of a field replaced by `text`.
    struct Splice
    {
        int field = 0;
        qint32 start = 0;
        qint32 removed = 0;
        QString text;
        friend bool operator==(const Splice &a, const Splice &b)
        {
            return a.field == b.field && a.start == b.start && a.removed == b.removed && a.text == b.text;
        }
    };

    Type type = Add;
    qint16 index = 0; // Edit, Delete, Current
    QList<Splice> splices; // Edit
    FileIdentity identity; // Base, Saving
    QString host; // Base: the computer it was written on; empty in journals of the first release
    RecipeList list; // Snapshot

    static JournalEntry of(Type type, qint16 index = 0);
    static JournalEntry base(const FileIdentity &identity, const QString &host = QString());
    static JournalEntry snapshot(const RecipeList &list);
    static JournalEntry saving(const FileIdentity &identity);
    // The splices that turn recipe `from` into `to`; empty when they are equal.
    static QList<Splice> difference(const Recipe &from, const Recipe &to);

    // Applies the change to the list; a change that does not fit it (an index out of range, a
    // splice past the end of a field, a 32,768th recipe) raises RuntimeError and changes nothing.
    void apply(RecipeList &list) const;

    // The record as it is stored: its length, type, contents and a CRC-32 over all of them.
    QByteArray encoded() const;
    // The record at the start of `bytes`; false when it is cut short, fails its checksum or
    // makes no sense. `used` is its length in bytes.
    static bool decode(QByteArrayView bytes, JournalEntry &entry, qsizetype &used);

    friend bool operator==(const JournalEntry &a, const JournalEntry &b);
};
