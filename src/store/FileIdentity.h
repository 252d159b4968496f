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

    // Reads the file through; a missing file has the identity of no file. Raises RuntimeError
    // when a file that is there cannot be read.
    static FileIdentity of(const QString &path);

    // Builds the identity of bytes as they are written, chunk by chunk.
    void add(QByteArrayView bytes);

    friend bool operator==(const FileIdentity &a, const FileIdentity &b) { return a.size == b.size && a.crc == b.crc; }
    friend bool operator!=(const FileIdentity &a, const FileIdentity &b) { return !(a == b); }
};
