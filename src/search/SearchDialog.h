#pragma once

#include "search/SearchPrompt.h"

#include <QCoreApplication>
#include <QPointer>

class QDialog;
class QLineEdit;
class QWidget;

// The search dialog. The object lives for the rest of the run once created; its window is built
// afresh, with an empty box, every time it is shown, and destroyed when it closes.
class SearchDialog : public SearchPrompt
{
    Q_DECLARE_TR_FUNCTIONS(SearchDialog)

public:
    explicit SearchDialog(QWidget *owner = nullptr);
    ~SearchDialog() override;

    std::optional<SearchRequest> ask() override;

    // The window while it is on view (tests drive it), otherwise null.
    QDialog *window() const { return m_window; }

private:
    void createWindow();
    void find(bool fromFirst);

    QWidget *m_owner;
    QPointer<QDialog> m_window;
    QLineEdit *m_findWhat = nullptr;
    std::optional<SearchRequest> m_request;
};
