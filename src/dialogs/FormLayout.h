#pragma once

#include <QFont>
#include <QRect>

class QLabel;
class QPushButton;
class QWidget;

// The windows are laid out in twips, 15 to a pixel at 96 dots per inch; Qt scales these
// device-independent pixels on high-DPI screens. Their font is a sans serif with the widths of the
// classic 8.25-point dialog font.
namespace FormLayout {

constexpr int TwipsPerPixel = 15;

constexpr int pixels(int twips)
{
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

constexpr QRect rect(int left, int top, int width, int height)
{
    return QRect(pixels(left), pixels(top), pixels(width), pixels(height));
}

QFont font(qreal points = 8.25, bool bold = false);

// A label or a button at its place, with its name (which tests and screen readers go by) and text;
// a label's text stands at its top left.
QLabel *addLabel(QWidget *parent, const char *objectName, const QString &text, const QRect &geometry);
QPushButton *addButton(QWidget *parent, const char *objectName, const QString &text, const QRect &geometry);

} // namespace FormLayout
