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

void TestSplashFrame::labelsShowTheirWholeText()
{
    frmSplash splash;
    frmAbout about(nullptr);
    QStringList clipped;
    for (QWidget *window : {static_cast<QWidget *>(&splash), static_cast<QWidget *>(&about)}) {
        for (QLabel *label : window->findChildren<QLabel *>()) {
            if (label->text().isEmpty())
                continue;
            const QRect box = label->contentsRect();
            const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
            const QRect needed = QFontMetrics(label->font()).boundingRect(box, flags, label->text());
            if (!box.contains(needed) || !label->parentWidget()->rect().contains(label->geometry()))
                clipped << QStringLiteral("%1 needs %2x%3 in %4x%5")
                               .arg(label->objectName())
                               .arg(needed.width())
                               .arg(needed.height())
                               .arg(box.width())
                               .arg(box.height());
        }
    }
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral("; "))));
}

QTEST_MAIN(TestSplashFrame)
#include "tst_splashframe.moc"
