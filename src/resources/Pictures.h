#pragma once

#include <QIcon>
#include <QPixmap>

// The pictures shared by the windows, built into the program.
namespace Pictures {

QIcon programIcon(); // 32 x 32 and 16 x 16, 16 colours
QPixmap logo(); // 160 x 150, 256 colours
QPixmap checkerboard(); // 468 x 302, 12-px red and white squares

} // namespace Pictures
