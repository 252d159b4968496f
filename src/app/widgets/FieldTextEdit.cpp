#include "app/widgets/FieldTextEdit.h"

#include "app/widgets/FieldTextLayout.h"

#include <QCoreApplication>
#include <QPlainTextDocumentLayout>
#include <QResizeEvent>
#include <QTextBlock>
#include <QTextLayout>

FieldTextEdit::FieldTextEdit(QWidget *parent)
    : QPlainTextEdit(parent)
{
    // The box's own document, set up as Qt sets up the one it makes, with a layout of our own.
    auto *text = new QTextDocument(this);
    text->setDocumentLayout(new FieldTextLayout(text));
    text->documentLayout()->setPaintDevice(viewport());
    text->setDefaultFont(font());
    setDocument(text);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    connect(document(), &QTextDocument::contentsChange, this, [this] { m_lines.reset(); });
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_settingText)
            emit edited();
    });
}

void FieldTextEdit::setFieldText(const QString &text)
{
    // Setting the text lays it out; do it at the width the box will be shown at, not twice.
    handlePendingResize();
    m_shown = text;
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_settingText = true;
    setPlainText(lines);
    m_settingText = false;
    document()->setModified(false);
}

QString FieldTextEdit::fieldText() const
{
    if (!document()->isModified())
        return m_shown;
    // toRawText keeps no-break spaces, which toPlainText would turn into plain ones.
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    return text;
}

QString FieldTextEdit::text()
{
    return displayedLines().text();
}

qint32 FieldTextEdit::lineCount()
{
    return displayedLines().lineCount();
}

qint32 FieldTextEdit::lineIndex(qint16 line)
{
    return displayedLines().lineIndex(line);
}

qint32 FieldTextEdit::lineLength(qint16 index)
{
    return displayedLines().lineLength(index);
}

void FieldTextEdit::handlePendingResize()
{
    ensurePolished();
    // A box sized while hidden handles its size only when first shown, and until then its text
    // is laid out at no width at all; handle it now, as showing it would. The box lays out its
    // viewport on its own resize, and lays out its text on the viewport's.
    for (QWidget *widget : {static_cast<QWidget *>(this), viewport()}) {
        if (widget->testAttribute(Qt::WA_PendingResizeEvent)) {
            widget->setAttribute(Qt::WA_PendingResizeEvent, false);
            QResizeEvent resize(widget->size(), QSize());
            QCoreApplication::sendEvent(widget, &resize);
        }
    }
}

void FieldTextEdit::layOutAllBlocks()
{
    // Qt lays blocks out only when they are drawn or measured; measuring one lays it out.
    auto *layout = qobject_cast<QPlainTextDocumentLayout *>(document()->documentLayout());
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (layout && block.layout()->lineCount() == 0)
            layout->blockBoundingRect(block);
    }
}

const DisplayedLines &FieldTextEdit::displayedLines()
{
    handlePendingResize();
    const qreal width = viewport()->width(); // the width the text is laid out at
    // The printing code asks once per line: answer from the lines worked out for this text,
    // width and font, so reading every line of a long box stays linear.
    if (m_lines && width == m_linesWidth && font() == m_linesFont)
        return *m_lines;

    layOutAllBlocks();
    DisplayedLines lines;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block != document()->begin())
            lines.addLineBreak();
        const QString text = block.text();
        const QTextLayout *layout = block.layout();
        bool lineSeparatorEnded = false;
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            QStringView piece = QStringView(text).mid(line.textStart(), line.textLength());
            // An empty line the layout adds after a line separator is the one the break opens.
            if (piece.isEmpty() && lineSeparatorEnded)
                continue;
            lineSeparatorEnded = piece.endsWith(QChar::LineSeparator);
            if (lineSeparatorEnded)
                piece.chop(1);
            lines.addLine(piece);
            if (lineSeparatorEnded)
                lines.addLineBreak();
        }
        if (layout->lineCount() == 0)
            lines.addLine({});
    }
    m_lines = std::move(lines);
    m_linesWidth = width;
    m_linesFont = font();
    return *m_lines;
}
