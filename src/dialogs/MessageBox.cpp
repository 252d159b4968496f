#include "dialogs/MessageBox.h"

#include "resources/AppInfo.h"

#include <QLoggingCategory>
#include <QMessageBox>
#include <QPushButton>

Q_LOGGING_CATEGORY(lcMessages, "larderly.messages", QtWarningMsg)

namespace {

MessageBox::Answerer &answerer()
{
    static MessageBox::Answerer theAnswerer;
    return theAnswerer;
}

bool unattended = false;

} // namespace

void MessageBox::setAnswerer(Answerer newAnswerer)
{
    answerer() = std::move(newAnswerer);
}

void MessageBox::setUnattended(bool isUnattended)
{
    unattended = isUnattended;
}

MessageBox::Button MessageBox::show(QWidget *parent, const Request &request)
{
    if (unattended) {
        qCWarning(lcMessages).noquote() << request.text;
        return request.defaultButton;
    }
    if (answerer())
        return answerer()(request);

    qCInfo(lcMessages).noquote() << "shows:" << request.text;
    QMessageBox box(request.icon == Information ? QMessageBox::Information : QMessageBox::NoIcon,
                    request.caption.isEmpty() ? AppInfo::title() : request.caption, request.text, QMessageBox::NoButton,
                    parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton *ok = (request.buttons & Ok) ? box.addButton(QMessageBox::Ok) : nullptr;
    QPushButton *yes = (request.buttons & Yes) ? box.addButton(QMessageBox::Yes) : nullptr;
    QPushButton *no = (request.buttons & No) ? box.addButton(QMessageBox::No) : nullptr;
    QPushButton *defaultButton = request.defaultButton == Yes ? yes : request.defaultButton == No ? no : ok;
    if (defaultButton)
        box.setDefaultButton(defaultButton);
    box.exec();
    const QAbstractButton *clicked = box.clickedButton();
    if (clicked && clicked == yes)
        return Yes;
    if (clicked && clicked == no)
        return No;
    // Esc or the close box: the answer that changes nothing.
    return (request.buttons & No) ? No : Ok;
}

void MessageBox::message(QWidget *parent, const QString &text, const QString &caption, Icon icon)
{
    show(parent, Request{text, caption, Ok, Ok, icon});
}

bool MessageBox::askYesNo(QWidget *parent, const QString &question, Button defaultButton)
{
    return show(parent, Request{question, QString(), Yes | No, defaultButton, NoIcon}) == Yes;
}
