#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

// What tells one version of a file from another: its size and the CRC-32 of its bytes. A journal
// of changes is only ever applied to the file it was written against.
struct FileIdentity
{
    qint64 size = -1; // -1: there is no file
    quint32 crc = 0;

    // The identity given to a file that could not be read: whatever it holds, changes made over the
    // empty list read from it belong to that state.
    static constexpr FileIdentity unreadable() { return {-2, 0}; }
    // One no file has: the file a journal of an earlier release was saving, which it did not name.
    static constexpr FileIdentity unknown() { return {-3, 0}; }

    // Reads the file through; a missing file has the identity of no file. Raises RuntimeError
    // when a file that is there cannot be read.
    static FileIdentity of(const QString &path);

    // Builds the identity of bytes as they are written, chunk by chunk.
    void add(QByteArrayView bytes);

    friend bool operator==(const FileIdentity &a, const FileIdentity &b) { return a.size == b.size && a.crc == b.crc; }
    friend bool operator!=(const FileIdentity &a, const FileIdentity &b) { return !(a == b); }
};
