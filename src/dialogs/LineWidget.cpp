#include "dialogs/LineWidget.h"

#include "dialogs/FormLayout.h"

#include <QPainter>

LineWidget::LineWidget(const char *objectName, QPoint fromTwips, QPoint toTwips, const QColor &colour, int width,
                       QWidget *parent)
    : QWidget(parent)
    , m_colour(colour)
{
    setObjectName(QString::fromLatin1(objectName));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    QRect run(QPoint(FormLayout::pixels(fromTwips.x()), FormLayout::pixels(fromTwips.y())),
              QPoint(FormLayout::pixels(toTwips.x()), FormLayout::pixels(toTwips.y())));
    run = run.normalized();
    if (run.height() == 1)
        run.setHeight(width);
    else
        run.setWidth(width);
    setGeometry(run);
}

void LineWidget::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), m_colour);
}
