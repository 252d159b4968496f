#pragma once

#include "MessageBox.h"

#include <QList>
#include <QStringList>

#include <functional>

// Answers every message box and question in place of a user while it exists, and records them.
// Answers are taken from a queue; with the queue empty a message gets OK and a question No.
class PromptRecorder
{
public:
    PromptRecorder();
    ~PromptRecorder();

    void answerNext(MessageBox::Button answer) { m_answers << answer; }
    // Runs while a box is on view, before it is answered (to look at the screen at that moment).
    void onShow(std::function<void(const MessageBox::Request &)> check) { m_check = std::move(check); }

    const QList<MessageBox::Request> &requests() const { return m_requests; }
    QStringList texts() const;
    void clear() { m_requests.clear(); }

private:
    QList<MessageBox::Request> m_requests;
    QList<MessageBox::Button> m_answers;
    std::function<void(const MessageBox::Request &)> m_check;
};
