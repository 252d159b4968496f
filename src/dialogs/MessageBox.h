#pragma once

#include <QString>

#include <functional>

class QWidget;

// Every message box and question of the program goes through here. The text is always shown as
// plain text, so recipe names and search texts with "<" or "&" appear as typed. Tests install a
// handler that sees each request and answers it instead of a user.
class MessageBox
{
public:
    enum Button { Ok = 0x1, Yes = 0x2, No = 0x4 };
    enum Icon { NoIcon, Information };

    struct Request
    {
        QString text;
        QString caption;
        int buttons = Ok;
        Button defaultButton = Ok;
        Icon icon = NoIcon;
    };
    using Handler = std::function<Button(const Request &)>;

    static Button show(QWidget *parent, const Request &request);

    // OK only; the caption defaults to the program's title.
    static void message(QWidget *parent, const QString &text, const QString &caption = {}, Icon icon = NoIcon);
    // Yes and No, no icon, the program's title as caption; true for Yes.
    static bool askYesNo(QWidget *parent, const QString &question, Button defaultButton);

    static void setTestHandler(Handler handler);
    // While nobody is there to answer (the session is ending), messages are logged instead of
    // shown and questions take their default answer.
    static void setUnattended(bool unattended);

private:
    static Handler &testHandler();
    static bool s_unattended;
};
