#include "app/widgets/FieldTextLayout.h"

#include <QFontMetrics>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextDocument>
#include <QTextLayout>

#include <climits>
#include <cmath>

namespace {

// From this many characters on, a word that starts a line is first broken anywhere. Any value
// gives the same lines: a small one lays ordinary lines out twice, a large one lets every line
// inside a long word look that far ahead for its end.
constexpr int LongWord = 64;

// Breaking anywhere, Qt counts the overhang of a line's last glyph; fitting a word whole, it does
// not. A word that ends this many characters past a line broken anywhere may still fit whole.
constexpr int Overhang = 4;

// Where the word that starts a line ends: at the first line break opportunity or space after the
// line's start. Qt's layout never finds a word's end later than this. Line starts only grow
// within a block, so no part of the text is searched twice.
class WordEnds
{
public:
    explicit WordEnds(const QString &text)
        : m_text(text)
        , m_breaks(QTextBoundaryFinder::Line, text)
    { }

    int after(int start)
    {
        if (m_end > start)
            return m_end;
        for (m_end = start + 1; m_end < m_text.size(); ++m_end) {
            const QChar c = m_text.at(m_end);
            if (c.isSpace() || c == QChar::ObjectReplacementCharacter)
                break;
            m_breaks.setPosition(m_end);
            if (m_breaks.isAtBoundary())
                break;
        }
        return m_end;
    }

private:
    QString m_text;
    QTextBoundaryFinder m_breaks;
    int m_end = 0;
};

// Whether the word that starts a line broken anywhere may still fit on it whole: no more than a few
// characters of it lie past the line's end but such as take no room (zero-width spaces, soft
// hyphens, combining marks), which Qt fits onto a full line.
bool mayFitWhole(const QString &text, int lineEnd, int wordEnd)
{
    int wide = 0;
    for (int i = lineEnd; i < wordEnd && wide <= Overhang; ++i) {
        const QChar::Category category = text.at(i).category();
        wide += category != QChar::Other_Format && category != QChar::Mark_NonSpacing
            && category != QChar::Mark_Enclosing;
    }
    return wide <= Overhang;
}

} // namespace

FieldTextLayout::FieldTextLayout(QTextDocument *document)
    : QPlainTextDocumentLayout(document)
{ }

QRectF FieldTextLayout::blockBoundingRect(const QTextBlock &block) const
{
    // The base class lays a block out here when it has no lines; give it its lines first.
    if (block.isValid() && block.layout()->lineCount() == 0)
        const_cast<FieldTextLayout *>(this)->layOutBlock(block);
    return QPlainTextDocumentLayout::blockBoundingRect(block);
}

void FieldTextLayout::documentChanged(int from, int charsRemoved, int charsAdded)
{
    // Of the changes the base class handles, only one within a single block has it lay the block
    // out itself: do what it does there, with this layout. It only clears the layouts of others.
    const QTextDocument *doc = document();
    const QTextBlock block = doc->findBlock(from);
    const bool oneBlock = block == doc->findBlock(qMax(0, from + charsRemoved + charsAdded - 1));
    if (!oneBlock || doc->blockCount() != m_blockCount || !block.isValid() || block.length() == 0) {
        QPlainTextDocumentLayout::documentChanged(from, charsRemoved, charsAdded);
        m_blockCount = doc->blockCount();
        return;
    }
    const bool cleared = block.layout()->lineCount() == 0;
    const qreal oldHeight = blockBoundingRect(block).height(); // lays a cleared block out
    if (!cleared)
        layOutBlock(block);
    if (blockBoundingRect(block).height() == oldHeight)
        emit updateBlock(block);
    else
        emit update(QRectF(0., -doc->documentMargin(), 1000000000., 1000000000.));
}

void FieldTextLayout::layOutBlock(const QTextBlock &block)
{
    QTextDocument *doc = document();
    const qreal margin = doc->documentMargin();
    QTextLayout *layout = block.layout();
    const QTextOption option = doc->defaultTextOption();
    layout->setTextOption(option);
    QTextOption anywhere = option;
    anywhere.setWrapMode(QTextOption::WrapAnywhere);
    const bool wordsFirst = option.wrapMode() == QTextOption::WrapAtWordBoundaryOrAnywhere;

    int extraMargin = 0;
    if (option.flags() & QTextOption::AddSpaceForLineAndParagraphSeparators)
        extraMargin = QFontMetrics(block.charFormat().font()).horizontalAdvance(QChar(0x21B5));
    // The width the box lays its text out at: the frame is that wide, as only the base class's own
    // block layout, which never runs here, widens it for a line wider still.
    qreal width = frameBoundingRect(nullptr).width();
    if (width <= 0)
        width = qreal(INT_MAX); // laid out at no width: one line per paragraph
    width -= 2 * margin + extraMargin;

    QString text = block.text(); // as the layout holds it, with any text being composed
    if (!layout->preeditAreaText().isEmpty())
        text.insert(layout->preeditAreaPosition(), layout->preeditAreaText());
    WordEnds words(text);

    qreal height = 0;
    layout->beginLayout();
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLeadingIncluded(true);
        const int start = line.textStart();
        if (wordsFirst && words.after(start) - start >= LongWord) {
            layout->setTextOption(anywhere);
            line.setLineWidth(width);
            layout->setTextOption(option);
            // The word may fit: break at the words instead, which breaks anywhere again when it does not.
            if (mayFitWhole(text, line.textStart() + line.textLength(), words.after(start)))
                line.setLineWidth(width);
        } else {
            line.setLineWidth(width);
        }
        line.setPosition(QPointF(margin, height));
        height += line.height();
        if (line.leading() < 0)
            height += std::ceil(line.leading());
    }
    layout->endLayout();

    const int lineCount = doc->lineCount();
    QTextBlock laidOut = block;
    laidOut.setLineCount(block.isVisible() ? layout->lineCount() : 0);
    if (doc->lineCount() != lineCount)
        emit documentSizeChanged(documentSize());
}
