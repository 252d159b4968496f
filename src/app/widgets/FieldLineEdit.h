#pragma once

#include <QLineEdit>

// A single-line box for one recipe field. Hands back the field's text exactly as it was set
// until the user edits it, and has no length limit.
class FieldLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit FieldLineEdit(QWidget *parent = nullptr);

    void setFieldText(const QString &text);
    QString fieldText() const;

signals:
    void edited(); // by the user

private:
    QString m_shown;
};
