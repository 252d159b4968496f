#include "PromptRecorder.h"

PromptRecorder::PromptRecorder()
{
    MessageBox::setTestHandler([this](const MessageBox::Request &request) {
        m_requests << request;
        if (m_check)
            m_check(request);
        if (!m_answers.isEmpty())
            return m_answers.takeFirst();
        return (request.buttons & MessageBox::No) ? MessageBox::No : MessageBox::Ok;
    });
}

PromptRecorder::~PromptRecorder()
{
    MessageBox::setTestHandler(nullptr);
}

QStringList PromptRecorder::texts() const
{
    QStringList result;
    for (const MessageBox::Request &request : m_requests)
        result << request.text;
    return result;
}
