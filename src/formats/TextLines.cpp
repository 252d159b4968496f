#include "formats/TextLines.h"

#include <algorithm>
#include <limits>

using TextLines::isBlank;
using TextLines::trimmedRight;

namespace {

constexpr qsizetype NarrowestWrap = 50;

bool beginsListItem(QStringView line)
{
    line = line.trimmed();
    if (line.size() >= 2 && (line[0] == u'-' || line[0] == u'*' || line[0] == u'•') && line[1] == u' ')
        return true;
    qsizetype digits = 0;
    while (digits < line.size() && digits < 4 && line[digits].isDigit())
        ++digits;
    return digits > 0 && digits < 4 && line.size() > digits + 1 && (line[digits] == u'.' || line[digits] == u')')
        && line[digits + 1] == u' ';
}

} // namespace

bool TextLines::isBlank(QStringView line)
{
    return line.trimmed().isEmpty();
}

QStringView TextLines::trimmedRight(QStringView line)
{
    qsizetype end = line.size();
    while (end > 0 && line[end - 1].isSpace())
        --end;
    return line.left(end);
}

QList<QStringView> TextLines::split(QStringView text)
{
    QList<QStringView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines << text.sliced(start, i - start);
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines << text.sliced(start);
    return lines;
}

bool TextLines::continues(QStringView previous, QStringView line, qsizetype width)
{
    if (isBlank(previous) || isBlank(line) || beginsListItem(line))
        return false;
    const QStringView words = line.trimmed();
    const qsizetype blank = words.indexOf(u' ');
    const qsizetype firstWord = blank < 0 ? words.size() : blank;
    return trimmedRight(previous).size() + 1 + firstWord > width;
}

template<typename Lines>
qsizetype TextLines::wrapWidth(const Lines &lines)
{
    qsizetype width = 0;
    for (const auto &line : lines)
        width = std::max(width, trimmedRight(line).size());
    return width < NarrowestWrap ? std::numeric_limits<qsizetype>::max() / 2 : width;
}

template qsizetype TextLines::wrapWidth(const QStringList &lines);
template qsizetype TextLines::wrapWidth(const QList<QStringView> &lines);

QStringList TextLines::unwrap(const QStringList &lines)
{
    const qsizetype width = wrapWidth(lines);
    QStringList out;
    QStringView previous;
    for (const QString &text : lines) {
        const QStringView line = trimmedRight(text);
        if (line.isEmpty()) {
            if (!out.isEmpty() && !out.constLast().isEmpty())
                out << QString();
        } else if (!out.isEmpty() && continues(previous, line, width)) {
            out.last() += u' ' + line.trimmed();
        } else {
            out << line.toString();
        }
        previous = line;
    }
    if (!out.isEmpty() && out.constLast().isEmpty())
        out.removeLast();
    return out;
}

QList<QStringView> TextLines::wrap(QStringView line, qsizetype width)
{
    QList<QStringView> pieces;
    QStringView rest = trimmedRight(line);
    while (rest.size() > width) {
        qsizetype cut = rest.left(width + 1).lastIndexOf(u' ');
        // A piece that began like a list item would not be joined to the one before when read back.
        while (cut > 0 && beginsListItem(rest.sliced(cut + 1))) {
            const qsizetype earlier = rest.left(cut).lastIndexOf(u' ');
            if (earlier <= 0 || rest.left(earlier).trimmed().isEmpty())
                break;
            cut = earlier;
        }
        if (cut <= 0 || rest.left(cut).trimmed().isEmpty()) {
            // Cut the word, but not between the two halves of a character beyond the BMP.
            const qsizetype at = rest[width - 1].isHighSurrogate() && width > 1 ? width - 1 : width;
            pieces << rest.left(at);
            rest = rest.sliced(at);
        } else {
            pieces << trimmedRight(rest.left(cut));
            rest = rest.sliced(cut + 1);
        }
    }
    pieces << rest;
    return pieces;
}
