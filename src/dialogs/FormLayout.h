#pragma once

#include <QFont>
#include <QRect>

// Window layouts are given in twips, 15 to a pixel at 96 dots per inch; Qt scales these
// device-independent pixels on high-DPI screens. The classic 8.25-point MS Sans Serif becomes
// a platform sans serif of the same widths at the same point size.
class FormLayout
{
public:
    static constexpr int TwipsPerPixel = 15;

    static int pixels(int twips) { return (twips + TwipsPerPixel / 2) / TwipsPerPixel; }
    static QRect rect(int left, int top, int width, int height)
    {
        return QRect(pixels(left), pixels(top), pixels(width), pixels(height));
    }
    static QFont font(qreal points = 8.25, bool bold = false);
};
