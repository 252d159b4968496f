#pragma once

#include <QPlainTextEdit>

// A multi-line box for the ingredients or the directions: wraps words at its width, scrolls only
// vertically, and Tab moves on to the next control. Fields keep CR LF line breaks while Qt's
// text uses LF, so they are converted at the box; a field shown and not edited is handed back
// exactly as it was set, whatever line breaks it held.
class FieldTextEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit FieldTextEdit(QWidget *parent = nullptr);

    void setFieldText(const QString &text);
    QString fieldText() const;

private:
    QString m_shown;
};
