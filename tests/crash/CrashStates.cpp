#include "CrashStates.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QRandomGenerator>
#include <QSet>

#include <algorithm>
#include <cstdio>

// The folders' contents while operations are applied: each node's bytes, each folder's entries.
struct CrashLog::Disk
{
    QVector<QByteArray> data;
    QVector<QMap<QByteArray, int>> entries;

    void apply(const Op &op, qint64 kept = -1)
    {
        QByteArray &bytes = data[op.node];
        switch (op.kind) {
        case Op::Enter:
            entries[op.dir][op.name] = op.node;
            break;
        case Op::Remove:
            entries[op.dir].remove(op.name);
            break;
        case Op::Rename: {
            const int other = entries[op.toDir].value(op.toName, -1);
            if (entries[op.dir].value(op.name, -1) == op.node)
                entries[op.dir].remove(op.name);
            entries[op.toDir][op.toName] = op.node;
            if ((op.flags & RENAME_EXCHANGE) && other >= 0)
                entries[op.dir][op.name] = other;
            break;
        }
        case Op::Write: {
            const QByteArray written = kept < 0 ? op.bytes : op.bytes.left(kept);
            if (bytes.size() < op.offset + written.size())
                bytes.resize(op.offset + written.size(), '\0');
            bytes.replace(op.offset, written.size(), written);
            break;
        }
        case Op::Truncate:
            bytes.resize(op.offset, '\0');
            break;
        default:
            break;
        }
    }

    void addTo(Tree &tree, int folder, const QString &path, const QVector<bool> &isFolder, int depth = 0) const
    {
        for (auto entry = entries[folder].cbegin(); entry != entries[folder].cend() && depth < 64; ++entry) {
            const QString name = path + QFile::decodeName(entry.key());
            const bool folder = isFolder[entry.value()];
            tree.insert(folder ? name + '/' : name, folder ? QByteArray() : data[entry.value()]);
            if (folder)
                addTo(tree, entry.value(), name + '/', isFolder, depth + 1);
        }
    }
};

CrashLog CrashLog::read(const QString &logPath, QString *error)
{
    QFile file(logPath);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = logPath + ": " + file.errorString();
        return {};
    }
    const QByteArray text = file.readAll();
    CrashLog log;
    QStringList problems;
    QHash<QByteArray, int> nodes; // dev:ino -> the node it names now: numbers are used again
    QHash<int, QString> names;
    const auto node = [&](const QByteArray &inode, bool made = false, bool folder = false) {
        if (made) {
            nodes.insert(inode, int(log.m_isFolder.size()));
            log.m_isFolder << folder;
        } else if (!nodes.contains(inode)) {
            problems << "an inode neither listed nor made: " + inode;
        }
        return nodes.value(inode, 0);
    };
    static const QHash<QByteArray, Op::Kind> kinds{
        {"ENTRY", Op::Enter},       {"CREATE", Op::Enter}, {"MKDIR", Op::Enter},   {"LINK", Op::Enter},
        {"UNLINK", Op::Remove},     {"RMDIR", Op::Remove}, {"RENAME", Op::Rename}, {"WRITE", Op::Write},
        {"TRUNCATE", Op::Truncate}, {"SYNC", Op::Sync},    {"MARK", Op::Mark},     {"TMPFILE", Op::Other},
        {"CHMOD", Op::Other},       {"CHOWN", Op::Other}};
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype end = text.indexOf('\n', at);
        const QByteArray line = text.mid(at, end - at);
        const QList<QByteArray> field = line.split(' ');
        const auto arg = [&](int i) { return i < field.size() ? field[i] : QByteArray(); };
        at = end + 1;
        Op op;
        op.word = field[0];
        if (op.word == "WRITE" || op.word == "MARK") {
            const qsizetype length = arg(op.word == "MARK" ? 1 : 3).toLongLong();
            op.bytes = text.mid(at, length);
            at += length + 1;
        }
        if (end < 0 || at > text.size() || text[at - 1] != '\n') {
            problems << "a record cut short: " + line;
            break;
        }
        op.kind = kinds.value(op.word, Op::Other);
        if (op.word == "ROOT") {
            log.m_roots.insert(arg(1).toInt(), node(arg(2), true, true));
        } else if (!kinds.contains(op.word)) {
            problems << "the recorder could not follow: " + line;
        } else if (op.kind == Op::Enter || op.kind == Op::Remove || op.kind == Op::Rename) {
            const bool made = op.word == "ENTRY" || op.word == "CREATE" || op.word == "MKDIR";
            op.dir = node(arg(1));
            op.name = QByteArray::fromPercentEncoding(arg(2));
            op.toDir = op.kind == Op::Rename ? node(arg(3)) : -1;
            op.toName = QByteArray::fromPercentEncoding(arg(4));
            op.node = node(arg(op.kind == Op::Rename ? 5 : 3), made, op.word == "MKDIR" || arg(4) == "d");
            op.flags = arg(6).toUInt();
        } else if (op.word == "TMPFILE") {
            op.node = node(arg(2), true);
        } else if (op.kind != Op::Mark) {
            op.node = node(arg(1));
            op.offset = arg(2).toLongLong();
        }
        if (op.kind == Op::Enter || op.kind == Op::Rename)
            names.insert(op.node, QFile::decodeName(op.kind == Op::Enter ? op.name : op.toName));
        op.label
            = op.kind == Op::Rename ? QFile::decodeName(op.name) + " -> " + names.value(op.node) : names.value(op.node);
        if (op.word == "ENTRY")
            log.m_start << op;
        else if (op.word != "ROOT")
            log.m_ops << op;
    }
    *error = problems.join('\n');
    return problems.isEmpty() ? log : CrashLog();
}

