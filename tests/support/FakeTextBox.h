#pragma once

#include "print/DisplayedLines.h"
#include "print/DisplayedText.h"

#include <QStringList>

// A multi-line box without a window: CR LF breaks its lines, and `width` characters, if given.
class FakeTextBox : public DisplayedText
{
public:
    explicit FakeTextBox(const QString &text = QString(), int width = 0)
    {
        const QStringList paragraphs = text.split("\r\n");
        for (qsizetype p = 0; p < paragraphs.size(); ++p) {
            if (p > 0)
                m_lines.addLineBreak();
            const qsizetype step = width > 0 ? width : paragraphs[p].size();
            for (qsizetype at = 0; at < paragraphs[p].size(); at += step)
                m_lines.addLine(QStringView(paragraphs[p]).mid(at, step));
        }
    }
    QString text() override { return m_lines.text(); }
    qint32 lineCount() override { return m_lines.lineCount(); }
    qint32 lineIndex(qint16 line) override { return m_lines.lineIndex(line); }
    qint32 lineLength(qint16 index) override { return m_lines.lineLength(index); }

private:
    DisplayedLines m_lines;
};
