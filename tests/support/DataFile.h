#pragma once

#include <QFile>
#include <QStringList>

// The lines of a test's data file (found with QFINDTESTDATA), blank lines and "#" comments left out.
inline QStringList dataLines(const QString &path)
{
    QFile file(path);
    QStringList lines;
    for (const QString &line : QString::fromUtf8(file.open(QIODevice::ReadOnly) ? file.readAll() : "").split(u'\n')) {
        if (!line.trimmed().isEmpty() && !line.startsWith(u'#'))
            lines << line;
    }
    return lines;
}
