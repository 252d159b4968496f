#include "app/widgets/FieldLineEdit.h"

#include <limits>

FieldLineEdit::FieldLineEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setMaxLength(std::numeric_limits<int>::max());
    connect(this, &QLineEdit::textEdited, this, &FieldLineEdit::edited);
}

void FieldLineEdit::setFieldText(const QString &text)
{
    m_shown = text;
    setText(text);
    setModified(false);
    setCursorPosition(0);
}

QString FieldLineEdit::fieldText() const
{
    return isModified() ? text() : m_shown;
}
