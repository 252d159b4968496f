#pragma once

#include "dialogs/ProgramLauncher.h"
#include "dialogs/Registry.h"
#include "dialogs/SysInfoLookup.h"

#include <QDialog>

class QLabel;
class QPushButton;

// The About box: the logo, the title and version, a description and the warning notice, with
// "OK" and "&System Info...", which starts the system's information tool. Created afresh for every
// showing and destroyed when closed.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget *owner, Registry &registry = Registry::system(),
                      ProgramLauncher &launcher = ProgramLauncher::system());

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    void StartSysInfo();
    bool GetKeyValue(quint32 KeyRoot, const QString &KeyName, const QString &SubKeyRef, QString &KeyVal);

private:
    static QLabel *label(QWidget *parent, const char *name, const QString &text, const QRect &geometry, bool black);

    SysInfoLookup m_sysInfo;
    QLabel *lblTitle;
    QLabel *lblVersion;
    QPushButton *cmdOK;
    QPushButton *cmdSysInfo;
};
