#include "dialogs/frmAbout.h"

#include "resources/AppInfo.h"
#include "dialogs/FormLayout.h"
#include "dialogs/LineControl.h"
#include "resources/Pictures.h"
#include "dialogs/ProgramLauncher.h"
#include "dialogs/Registry.h"

#include <QLabel>
#include <QPushButton>

frmAbout::frmAbout(QWidget *owner, Registry &registry, ProgramLauncher &launcher)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                         | Qt::WindowCloseButtonHint)
    , m_sysInfo(registry, launcher)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowIcon(Pictures::programIcon());
    setFont(FormLayout::font());
    // Not centred: the client area stands at a fixed place on the screen.
    setGeometry(FormLayout::rect(2340, 1935, 5730, 3555));
    setFixedSize(size());

    auto *image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setPixmap(Pictures::logo());
    image1->setGeometry(FormLayout::rect(0, 0, 2400, 2250));

    lblTitle = label(this, "lblTitle", QStringLiteral("Application Title"), FormLayout::rect(3840, 240, 1725, 360),
                     true);
    lblVersion = label(this, "lblVersion", QStringLiteral("Version"), FormLayout::rect(3840, 600, 1845, 225), false);
    label(this, "lblDescription",
          QStringLiteral("Larderly - Store your recipes in an easy to access file system. Compliments of Kettlebay"),
          FormLayout::rect(2400, 960, 3285, 1170), true)
        ->setWordWrap(true);

    // The etched rule between the description and the notice: grey above, white below.
    new LineControl("Line1", 1, QPoint(90, 2445), QPoint(5654, 2445), QColor(0x80, 0x80, 0x80), 1, this);
    new LineControl("Line1", 0, QPoint(105, 2460), QPoint(5654, 2460), QColor(0xFF, 0xFF, 0xFF), 2, this);

    label(this, "lblDisclaimer", AppInfo::warningNotice(), FormLayout::rect(255, 2625, 3870, 825), true)
        ->setWordWrap(true);

    // OK is the default button; Esc closes the dialog as QDialog does wherever the focus is.
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(FormLayout::rect(4245, 2625, 1260, 345));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setGeometry(FormLayout::rect(4260, 3075, 1245, 345));
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    setTabOrder(cmdOK, cmdSysInfo);
    setTabOrder(cmdSysInfo, cmdOK);
    cmdOK->setFocus();

    Form_Load();
}

QLabel *frmAbout::label(QWidget *parent, const char *name, const QString &text, const QRect &geometry, bool black)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(geometry);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (black) {
        QPalette palette = l->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        l->setPalette(palette);
    }
    return l;
}

void frmAbout::Form_Load()
{
    setWindowTitle(QStringLiteral("About ") + AppInfo::title());
    lblVersion->setText(AppInfo::versionLine());
    lblTitle->setText(AppInfo::title());
}

void frmAbout::cmdOK_Click()
{
    close();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::StartSysInfo()
{
    m_sysInfo.StartSysInfo(this);
}

bool frmAbout::GetKeyValue(quint32 KeyRoot, const QString &KeyName, const QString &SubKeyRef, QString &KeyVal)
{
    return m_sysInfo.GetKeyValue(KeyRoot, KeyName, SubKeyRef, KeyVal);
}
