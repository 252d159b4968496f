#include "app/widgets/PrintProgressDialog.h"

#include "resources/AppInfo.h"

#include <QApplication>
#include <QProgressDialog>

namespace {
constexpr int UpdateEveryMs = 50; // often enough for Cancel to answer at once
}

PrintProgressDialog::PrintProgressDialog(QWidget *parent, int delayMs)
    : m_parent(parent)
    , m_delayMs(delayMs)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_running.start();
}

PrintProgressDialog::~PrintProgressDialog()
{
    m_dialog.reset();
    QApplication::restoreOverrideCursor();
}

bool PrintProgressDialog::cancelled(int printed, int total)
{
    if (!m_dialog) {
        if (m_running.elapsed() < m_delayMs)
            return false;
        m_dialog = std::make_unique<QProgressDialog>(QString(), tr("Cancel"), 0, total, m_parent.data());
        m_dialog->setObjectName(QStringLiteral("printProgress"));
        m_dialog->setAccessibleName(tr("Printing all recipes"));
        m_dialog->setWindowTitle(AppInfo::title());
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->setMinimumDuration(0);
        m_dialog->show();
        // The dialog can be used: the cursor says busy, not "wait".
        QApplication::changeOverrideCursor(Qt::BusyCursor);
    }
    if (!m_sinceUpdate.isValid() || m_sinceUpdate.elapsed() >= UpdateEveryMs || printed >= total) {
        m_dialog->setMaximum(total);
        m_dialog->setValue(printed);
        m_dialog->setLabelText(tr("Printing recipe %1 of %2").arg(printed).arg(total));
        QCoreApplication::processEvents();
        m_sinceUpdate.start();
    }
    return m_dialog->wasCanceled();
}
