#include "FieldTextEdit.h"

FieldTextEdit::FieldTextEdit(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
}

void FieldTextEdit::setFieldText(const QString &text)
{
    m_shown = text;
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(lines);
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
