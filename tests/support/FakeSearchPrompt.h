#pragma once

#include "SearchPrompt.h"

#include <QList>

#include <memory>

// A search dialog that answers from a script. Copies share the script, so a test keeps one copy
// while the main window's logic owns another.
class FakeSearchPrompt : public SearchPrompt
{
public:
    struct Answer
    {
        bool ok;
        bool findFirst;
        QString text;
    };
    struct Script
    {
        QList<Answer> answers;
        int shown = 0;
        int created = 0;
    };

    FakeSearchPrompt() : m_script(std::make_shared<Script>()) {}

    Script &script() { return *m_script; }

    std::unique_ptr<SearchPrompt> make() const
    {
        ++m_script->created;
        return std::make_unique<FakeSearchPrompt>(*this);
    }

    bool GetSearchStr(bool &bFindFirst, QString &strFindWhat) override
    {
        ++m_script->shown;
        if (m_script->answers.isEmpty())
            return false;
        const Answer answer = m_script->answers.takeFirst();
        if (answer.ok) {
            bFindFirst = answer.findFirst;
            strFindWhat = answer.text;
        }
        return answer.ok;
    }

private:
    std::shared_ptr<Script> m_script;
};
