#include "FakeTextBox.h"

#include <QStringList>

FakeTextBox::FakeTextBox(const QString &text, int widthInCharacters)
    : m_width(widthInCharacters)
{
    setText(text);
}

void FakeTextBox::setText(const QString &text)
{
    m_lines = TextBoxLines();
    const QStringList paragraphs = text.split(QStringLiteral("\r\n"));
    for (qsizetype p = 0; p < paragraphs.size(); ++p) {
        if (p > 0)
            m_lines.addLineBreak();
        QStringView rest(paragraphs[p]);
        if (rest.isEmpty() && p + 1 == paragraphs.size())
            continue; // the empty line after a final break, or the one line of an empty box
        do {
            qsizetype cut = rest.size();
            if (m_width > 0 && rest.size() > m_width) {
                const qsizetype space = rest.left(m_width + 1).lastIndexOf(u' ');
                cut = space > 0 ? space + 1 : m_width;
            }
            m_lines.addLine(rest.left(cut));
            rest = rest.mid(cut);
        } while (!rest.isEmpty());
    }
}
