#include "dialogs/FormLayout.h"

#include <QGuiApplication>

QFont FormLayout::font(qreal points, bool bold)
{
    // Liberation Sans has the widths the layouts were drawn for; Debian's default sans serif
    // (DejaVu Sans) is about 15% wider and would clip the labels.
    QFont font = QGuiApplication::font();
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), font.family()});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}