QString CrashLog::describe(int i) const
{
    const Op &op = m_ops[i];
    QString text = QStringLiteral("#%1 %2 %3").arg(i).arg(QString::fromLatin1(op.word), op.label);
    if (op.kind == Op::Write)
        text += QStringLiteral(" (%1 bytes at %2)").arg(op.bytes.size()).arg(op.offset);
    return text;
}

bool CrashLog::isPending(int i, const QVector<int> &lastSync) const
{
    const Op &op = m_ops[i];
    switch (op.kind) {
    case Op::Write:
    case Op::Truncate:
        return i > lastSync[op.node];
    case Op::Enter:
    case Op::Remove:
        return i > lastSync[op.dir];
    case Op::Rename:
        return i > lastSync[op.dir] || i > lastSync[op.toDir];
    default:
        return false; // no change to what the folders hold
    }
}

void CrashLog::forEachState(const Tree &initial, int maxStatesPerPoint,
                            const std::function<bool(const CrashState &)> &check) const
{
    Disk start{QVector<QByteArray>(m_isFolder.size()), QVector<QMap<QByteArray, int>>(m_isFolder.size())};
    QHash<int, QString> paths;
    for (auto root = m_roots.cbegin(); root != m_roots.cend(); ++root)
        paths.insert(root.value(), QString::number(root.key()) + '/');
    for (const Op &op : m_start) {
        start.apply(op);
        paths.insert(op.node, paths.value(op.dir) + QFile::decodeName(op.name) + (m_isFolder[op.node] ? "/" : ""));
        start.data[op.node] = initial.value(paths.value(op.node));
    }
    QStringList marks;
    int durableEnd = 0; // the operations before it are on the disk at this crash point and all later ones
    for (int point = 0; point <= size(); ++point) {
        QVector<int> lastSync(m_isFolder.size(), -1), pending;
        for (int i = 0; i < point; ++i) {
            if (m_ops[i].kind == Op::Sync)
                lastSync[m_ops[i].node] = i;
        }
        for (int i = 0; i < point; ++i) {
            if (isPending(i, lastSync))
                pending << i;
        }
        for (; durableEnd < (pending.isEmpty() ? point : pending.first()); ++durableEnd)
            start.apply(m_ops[durableEnd]);
        if (point > 0 && m_ops[point - 1].kind == Op::Mark)
            marks << QString::fromUtf8(m_ops[point - 1].bytes);

        // Which pending operations are kept: none, all, every prefix, all but one, each alone, then
        // every other subset of a few, or random ones of many.
        const int n = int(pending.size());
        QVector<QVector<bool>> subsets{QVector<bool>(n, false), QVector<bool>(n, true)};
        for (int k = 0; k < n; ++k) {
            subsets << QVector<bool>(n, false) << QVector<bool>(n, true) << QVector<bool>(n, false);
            std::fill_n(subsets[subsets.size() - 3].begin(), k, true);
            subsets[subsets.size() - 2][k] = false;
            subsets.last()[k] = true;
        }
        for (int mask = 0; n <= 8 && mask < (1 << n); ++mask) {
            subsets << QVector<bool>(n);
            for (int k = 0; k < n; ++k)
                subsets.last()[k] = mask & (1 << k);
        }
        QRandomGenerator random{quint32(point)};
        QSet<QByteArray> seen;
        for (int s = 0; seen.size() < maxStatesPerPoint && s < subsets.size() + (n > 8 ? 4 * maxStatesPerPoint : 0);
             ++s) {
            QVector<bool> keep(n);
            if (s < subsets.size())
                keep = subsets[s];
            else
                std::generate(keep.begin(), keep.end(), [&] { return random.bounded(2) == 1; });
            // The whole state first, then with the last write kept of each file cut short.
            QHash<int, int> lastWrite;
            for (int k = 0; k < n; ++k) {
                if (keep[k] && m_ops[pending[k]].kind == Op::Write)
                    lastWrite.insert(m_ops[pending[k]].node, pending[k]);
            }
            QVector<QPair<int, qint64>> cuts{{-1, -1}};
            for (const int i : std::as_const(lastWrite)) {
                const qint64 length = m_ops[i].bytes.size(), toPage = 4096 - m_ops[i].offset % 4096;
                for (const qint64 cut : {qint64(1), length / 2, length - 1, toPage}) {
                    if (cut > 0 && cut < length && !cuts.contains({i, cut}))
                        cuts << qMakePair(i, cut);
                }
            }
            for (const auto &[torn, cut] : std::as_const(cuts)) {
                Disk disk = start;
                for (int i = durableEnd, k = 0; i < point; ++i) {
                    const bool isPending = k < n && pending[k] == i;
                    if (!isPending || keep[k])
                        disk.apply(m_ops[i], i == torn ? cut : -1);
                    k += isPending;
                }
                CrashState state{point, marks, {}, {}};
                for (auto root = m_roots.cbegin(); root != m_roots.cend(); ++root)
                    disk.addTo(state.tree, root.value(), QString::number(root.key()) + '/', m_isFolder);
                QCryptographicHash hash(QCryptographicHash::Sha1);
                for (auto entry = state.tree.cbegin(); entry != state.tree.cend(); ++entry)
                    hash.addData(entry.key().toUtf8() + '\0' + QByteArray::number(entry.value().size()) + '\0'
                                 + entry.value());
                if (seen.contains(hash.result()) || seen.size() >= maxStatesPerPoint)
                    continue;
                seen.insert(hash.result());
                QStringList kept, dropped;
                for (int k = 0; k < n; ++k)
                    (keep[k] ? kept : dropped) << describe(pending[k]);
                state.description = QStringLiteral("crash after %1 records; kept: %2; dropped: %3")
                                        .arg(point)
                                        .arg(kept.join(", "), dropped.join(", "));
                if (torn >= 0)
                    state.description += QStringLiteral("; #%1 torn after %2 bytes").arg(torn).arg(cut);
                if (!check(state))
                    return;
            }
        }
    }
}

