#include "dialogs/frmSplash.h"

#include "resources/AppInfo.h"
#include "dialogs/FormLayout.h"
#include "resources/Pictures.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <qdrawutil.h>

frmSplash::frmSplash(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus
                          | Qt::WindowTransparentForInput)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFont(FormLayout::font());

    // A frameless window gets no frame from the window manager: paintEvent() draws it around the
    // client area, which also clips the checkerboard that is a little larger than the area.
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    client->setGeometry(QRect(QPoint(FrameWidth, FrameWidth), FormLayout::rect(0, 0, 7365, 4620).size()));
    setFixedSize(client->size() + QSize(2 * FrameWidth, 2 * FrameWidth));

    auto *image2 = new QLabel(client);
    image2->setObjectName(QStringLiteral("Image2"));
    image2->setPixmap(Pictures::checkerboard());
    image2->setScaledContents(true);
    image2->setGeometry(FormLayout::rect(0, 0, 7380, 4650));

    auto *frame = new QGroupBox(client);
    frame->setObjectName(QStringLiteral("fraMainFrame"));
    frame->setAutoFillBackground(true);
    frame->setGeometry(FormLayout::rect(240, 240, 6900, 4095));

    auto *image1 = new QLabel(frame);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setPixmap(Pictures::logo());
    image1->setGeometry(FormLayout::rect(120, 360, 2400, 2250));

    QLabel *company = label(frame, "lblCompanyProduct", QStringLiteral("Kettlebay"), FormLayout::rect(2505, 765, 2805, 435), 18, true);
    lblProductName = label(frame, "lblProductName", QStringLiteral("Product"), FormLayout::rect(2670, 1200, 1095, 360), 13.5, true);
    QLabel *platform = label(frame, "lblPlatform", QStringLiteral("Platform"), FormLayout::rect(5280, 1680, 1140, 360), 13.5, true);
    lblVersion = label(frame, "lblVersion", QStringLiteral("Version"), FormLayout::rect(5280, 2040, 930, 300), 12, true);
    label(frame, "lblCopyright", AppInfo::copyrightNotice(), FormLayout::rect(3840, 2400, 1935, 255));
    label(frame, "lblCompany", QStringLiteral("Kettlebay"), FormLayout::rect(3840, 2640, 2175, 255));
    QLabel *warning = label(frame, "lblWarning", AppInfo::warningNotice(), FormLayout::rect(300, 3120, 5775, 675));
    warning->setWordWrap(true);
    platform->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblVersion->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Auto-sized labels take the size of their text; their left and top edges stay put.
    company->adjustSize();
    platform->adjustSize();

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    Form_Load();
}

QLabel *frmSplash::label(QWidget *parent, const char *name, const QString &text, const QRect &geometry,
                         qreal points, bool bold)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setFont(FormLayout::font(points, bold));
    l->setGeometry(geometry);
    return l;
}

void frmSplash::Form_Load()
{
    lblVersion->setText(AppInfo::versionLine());
    lblProductName->setText(AppInfo::title());
    lblVersion->adjustSize();
    lblProductName->adjustSize();
}

void frmSplash::showAndPaint()
{
    show();
    QElapsedTimer waited;
    waited.start();
    while (!(windowHandle() && windowHandle()->isExposed()) && waited.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    repaint();
}

void frmSplash::paintEvent(QPaintEvent *)
{
    // The classic raised dialog frame in its classic colours, whatever the desktop's theme: light
    // grey and white lines at the top and left, black and dark grey at the bottom and right, and a
    // line of button face inside them.
    QPalette classic;
    classic.setColor(QPalette::Light, QColor(0xDF, 0xDF, 0xDF));
    classic.setColor(QPalette::Midlight, Qt::white);
    classic.setColor(QPalette::Shadow, Qt::black);
    classic.setColor(QPalette::Dark, QColor(0x80, 0x80, 0x80));
    const QBrush face(QColor(0xC0, 0xC0, 0xC0));
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), classic, false, &face);
}
