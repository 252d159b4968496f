#pragma once

#include <QString>
#include <QtGlobal>

// A multi-line text as a box shows it, as the printing code queries it: its text and its lines as
// the box displays them at that moment, each line break of the text and each word-wrap ending a
// line.
// Character indexes count every character of text() from 0, both characters of each CR LF
// line break included. Line numbers and character indexes are handed over as 16-bit values.
class DisplayedText
{
public:
    virtual ~DisplayedText() = default;

    // The whole text, with CR LF line breaks.
    virtual QString text() = 0;
    // At least 1: an empty box has one line, and a text ending in a line break an empty last one.
    virtual qint32 lineCount() = 0;
    // The index at which the line begins; -1 when there is no such line.
    virtual qint32 lineIndex(qint16 line) = 0;
    // The length of the line holding the index, its line break not counted; 0 for an index that
    // lies outside the text.
    virtual qint32 lineLength(qint16 index) = 0;
};
