#pragma once

#include "MultiLineTextBox.h"
#include "TextBoxLines.h"

// A multi-line box without a window: its text has CR LF line breaks and, given a width in
// characters, it wraps each line at the last space that fits (or, with none, at the width), the
// space staying at the end of the line as a box keeps it.
class FakeTextBox : public MultiLineTextBox
{
public:
    explicit FakeTextBox(const QString &text = QString(), int widthInCharacters = 0);

    void setText(const QString &text);

    QString text() override { return m_lines.text(); }
    qint32 lineCount() override { return m_lines.lineCount(); }
    qint32 lineIndex(qint16 line) override { return m_lines.lineIndex(line); }
    qint32 lineLength(qint16 index) override { return m_lines.lineLength(index); }

private:
    int m_width;
    TextBoxLines m_lines;
};