Tree CrashLog::snapshot(const QStringList &roots)
{
    Tree tree;
    for (int i = 0; i < roots.size(); ++i) {
        QDirIterator entry(roots[i], QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                           QDirIterator::Subdirectories);
        while (entry.hasNext()) {
            const QString path = QString::number(i) + '/' + QDir(roots[i]).relativeFilePath(entry.next());
            QFile file(entry.filePath());
            if (entry.fileInfo().isDir())
                tree.insert(path + '/', {});
            else
                tree.insert(path, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
        }
    }
    return tree;
}

bool CrashLog::materialize(const Tree &tree, const QStringList &roots)
{
    for (const QString &root : roots) {
        const QDir::Filters all = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;
        for (const QFileInfo &entry : QDir(root).entryInfoList(all)) {
            if (!(entry.isDir() && !entry.isSymLink() ? QDir(entry.filePath()).removeRecursively()
                                                      : QFile::remove(entry.filePath())))
                return false;
        }
    }
    for (auto entry = tree.cbegin(); entry != tree.cend(); ++entry) {
        const int root = entry.key().section('/', 0, 0).toInt();
        const QString path = roots.value(root) + '/' + entry.key().section('/', 1);
        QFile file(path);
        if (root >= roots.size() || !QDir().mkpath(QFileInfo(path).path()))
            return false;
        if (!path.endsWith('/')
            && (!file.open(QIODevice::WriteOnly) || file.write(entry.value()) != entry.value().size()))
            return false;
    }
    return true;
}
