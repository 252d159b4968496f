#pragma once

#include "print/DisplayedText.h"

#include <QString>
#include <QStringView>

#include <vector>

// The text of a multi-line box and its displayed lines, built line by line, and the answers to
// the box's line queries. Boxes lay their text out in their own way and keep one of these.
class DisplayedLines
{
public:
    // Adds a displayed line at the end of the text.
    void addLine(QStringView line);
    // Ends the current line with a CR LF line break; the next line starts after it.
    void addLineBreak();

    const QString &text() const { return m_text; }
    qint32 lineCount() const;
    qint32 lineIndex(qint16 line) const;
    qint32 lineLength(qint16 index) const;

private:
    struct Line
    {
        qint32 start;
        qint32 length;
    };

    QString m_text;
    std::vector<Line> m_lines;
    bool m_lineOpen = false; // a line break was the last thing added: an empty line follows
};
