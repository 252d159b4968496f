#include "dialogs/AboutDialog.h"

#include "dialogs/FormLayout.h"
#include "dialogs/LineWidget.h"
#include "dialogs/MessageBox.h"
#include "dialogs/SystemInfoTool.h"
#include "resources/AppInfo.h"
#include "resources/Pictures.h"

#include <QLabel>
#include <QPushButton>

namespace {

QLabel *addBlackLabel(QWidget *parent, const char *objectName, const QString &text, const QRect &geometry)
{
    QLabel *label = FormLayout::addLabel(parent, objectName, text, geometry);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    return label;
}

} // namespace

AboutDialog::AboutDialog(QWidget *owner, const QStringList &toolPaths)
    : QDialog(owner,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowCloseButtonHint)
    , m_toolPaths(toolPaths)
{
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(tr("About %1").arg(AppInfo::title()));
    setWindowIcon(Pictures::programIcon());
    setFont(FormLayout::font());
    // Not centred: the client area stands at a fixed place on the screen.
    setGeometry(FormLayout::rect(2340, 1935, 5730, 3555));
    setFixedSize(size());

    QLabel *logo = FormLayout::addLabel(this, "logo", QString(), FormLayout::rect(0, 0, 2400, 2250));
    logo->setPixmap(Pictures::logo());
    logo->setAccessibleName(tr("Kettlebay logo"));
    addBlackLabel(this, "titleLabel", AppInfo::title(), FormLayout::rect(3840, 240, 1725, 360));
    FormLayout::addLabel(this, "versionLabel", AppInfo::versionLine(), FormLayout::rect(3840, 600, 1845, 225));
    addBlackLabel(this, "descriptionLabel",
                  tr("Larderly - Store your recipes in an easy to access file system. Compliments of Kettlebay"),
                  FormLayout::rect(2400, 960, 3285, 1170))
        ->setWordWrap(true);

    // The etched rule between the description and the notice: grey above, white below.
    new LineWidget("ruleShadow", QPoint(90, 2445), QPoint(5654, 2445), QColor(0x80, 0x80, 0x80), 1, this);
    new LineWidget("ruleLight", QPoint(105, 2460), QPoint(5654, 2460), QColor(0xFF, 0xFF, 0xFF), 2, this);

    addBlackLabel(this, "warningLabel", AppInfo::warningNotice(), FormLayout::rect(255, 2625, 3870, 825))
        ->setWordWrap(true);

    // OK is the default button; Esc closes the dialog as QDialog does wherever the focus is.
    QPushButton *ok = FormLayout::addButton(this, "okButton", tr("OK"), FormLayout::rect(4245, 2625, 1260, 345));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::close);
    QPushButton *systemInfo = FormLayout::addButton(this, "systemInfoButton", tr("&System Info..."),
                                                    FormLayout::rect(4260, 3075, 1245, 345));
    connect(systemInfo, &QPushButton::clicked, this, &AboutDialog::startSystemInfo);

    setTabOrder(ok, systemInfo);
    setTabOrder(systemInfo, ok);
    ok->setFocus();
}

void AboutDialog::startSystemInfo()
{
    if (!SystemInfoTool::start(SystemInfoTool::find(m_toolPaths)))
        MessageBox::message(this, tr("System Information Is Unavailable At This Time"));
}
