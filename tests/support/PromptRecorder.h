#pragma once

#include "dialogs/MessageBox.h"

#include <QStringList>
#include <QTest>

#include <functional>

// A message box that no test expected fails the test that shows it, at once: nobody is there to
// answer it.
inline MessageBox::Button unexpectedMessage(const MessageBox::Request &request)
{
    QTest::qFail(qPrintable("an unexpected message: " + request.text), __FILE__, __LINE__);
    return request.buttons & MessageBox::No ? MessageBox::No : MessageBox::Ok;
}
inline const bool unexpectedMessagesFail = (MessageBox::setAnswerer(unexpectedMessage), true);

// Answers every message box and question in place of a user while it exists, from `answers` (none
// left: OK, or No to a question), and keeps what was asked.
struct PromptRecorder
{
    PromptRecorder()
    {
        MessageBox::setAnswerer([this](const MessageBox::Request &request) {
            requests << request;
            if (onShow)
                onShow(); // while the box is up
            if (!answers.isEmpty())
                return answers.takeFirst();
            return request.buttons & MessageBox::No ? MessageBox::No : MessageBox::Ok;
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
    std::function<void()> onShow;
};

// Real message boxes, on the screen, while it exists.
struct RealMessageBoxes
{
    RealMessageBoxes() { MessageBox::setAnswerer(nullptr); }
    ~RealMessageBoxes() { MessageBox::setAnswerer(unexpectedMessage); }
};
