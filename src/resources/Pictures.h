#pragma once

#include <QIcon>
#include <QPixmap>

// The pictures shared by the windows, built into the program.
class Pictures
{
public:
    static QIcon programIcon();      // 32 x 32 and 16 x 16, 16 colours
    static QPixmap logo();           // 160 x 150, 256 colours
    static QPixmap checkerboard();   // 468 x 302, 12-px red and white squares
};
