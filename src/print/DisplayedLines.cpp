#include "print/DisplayedLines.h"

#include <algorithm>

void DisplayedLines::addLine(QStringView line)
{
    m_lines.push_back({qint32(m_text.size()), qint32(line.size())});
    m_text += line;
    m_lineOpen = false;
}

void DisplayedLines::addLineBreak()
{
    if (m_lines.empty() || m_lineOpen)
        addLine({}); // a break with no line before it ends an empty line
    m_text += QStringLiteral("\r\n");
    m_lineOpen = true;
}

qint32 DisplayedLines::lineCount() const
{
    // The empty line after a final line break, or the one line of an empty box.
    return qint32(m_lines.size()) + ((m_lineOpen || m_lines.empty()) ? 1 : 0);
}

qint32 DisplayedLines::lineIndex(qint16 line) const
{
    if (line < 0 || line >= lineCount())
        return -1;
    return size_t(line) < m_lines.size() ? m_lines[size_t(line)].start : qint32(m_text.size());
}

qint32 DisplayedLines::lineLength(qint16 index) const
{
    if (index < 0 || index > m_text.size() || m_lines.empty())
        return 0;
    // The last line that starts at or before the index; an index inside a line break belongs to
    // the line the break ends.
    auto after = std::upper_bound(m_lines.begin(), m_lines.end(), qint32(index),
                                  [](qint32 i, const Line &line) { return i < line.start; });
    if (after == m_lines.begin())
        return 0;
    const Line &line = *(after - 1);
    if (m_lineOpen && after == m_lines.end() && index >= line.start + line.length + 2)
        return 0; // the empty line after the final break
    return line.length;
}
