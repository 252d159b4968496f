#pragma once

#include "dialogs/MessageBox.h"

#include <QStringList>

#include <functional>

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
            return !answers.isEmpty()              ? answers.takeFirst()
                : request.buttons & MessageBox::No ? MessageBox::No
                                                   : MessageBox::Ok;
        });
    }
    ~PromptRecorder() { MessageBox::setAnswerer(nullptr); }
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
