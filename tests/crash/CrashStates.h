#pragma once

// The states a power cut could leave some folders in, built from what FsRecorder logged of a session. The model:
// what was before the last completed fsync or fdatasync of a file is on the disk for its data (writes, truncations),
// and what was before the last fsync of a folder for its entries (create, link, rename, unlink; a rename between two
// folders needs both flushed). The fsync of a file does not make its name durable. Of the operations after those
// barriers, any subset may be on the disk too, applied in the order the program made them, and the last write kept
// of each file may be there in part (a prefix). A file shows only under a name that is on the disk; modes, owners
// and times are left out.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QMap>

#include <functional>

// The folders' contents: "<root index>/<path>" -> bytes for files; folders as paths ending in '/'.
using Tree = QMap<QString, QByteArray>;

struct CrashState
{
    int crashPoint; // how many records had completed when the power went
    QStringList marks; // the texts written to the marks file before the crash point, in order
    QString description; // which pending operations were dropped, which write torn
    Tree tree; // what the disk holds after the crash
};

class CrashLog
{
public:
    static CrashLog read(const QString &logPath, QString *error)
    {
        QFile file(logPath);
        const QByteArray text = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        *error = file.error() == QFile::NoError ? QString() : logPath + ": " + file.errorString();
        CrashLog log;
        QHash<QByteArray, int> nodes{{"top", 0}}; // dev:ino -> the node it names now: numbers are used again
        static const QHash<QByteArray, Op::Kind> kinds{
            {"ENTRY", Op::Enter},   {"CREATE", Op::Enter},      {"LINK", Op::Enter},
            {"UNLINK", Op::Remove}, {"RENAME", Op::Rename},     {"WRITE", Op::Write},
            {"SYNC", Op::Sync},     {"TRUNCATE", Op::Truncate}, {"TMPFILE", Op::Other}};
        for (qsizetype at = 0, end = 0; at < text.size() && error->isEmpty(); at = end + 1) {
            end = text.indexOf('\n', at);
            const QByteArray line = text.mid(at, end - at);
            const QByteArrayList arg = line.split(' ');
            Op op;
            op.kind = kinds.value(arg[0], Op::Other);
            if (op.kind == Op::Write)
                op.bytes = text.mid(end + 1, arg.value(3).toLongLong()), end += op.bytes.size() + 1;
            if (end < 0 || end >= text.size() || text[end] != '\n' || !kinds.contains(arg[0]))
                *error = "a record cut short, or a change the recorder could not follow: " + line;
            if (arg[0] == "ENTRY" || arg[0] == "CREATE" || arg[0] == "TMPFILE")
                nodes.insert(arg.value(1), int(log.m_isFolder.size())), log.m_isFolder << (arg.value(4) == "d");
            const auto node = [&](int i) { return nodes.value(arg.value(i), -1); };
            op.kind = op.kind == Op::Write && arg.value(1) == "marks" ? Op::Mark : op.kind;
            op.node = op.kind == Op::Mark ? 0 : node(1);
            op.dir = op.toDir = op.kind <= Op::Rename ? node(2) : op.node; // Enter, Remove, Rename: a folder
            op.offset = arg.value(2).toLongLong();
            op.name = QByteArray::fromPercentEncoding(arg.value(3));
            if (op.kind == Op::Rename)
                op.toDir = node(4), op.toName = QByteArray::fromPercentEncoding(arg.value(5)),
                op.exchange = arg.value(6).toUInt() & RENAME_EXCHANGE;
            if (std::min({op.node, op.dir, op.toDir}) < 0)
                *error = "a node neither listed nor made: " + line;
            op.line = line;
            (arg[0] == "ENTRY" ? log.m_start : log.m_ops) << op;
        }
        return error->isEmpty() ? log : CrashLog();
    }

    int size() const { return int(m_ops.size()); }

    // Every state a power cut could leave, crash point after crash point, at most maxStatesPerPoint
    // different ones at each; `initial` is the folders' contents before the session. `check` returns
    // false to stop.
    void forEachState(const Tree &initial, int maxStatesPerPoint,
                      const std::function<bool(const CrashState &)> &check) const
    {
        Disk start{QVector<QByteArray>(m_isFolder.size()), QVector<QMap<QByteArray, int>>(m_isFolder.size())};
        for (const Op &op : m_start)
            start.apply(op);
        start.tree(m_isFolder, &initial);
        QStringList marks;
        QVector<int> lastSync(m_isFolder.size(), -1);
        for (int point = 0; point <= size(); ++point) {
            if (point > 0 && m_ops[point - 1].kind == Op::Sync)
                lastSync[m_ops[point - 1].node] = point - 1;
            if (point > 0 && m_ops[point - 1].kind == Op::Mark)
                marks << QString::fromUtf8(m_ops[point - 1].bytes);
            QVector<int> pending; // the changes after the last flush of their file or folders
            for (int i = 0; i < point; ++i) {
                if (m_ops[i].kind < Op::Sync && i > std::min(lastSync[m_ops[i].dir], lastSync[m_ops[i].toDir]))
                    pending << i;
            }
            // Which of them are kept: all first, then every subset (s the ones dropped) of a few, or
            // random ones of many.
            const int n = int(pending.size());
            const auto keeps = [&](int s, int k) {
                return n <= 10 || s == 0 ? !(s >> k & 1) : qHash(quint64(point) << 40 | quint64(s) << 20 | k) % 2;
            };
            QList<Tree> seen;
            for (int s = 0; s < (n <= 10 ? 1 << n : 4 * maxStatesPerPoint) && seen.size() < maxStatesPerPoint; ++s) {
                QHash<int, int> lastWrite; // the whole state first, then with these cut short
                for (int k = 0; k < n; ++k) {
                    if (keeps(s, k) && m_ops[pending[k]].kind == Op::Write)
                        lastWrite.insert(m_ops[pending[k]].node, pending[k]);
                }
                QVector<QPair<int, qint64>> cuts{{-1, -1}};
                for (const int i : std::as_const(lastWrite)) {
                    const qint64 length = m_ops[i].bytes.size();
                    for (const qint64 cut : {qint64(1), length / 2, length - 1, 4096 - m_ops[i].offset % 4096})
                        cuts << qMakePair(i, cut > 0 && cut < length ? cut : -1);
                }
                for (const auto &[torn, cut] : std::as_const(cuts)) {
                    Disk disk = start;
                    QStringList lost; // what the power cut dropped or tore
                    for (int i = 0, k = 0; i < point; ++i) {
                        const bool isPending = k < n && pending[k] == i, dropped = isPending && !keeps(s, k);
                        if (dropped || i == torn)
                            lost << QStringLiteral("#%1 %2 %3")
                                        .arg(i)
                                        .arg(QString::fromUtf8(m_ops[i].line),
                                             dropped ? "dropped" : QString("cut after %1 bytes").arg(cut));
                        if (!dropped)
                            disk.apply(m_ops[i], i == torn ? cut : -1);
                        k += isPending;
                    }
                    const CrashState state{point, marks,
                                           QString("crash after %1 records: %2").arg(point).arg(lost.join(", ")),
                                           disk.tree(m_isFolder)};
                    if (seen.size() < maxStatesPerPoint && !seen.contains(state.tree)
                        && !check((seen << state.tree, state)))
                        return;
                }
            }
        }
    }

