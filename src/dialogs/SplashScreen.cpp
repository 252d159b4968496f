#include "dialogs/SplashScreen.h"

#include "dialogs/FormLayout.h"
#include "dialogs/ScreenCentring.h"
#include "resources/AppInfo.h"
#include "resources/Pictures.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QWindow>
#include <qdrawutil.h>

namespace {

QLabel *addLabel(QWidget *parent, const char *objectName, const QString &text, const QRect &geometry,
                 qreal points = 8.25, bool bold = false)
{
    QLabel *label = FormLayout::addLabel(parent, objectName, text, geometry);
    label->setFont(FormLayout::font(points, bold));
    return label;
}

} // namespace

SplashScreen::SplashScreen(QWidget *parent)
    : QWidget(parent,
              Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput)
{
    setObjectName(QStringLiteral("splashScreen"));
    setAccessibleName(tr("%1 is starting").arg(AppInfo::title())); // it has no title to go by
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFont(FormLayout::font());

    // A frameless window gets no frame from the window manager: paintEvent() draws it around the
    // client area, which also clips the checkerboard that is a little larger than the area.
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    client->setGeometry(QRect(QPoint(FrameWidth, FrameWidth), FormLayout::rect(0, 0, 7365, 4620).size()));
    setFixedSize(client->size() + QSize(2 * FrameWidth, 2 * FrameWidth));

    QLabel *background = FormLayout::addLabel(client, "background", QString(), FormLayout::rect(0, 0, 7380, 4650));
    background->setPixmap(Pictures::checkerboard());
    background->setScaledContents(true);
    background->setAccessibleName(tr("Red and white checkerboard"));

    auto *frame = new QGroupBox(client);
    frame->setObjectName(QStringLiteral("frame"));
    frame->setAutoFillBackground(true);
    frame->setGeometry(FormLayout::rect(240, 240, 6900, 4095));

    QLabel *logo = FormLayout::addLabel(frame, "logo", QString(), FormLayout::rect(120, 360, 2400, 2250));
    logo->setPixmap(Pictures::logo());
    logo->setAccessibleName(tr("Kettlebay logo"));

    // Labels that take the size of their text keep their left and top edges.
    addLabel(frame, "companyProductLabel", QStringLiteral("Kettlebay"), FormLayout::rect(2505, 765, 2805, 435), 18,
             true)
        ->adjustSize();
    addLabel(frame, "productLabel", AppInfo::title(), FormLayout::rect(2670, 1200, 1095, 360), 13.5, true)
        ->adjustSize();
    QLabel *platform
        = addLabel(frame, "platformLabel", tr("Platform"), FormLayout::rect(5280, 1680, 1140, 360), 13.5, true);
    QLabel *version
        = addLabel(frame, "versionLabel", AppInfo::versionLine(), FormLayout::rect(5280, 2040, 930, 300), 12, true);
    for (QLabel *label : {platform, version}) {
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->adjustSize();
    }
    addLabel(frame, "copyrightLabel", AppInfo::copyrightNotice(), FormLayout::rect(3840, 2400, 1935, 255));
    addLabel(frame, "companyLabel", QStringLiteral("Kettlebay"), FormLayout::rect(3840, 2640, 2175, 255));
    addLabel(frame, "warningLabel", AppInfo::warningNotice(), FormLayout::rect(300, 3120, 5775, 675))
        ->setWordWrap(true);

    ScreenCentring::centre(this);
}

void SplashScreen::showAndPaint()
{
    show();
    QElapsedTimer waited;
    waited.start();
    while (!(windowHandle() && windowHandle()->isExposed()) && waited.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    repaint();
}

void SplashScreen::paintEvent(QPaintEvent *)
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
