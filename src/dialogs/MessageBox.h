#pragma once

#include <QString>

#include <functional>

class QWidget;

// Every message box and question of the program goes through here. The text is always shown as
// plain text, so recipe names and search texts with "<" or "&" appear as typed. Tests install an
// answerer that sees each request and answers it instead of a user.
namespace MessageBox {

enum Button { Ok = 0x1, Yes = 0x2, No = 0x4 };
enum Icon { NoIcon, Information };

struct Request
{
    QString text;
    QString caption; // empty: the program's title
    int buttons = Ok;
    Button defaultButton = Ok;
    Icon icon = NoIcon;
};
using Answerer = std::function<Button(const Request &)>;

Button show(QWidget *parent, const Request &request);

// OK only; the caption defaults to the program's title.
void message(QWidget *parent, const QString &text, const QString &caption = {}, Icon icon = NoIcon);
// Yes and No, no icon, the program's title as caption; true for Yes.
bool askYesNo(QWidget *parent, const QString &question, Button defaultButton);

// Answers every request in place of a user from now on (none: the user answers).
void setAnswerer(Answerer answerer);
// While nobody is there to answer (the session is ending), messages are logged instead of shown
// and questions take their default answer.
void setUnattended(bool unattended);

} // namespace MessageBox
