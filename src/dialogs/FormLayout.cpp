#include "dialogs/FormLayout.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>

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

QLabel *FormLayout::addLabel(QWidget *parent, const char *objectName, const QString &text, const QRect &geometry)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QPushButton *FormLayout::addButton(QWidget *parent, const char *objectName, const QString &text, const QRect &geometry)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setGeometry(geometry);
    return button;
}
