#pragma once

#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>

// The lines of a test's data file (found with QFINDTESTDATA), blank lines and "#" comments left out;
// a file that cannot be read gives a line no test expects.
inline QStringList dataLines(const QString &path)
{
    QFile file(path);
    QStringList lines;
    for (const QString &line :
         QString::fromUtf8(file.open(QIODevice::ReadOnly) ? file.readAll() : "(no data file)").split(u'\n')) {
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
    static const QRegularExpression escape(R"(\\(?:([rnt\\])|x([0-9a-fA-F]{2})|u([0-9a-fA-F]{4})))");
    QList<QStringList> rows;
    for (const QString &line : dataLines(path)) {
        QStringList cells = (line.endsWith(" ::") ? line + ' ' : line).split(" :: ") + QStringList(6, "(missing)");
        for (QString &cell : cells) {
            QString text;
            qsizetype done = 0;
            for (const QRegularExpressionMatch &m : escape.globalMatch(cell)) {
                const QString plain = m.captured(1);
                const QChar c = plain.isEmpty() ? QChar((m.captured(2) + m.captured(3)).toUShort(nullptr, 16))
                                                : QChar(plain == "r"       ? '\r'
                                                            : plain == "n" ? '\n'
                                                            : plain == "t" ? '\t'
                                                                           : '\\');
                text += cell.mid(done, m.capturedStart() - done) + c;
                done = m.capturedEnd();
            }
            cell = text + cell.mid(done);
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
