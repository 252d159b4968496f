#pragma once

#include <QDialog>

class QLabel;

// The About box: the logo, the title and version, a description and the warning notice, with "OK"
// and "&System Info...", which starts the desktop's system information tool. Created afresh for
// every showing.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    // The system information tool is looked for in `toolPaths` (by default the folders on the PATH).
    explicit AboutDialog(QWidget *owner, const QStringList &toolPaths = {});

    // Starts the system information tool, or says that it is unavailable.
    void startSystemInfo();

private:
    QStringList m_toolPaths;
};
