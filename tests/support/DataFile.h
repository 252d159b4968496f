#pragma once

#include <QFile>
#include <QStringList>
#include <QTest>

// The lines of a test's data file (found with QFINDTESTDATA), blank lines and "#" comments left out;
// a file that cannot be read gives a line no test expects.
inline QStringList dataLines(const QString &path)
{
    QFile file(path);
    QStringList lines;
    for (const QString &line : QString::fromUtf8(file.open(QIODevice::ReadOnly) ? file.readAll() : "(no data file)").split(u'\n')) {
        if (!line.trimmed().isEmpty() && !line.startsWith(u'#'))
            lines << line;
    }
    return lines;
}

// A data file's table: a row a line, its cells separated by " :: ", the first naming the row. In the
// cells \r \n \t \\ stand for themselves, \xHH for the character U+00HH (the byte HH once the cell is
// turned into Latin-1) and \uHHHH for the character U+HHHH.
inline QList<QStringList> dataRows(const QString &path)
{
    QList<QStringList> rows;
    for (const QString &line : dataLines(path)) {
        QStringList cells = (line.endsWith(" ::") ? line + ' ' : line).split(" :: ") + QStringList(6, "(missing)");
        for (QString &cell : cells) {
            QString text;
            for (qsizetype i = 0; i < cell.size(); ++i) {
                const QChar c = cell[i];
                const QChar next = i + 1 < cell.size() ? cell[i + 1] : QChar();
                if (c != u'\\' || !QString("rntxu\\").contains(next)) {
                    text += c;
                    continue;
                }
                const int digits = next == u'x' ? 2 : next == u'u' ? 4 : 0;
                text += digits ? QChar(cell.mid(i + 2, digits).toUShort(nullptr, 16))
                               : QChar(next == u'r' ? '\r' : next == u'n' ? '\n' : next == u't' ? '\t' : '\\');
                i += 1 + digits;
            }
            cell = text;
        }
        rows << cells;
    }
    return rows;
}

// Makes the running test's data table from a data file: a row for each of its rows, named by the
// first cell; dataRow() hands a test the other cells.
inline void dataTable(const QString &path)
{
    QTest::addColumn<QStringList>("row");
    for (const QStringList &row : dataRows(path))
        QTest::newRow(qPrintable(row[0])) << row.mid(1);
}

inline QStringList dataRow()
{
    QFETCH(QStringList, row);
    return row;
}
