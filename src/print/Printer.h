#pragma once

#include <QString>

// The printer as the printing procedures use it, and nothing more. A document begins with its
// first output and lasts until endDocument hands it to the printer as one job or abortDocument
// discards it.
// Dividing a document into pages is the printer's own business. Every operation raises a
// RuntimeError when it fails.
class Printer
{
public:
    virtual ~Printer() = default;

    // Writes the text at the left edge of the current line in the current font size and moves to
    // the next line; each line break inside the text starts a new line at the left edge. With no
    // text it only moves on, which leaves an empty line. Nothing is word-wrapped.
    virtual void printLine(const QString &text = QString()) = 0;
    // Points; the size holds for the lines that follow, also in later documents.
    virtual void setFontSize(float points) = 0;
    virtual void endDocument() = 0;
    // Discards the document in progress; does nothing when none is open.
    virtual void abortDocument() = 0;

    // The coordinates, in twips, of the left and the top edge of the printable area. Lines start
    // at coordinate 0, so a left edge at -720 puts the text half an inch in from that edge.
    virtual void setLeftEdge(float twips) = 0;
    virtual void setTopEdge(float twips) = 0;
};
