#pragma once

#include "dialogs/MessageBox.h"

#include <QStringList>
#include <QTest>

// A message box that no test expected fails the test at once: nobody is there to answer it.
inline MessageBox::Button unexpectedMessage(const MessageBox::Request &request)
{
    QTest::qFail(qPrintable("an unexpected message: " + request.text), __FILE__, __LINE__);
    return request.buttons & MessageBox::No ? MessageBox::No : MessageBox::Ok;
}
inline const bool unexpectedMessagesFail = (MessageBox::setAnswerer(unexpectedMessage), true);

// Answers message boxes while it exists, from `answers` (then OK or No), and keeps what was asked.
struct PromptRecorder
{
    PromptRecorder()
    {
        MessageBox::setAnswerer([this](const MessageBox::Request &request) {
            requests << request;
            const MessageBox::Button none = request.buttons & MessageBox::No ? MessageBox::No : MessageBox::Ok;
            return answers.isEmpty() ? none : answers.takeFirst();
        });
    }
    ~PromptRecorder() { MessageBox::setAnswerer(unexpectedMessage); }
    QStringList texts() const
    {
        QStringList result;
        for (const MessageBox::Request &request : requests)
            result << request.text;
        return result;
    }
    QList<MessageBox::Request> requests;
    QList<MessageBox::Button> answers;
};

// Real message boxes, on the screen, while it exists.
struct RealMessageBoxes
{
    RealMessageBoxes() { MessageBox::setAnswerer(nullptr); }
    ~RealMessageBoxes() { MessageBox::setAnswerer(unexpectedMessage); }
};
