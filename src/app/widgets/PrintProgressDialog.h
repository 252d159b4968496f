#pragma once

#include "print/PrintProgress.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>

#include <memory>

class QProgressDialog;
class QWidget;

// What the user sees of a long print: a wait cursor from the start and, once the print has run
// for `delayMs`, a progress dialog whose Cancel stops it. Events are handled only while the
// dialog is up; it is modal, so nothing else of the window can be used meanwhile.
class PrintProgressDialog : public PrintProgress
{
    Q_DECLARE_TR_FUNCTIONS(PrintProgressDialog)

public:
    explicit PrintProgressDialog(QWidget *parent, int delayMs = 1000);
    ~PrintProgressDialog() override;

    bool cancelled(int printed, int total) override;

    // Null until the dialog has come up.
    QProgressDialog *dialog() const { return m_dialog.get(); }

private:
    QPointer<QWidget> m_parent;
    int m_delayMs;
    QElapsedTimer m_running;
    QElapsedTimer m_sinceUpdate;
    std::unique_ptr<QProgressDialog> m_dialog;
};
