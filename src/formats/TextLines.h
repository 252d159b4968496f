#pragma once

#include <QList>
#include <QStringList>
#include <QStringView>

// Lines of text as the text archives of other recipe programs hold them: split at any line end,
// and paragraphs wrapped to the width of a screen, joined again for a box that wraps by itself.
namespace TextLines {

// Whether a line holds nothing but blanks.
bool isBlank(QStringView line);

// The line without the blanks at its end.
QStringView trimmedRight(QStringView line);

// The lines of a text, split at CR LF, LF or CR.
QList<QStringView> split(QStringView text);

// Whether a line continues the paragraph of the line before it, in text wrapped at `width`
// characters: both hold text, the line does not begin a list item ("1.", "2)", "-", "*"), and its
// first word would not have fitted at the end of the line before.
bool continues(QStringView previous, QStringView line, qsizetype width);

// The width lines were wrapped at, as unwrap() takes it: that of the longest line, or, when no line
// is 50 characters long, a width so large that the text was not wrapped at all.
template<typename Lines>
qsizetype wrapWidth(const Lines &lines);

// The lines with each wrapped paragraph joined into one line (with one blank between the pieces),
// runs of empty lines made one, and none at the start or end. Trailing blanks are dropped.
QStringList unwrap(const QStringList &lines);

// A line broken at blanks into pieces of at most `width` characters, none beginning like a list
// item where that can be helped; a word longer than `width` is cut. The pieces are parts of the
// line, without the blanks where it was broken and at its end.
QList<QStringView> wrap(QStringView line, qsizetype width);

} // namespace TextLines
