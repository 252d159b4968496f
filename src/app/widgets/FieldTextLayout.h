#pragma once

#include <QPlainTextDocumentLayout>

// The layout of a FieldTextEdit's text: the lines QPlainTextDocumentLayout gives (words wrap at
// the width, a word wider than a line breaks anywhere), in time that grows with the text's length.
// It mirrors QPlainTextDocumentLayout::layoutBlock() and the line breaking of QTextLine::layout_helper()
// (src/gui/text/qtextlayout.cpp) of Qt 6.4.2, whose lines it must give exactly: the fuzz target
// fuzz_layout compares the two, and a newer Qt is to be checked against it again.
//
// Qt breaks such a word anywhere only after it has measured the whole word and found it does not
// fit, and it measures the rest of the word again for every line it breaks from it: a paragraph
// that is one long unbroken run takes time that grows with the square of its length (minutes for
// a few megabytes). Here each line that starts in a long word is first broken anywhere, and that
// line is kept when the word does not end within it, which is where Qt would break it too.
class FieldTextLayout : public QPlainTextDocumentLayout
{
    Q_OBJECT

public:
    explicit FieldTextLayout(QTextDocument *document);

    QRectF blockBoundingRect(const QTextBlock &block) const override;

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override;

private:
    void layOutBlock(const QTextBlock &block);

    int m_blockCount = 1; // the block count the base class holds
};
