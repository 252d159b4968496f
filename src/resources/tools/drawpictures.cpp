// Draws the program's pictures: the icon (16 colours, 32 and 16 px; and 256 px in full colour for
// the desktop's menus, which is installed but not built in), the Kettlebay logo (256
// colours, 160 x 150 px) and the red-and-white checkerboard (468 x 302 px, 12-px squares).
// Run once by hand when the design changes; the PNGs it writes are committed:
//   QT_QPA_PLATFORM=offscreen drawpictures src/resources/pictures
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace {

const QColor Red(0xC6, 0x00, 0x00);

QPainterPath kettleBody(const QRectF &r)
{
    // A squat kettle: a wide rounded base narrowing towards the lid.
    QPainterPath path;
    const qreal w = r.width(), h = r.height();
    path.moveTo(r.left() + 0.22 * w, r.top() + 0.18 * h);
    path.lineTo(r.left() + 0.78 * w, r.top() + 0.18 * h);
    path.cubicTo(r.left() + 0.98 * w, r.top() + 0.45 * h, r.left() + 1.02 * w, r.top() + 0.92 * h, r.left() + 0.86 * w,
                 r.bottom());
    path.lineTo(r.left() + 0.14 * w, r.bottom());
    path.cubicTo(r.left() - 0.02 * w, r.top() + 0.92 * h, r.left() + 0.02 * w, r.top() + 0.45 * h, r.left() + 0.22 * w,
                 r.top() + 0.18 * h);
    return path;
}

void drawKettle(QPainter &p, const QRectF &r, qreal pen, bool detailed)
{
    const qreal w = r.width(), h = r.height();
    // Handle.
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), pen * 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(r.left() + 0.25 * w, r.top() - 0.05 * h, 0.5 * w, 0.5 * h), 20 * 16, 140 * 16);
    // Spout.
    QPainterPath spout;
    spout.moveTo(r.left() + 0.12 * w, r.top() + 0.55 * h);
    spout.lineTo(r.left() - 0.08 * w, r.top() + 0.30 * h);
    spout.lineTo(r.left() + 0.02 * w, r.top() + 0.28 * h);
    spout.lineTo(r.left() + 0.20 * w, r.top() + 0.45 * h);
    spout.closeSubpath();
    p.setPen(QPen(QColor(0x40, 0x00, 0x00), pen));
    p.setBrush(Red.darker(120));
    p.drawPath(spout);
    // Body with a highlight.
    QLinearGradient shade(r.topLeft(), r.topRight());
    shade.setColorAt(0.0, QColor(0xFF, 0x5A, 0x36));
    shade.setColorAt(0.45, Red);
    shade.setColorAt(1.0, QColor(0x80, 0x00, 0x00));
    p.setBrush(shade);
    p.drawPath(kettleBody(r));
    if (!detailed)
        return;
    // Lid and knob.
    p.setBrush(QColor(0x30, 0x30, 0x30));
    p.drawRoundedRect(QRectF(r.left() + 0.30 * w, r.top() + 0.12 * h, 0.40 * w, 0.08 * h), pen, pen);
    p.drawEllipse(QRectF(r.left() + 0.44 * w, r.top() + 0.03 * h, 0.12 * w, 0.10 * h));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawEllipse(QRectF(r.left() + 0.20 * w, r.top() + 0.40 * h, 0.10 * w, 0.30 * h));
}

void drawWaves(QPainter &p, const QRectF &band, const QColor &colour, qreal pen)
{
    QPainterPath wave;
    const int crests = 5;
    const qreal step = band.width() / crests;
    wave.moveTo(band.left(), band.center().y());
    for (int i = 0; i < crests; ++i) {
        const qreal x = band.left() + i * step;
        wave.cubicTo(x + step * 0.25, band.top(), x + step * 0.25, band.top(), x + step * 0.5, band.center().y());
        wave.cubicTo(x + step * 0.75, band.bottom(), x + step * 0.75, band.bottom(), x + step, band.center().y());
    }
    p.setPen(QPen(colour, pen, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave);
}

QImage logo()
{
    QImage image(160, 150, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(0xFF, 0xF8, 0xE7));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x8B, 0x5A, 0x2B), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(1, 1, 158, 148), 10, 10);
    // Steam.
    for (int i = 0; i < 3; ++i) {
        QPainterPath steam;
        const qreal x = 22 + i * 11;
        steam.moveTo(x, 48);
        steam.cubicTo(x - 8, 38, x + 8, 30, x, 18);
        p.setPen(QPen(QColor(0x9A, 0x9A, 0xA8), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(steam);
    }
    drawKettle(p, QRectF(42, 20, 84, 72), 2, true);
    drawWaves(p, QRectF(10, 92, 140, 12), QColor(0x1E, 0x5A, 0xC8), 3);
    drawWaves(p, QRectF(18, 102, 124, 10), QColor(0x4A, 0x90, 0xE2), 2.5);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(19);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0x14, 0x2D, 0x6E));
    p.drawText(QRectF(0, 116, 160, 28), Qt::AlignCenter, QStringLiteral("Kettlebay"));
    p.end();
    return image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
}

// The icon's design at any size, in full colour: the desktop's menus show the large one as it is.
QImage fullColourIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 32.0;
    drawKettle(p, QRectF(7 * s, 5 * s, 20 * s, 19 * s), qMax(1.0, s) * 0.8, false);
    drawWaves(p, QRectF(2 * s, 25 * s, 28 * s, 5 * s), QColor(0x00, 0x00, 0xFF), qMax(1.0, 2 * s));
    p.end();
    return image;
}

QImage icon(int size)
{
    const QImage image = fullColourIcon(size);
    // The classic 16-colour palette, with transparency in place of one of the greys.
    const QList<QRgb> palette = {
        qRgba(0, 0, 0, 0),   qRgb(0, 0, 0),     qRgb(128, 0, 0),   qRgb(0, 128, 0),
        qRgb(128, 128, 0),   qRgb(0, 0, 128),   qRgb(128, 0, 128), qRgb(0, 128, 128),
        qRgb(192, 192, 192), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
    };
    QImage straight = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
        auto *line = reinterpret_cast<QRgb *>(straight.scanLine(y));
        for (int x = 0; x < size; ++x)
            line[x] = qAlpha(line[x]) < 128 ? qRgba(0, 0, 0, 0) : qRgb(qRed(line[x]), qGreen(line[x]), qBlue(line[x]));
    }
    return straight.convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither);
}

QImage checkerboard()
{
    QImage image(468, 302, QImage::Format_Indexed8);
    image.setColorTable({Red.rgb(), qRgb(255, 255, 255)});
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, ((x / 12) + (y / 12)) % 2);
    }
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    const bool ok = logo().save(out.filePath(QStringLiteral("logo.png")))
        && icon(32).save(out.filePath(QStringLiteral("icon32.png")))
        && icon(16).save(out.filePath(QStringLiteral("icon16.png")))
        && fullColourIcon(256).save(out.filePath(QStringLiteral("icon256.png")))
        && checkerboard().save(out.filePath(QStringLiteral("checkerboard.png")));
    return ok ? 0 : 1;
}
