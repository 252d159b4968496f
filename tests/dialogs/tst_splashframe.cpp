#include "frmSplash.h"

#include <QtTest>
#include <QtWidgets>

class TestSplashFrame : public QObject
{
    Q_OBJECT

private slots:
    void splashDrawsARaisedFrameAroundAnUnchangedClientArea();
};

void TestSplashFrame::splashDrawsARaisedFrameAroundAnUnchangedClientArea()
{
    frmSplash splash;
    QCOMPARE(splash.windowType(), Qt::SplashScreen); // kept out of the taskbar
    for (Qt::WindowType flag : {Qt::FramelessWindowHint, Qt::WindowTransparentForInput, Qt::WindowDoesNotAcceptFocus})
        QVERIFY(splash.windowFlags() & flag);

    QWidget *client = splash.findChild<QWidget *>(QStringLiteral("clientArea"));
    QVERIFY(client);
    const int border = client->x();
    QCOMPARE(client->geometry(), QRect(border, border, 491, 308));
    QCOMPARE(splash.size(), client->size() + QSize(2 * border, 2 * border));
    QCOMPARE(splash.findChild<QWidget *>(QStringLiteral("fraMainFrame"))->parentWidget(), client);
    QCOMPARE(splash.findChild<QWidget *>(QStringLiteral("fraMainFrame"))->geometry(), QRect(16, 16, 460, 273));

    // Raised: on every line of the frame the top and left edges are lighter than the bottom and right.
    QVERIFY(border >= 2);
    const QImage shot = splash.grab().toImage();
    const int w = shot.width() - 1, h = shot.height() - 1;
    for (int d = 0; d < 2; ++d) {
        const QColor top = shot.pixelColor(w / 2, d), left = shot.pixelColor(d, h / 2);
        const QColor bottom = shot.pixelColor(w / 2, h - d), right = shot.pixelColor(w - d, h / 2);
        QCOMPARE(left, top);
        QCOMPARE(right, bottom);
        QVERIFY2(top.lightness() > bottom.lightness() + 64, qPrintable(QString::number(d)));
    }
    // The checkerboard starts red in the client area's corner, inside the frame.
    QCOMPARE(shot.pixelColor(border, border), QColor(0xC6, 0x00, 0x00));
}

QTEST_MAIN(TestSplashFrame)
#include "tst_splashframe.moc"
