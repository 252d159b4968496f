#pragma once

// The states a power cut could leave some folders in, built from what FsRecorder logged of a session.
// The model: what was before the last completed fsync or fdatasync of a file is on the disk for its
// data (writes, truncations), and what was before the last fsync of a folder for its entries
// (create, link, rename, unlink, mkdir, rmdir; a rename between two folders needs both flushed). The
// fsync of a file does not make its name durable. Of the operations after those barriers, any subset
// may be on the disk too, applied in the order the program made them, and the last write kept of each
// file may be there in part (a prefix). A file shows only under a name that is on the disk;
// permissions, owners and times are left out.
#include <QMap>
#include <QStringList>
#include <QVector>

#include <functional>

// The folders' contents: "<root index>/<path>" -> bytes for files; folders as paths ending in '/'.
using Tree = QMap<QString, QByteArray>;

struct CrashState
{
    int crashPoint; // how many records had completed when the power went
    QStringList marks; // the MARK texts written before the crash point, in order
    QString description; // which pending operations were kept, which write torn
    Tree tree; // what the disk holds after the crash
};

class CrashLog
{
public:
    static CrashLog read(const QString &logPath, QString *error);
    int size() const { return int(m_ops.size()); }
    // Every state a power cut could leave, crash point after crash point, at most maxStatesPerPoint
    // different ones at each; `initial` is the folders' contents before the session.
    void forEachState(const Tree &initial, int maxStatesPerPoint,
                      const std::function<bool(const CrashState &)> &check) const; // false stops
    static Tree snapshot(const QStringList &roots);
    static bool materialize(const Tree &tree, const QStringList &roots); // empties the roots first

private:
    struct Op
    {
        enum Kind { Enter, Remove, Rename, Write, Truncate, Sync, Mark, Other } kind = Other;
        QByteArray word; // the record's, for descriptions
        QString label; // the file's name when the program changed it, for descriptions
        int node = -1, dir = -1, toDir = -1; // the file or folder; the folders whose entries change
        QByteArray name, toName, bytes; // entry names; a write's bytes, or a mark's text
        qint64 offset = 0; // a write's, or the length a truncation leaves
        unsigned flags = 0; // a rename's
    };
    struct Disk;
    QString describe(int op) const;
    bool isPending(int op, const QVector<int> &lastSync) const;

    QVector<Op> m_ops;
    QVector<Op> m_start; // what the folders held when the session started
    QMap<int, int> m_roots; // root index -> its folder's node
    QVector<bool> m_isFolder; // by node
};
