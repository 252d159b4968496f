#include "frmAbout.h"
#include "frmSplash.h"

#include <QtTest>
#include <QtWidgets>

class TestSplashFrame : public QObject
{
    Q_OBJECT

private slots:
    void splashDrawsARaisedFrameAroundAnUnchangedClientArea();
    void labelsShowTheirWholeText();
};

void TestSplashFrame::splashDrawsARaisedFrameAroundAnUnchangedClientArea()
{
    frmSplash splash;
    QCOMPARE(splash.windowType(), Qt::SplashScreen); // kept out of the taskbar
    for (Qt::WindowType flag : {Qt::FramelessWindowHint, Qt::WindowTransparentForInput, Qt::WindowDoesNotAcceptFocus})
        QVERIFY(splash.windowFlags() & flag);
    QWidget *client = splash.findChild<QWidget *>("clientArea");
    QVERIFY(client && client->x() >= 2);
    const int border = client->x();
    QCOMPARE(client->geometry(), QRect(border, border, 491, 308));
    QCOMPARE(splash.size(), client->size() + QSize(2 * border, 2 * border));
    QCOMPARE(client->findChild<QWidget *>("fraMainFrame")->geometry(), QRect(16, 16, 460, 273));

    // Raised: on both outer lines the top and left edges are much lighter than the bottom and right.
    const QImage shot = splash.grab().toImage();
    const int w = shot.width() - 1, h = shot.height() - 1;
    for (int d = 0; d < 2; ++d) {
        const QColor top = shot.pixelColor(w / 2, d), bottom = shot.pixelColor(w / 2, h - d);
        QCOMPARE(shot.pixelColor(d, h / 2), top);
        QCOMPARE(shot.pixelColor(w - d, h / 2), bottom);
        QVERIFY(top.lightness() > bottom.lightness() + 64);
    }
    QCOMPARE(shot.pixelColor(border, border), QColor(0xC6, 0x00, 0x00)); // the checkerboard's corner
}

void TestSplashFrame::labelsShowTheirWholeText()
{
    frmSplash splash;
    frmAbout about(nullptr);
    QStringList clipped; // pictures have no text
    for (QLabel *label : splash.findChildren<QLabel *>() + about.findChildren<QLabel *>()) {
        const QRect box = label->contentsRect();
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        if (!label->text().isEmpty()
            && (!box.contains(QFontMetrics(label->font()).boundingRect(box, flags, label->text()))
                || !label->parentWidget()->rect().contains(label->geometry())))
            clipped << label->objectName();
    }
    QCOMPARE(clipped.join(QStringLiteral(", ")), QString());
}

QTEST_MAIN(TestSplashFrame)
#include "tst_splashframe.moc"
