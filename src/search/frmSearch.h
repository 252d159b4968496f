#pragma once

#include "search/SearchPrompt.h"

#include <QDialog>
#include <QPointer>

class QLineEdit;
class QWidget;

// The search dialog. The object lives for the rest of the run once created; its window is built
// afresh, with an empty box, every time it is shown, and destroyed when it closes.
class frmSearch : public SearchPrompt
{
public:
    explicit frmSearch(QWidget *owner = nullptr);
    ~frmSearch() override;

    bool GetSearchStr(bool &bFindFirst, QString &strFindWhat) override;

    // The window while it is on view (tests drive it), otherwise null.
    QDialog *window() const { return m_window; }

private:
    void createWindow();
    void Form_Load();
    void cmdFindFirst_Click();
    void cmdFindNext_Click();
    void cmdCancel_Click();

    QWidget *m_owner;
    QPointer<QDialog> m_window;
    QLineEdit *txtFindWhat = nullptr;
    bool mOK = false;
    bool mFindFirst = false;
    QString mFindText;
};