    static Tree snapshot(const QStringList &roots)
    {
        Tree tree;
        for (int i = 0; i < roots.size(); ++i) {
            tree.insert(QString::number(i) + '/', {});
            QDirIterator entry(roots[i], QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                               QDirIterator::Subdirectories);
            while (entry.hasNext()) {
                QFile file(entry.next());
                const QString path = QString::number(i) + entry.filePath().mid(roots[i].size());
                tree.insert(entry.fileInfo().isDir() ? path + '/' : path,
                            file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray()); // a folder does not open
            }
        }
        return tree;
    }

    static bool materialize(const Tree &tree, const QStringList &roots) // the roots made anew
    {
        bool made = std::all_of(roots.begin(), roots.end(),
                                [](const QString &root) { return QDir(root).removeRecursively(); });
        for (auto entry = tree.cbegin(); made && entry != tree.cend(); ++entry) { // a folder before its entries
            const int root = entry.key().section('/', 0, 0).toInt();
            QFile file(roots.value(root) + '/' + entry.key().section('/', 1));
            made = root < roots.size()
                && (entry.key().endsWith('/')
                        ? QDir().mkdir(file.fileName())
                        : file.open(QIODevice::WriteOnly) && file.write(entry.value()) == entry.value().size());
        }
        return made;
    }

private:
    struct Op
    {
        enum Kind { Enter, Remove, Rename, Write, Truncate, Sync, Mark, Other } kind = Other;
        int node = 0, dir = 0, toDir = 0; // the file or folder; the folders whose entries change, or the file
        QByteArray name, toName, bytes; // entry names; a write's bytes, or a mark's text
        qint64 offset = 0; // where a write goes, or the length a truncation leaves
        bool exchange = false; // a rename that swaps two entries
        QByteArray line; // the record, for descriptions
    };

    // The folders' contents as operations leave them: each node's bytes, each folder's entries.
    struct Disk
    {
        QVector<QByteArray> data;
        QVector<QMap<QByteArray, int>> entries;

        void apply(const Op &op, qint64 kept = -1)
        {
            QByteArray &bytes = data[op.node];
            QMap<QByteArray, int> &from = entries[op.dir], &to = entries[op.toDir];
            const int other = to.value(op.toName, -1);
            if (op.kind == Op::Enter)
                from[op.name] = op.node;
            if (op.kind == Op::Remove || (op.kind == Op::Rename && from.value(op.name) == op.node))
                from.remove(op.name);
            if (op.kind == Op::Rename)
                to[op.toName] = op.node;
            if (op.kind == Op::Rename && op.exchange && other >= 0)
                from[op.name] = other;
            if (op.kind == Op::Truncate)
                bytes.resize(op.offset, '\0');
            if (op.kind == Op::Write) {
                const QByteArray written = op.bytes.left(kept < 0 ? op.bytes.size() : kept);
                bytes.resize(std::max(bytes.size(), op.offset + written.size()), '\0');
                bytes.replace(op.offset, written.size(), written);
            }
        }

        // The files and folders under `folder`; with `initial`, what they held before the session.
        Tree tree(const QVector<bool> &isFolder, const Tree *initial = nullptr, int folder = 0,
                  const QString &path = {})
        {
            Tree tree;
            for (auto entry = entries[folder].cbegin(); entry != entries[folder].cend(); ++entry) {
                const QString name = path + QFile::decodeName(entry.key()) + (isFolder[entry.value()] ? "/" : "");
                if (initial)
                    data[entry.value()] = initial->value(name);
                tree.insert(name, data[entry.value()]);
                tree.insert(isFolder[entry.value()] ? this->tree(isFolder, initial, entry.value(), name) : Tree());
            }
            return tree;
        }
    };

    QVector<Op> m_ops, m_start; // what the session did; what the folders held when it started
    QVector<bool> m_isFolder{true}; // by node; node 0 is the folder of the roots, named by their index
};
