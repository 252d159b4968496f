#pragma once

#include <QColor>
#include <QWidget>

// A straight horizontal or vertical line, given by its two end points in twips and its width in
// pixels.
class LineWidget : public QWidget
{
    Q_OBJECT

public:
    LineWidget(const char *objectName, QPoint fromTwips, QPoint toTwips, const QColor &colour, int width,
               QWidget *parent);

    QColor colour() const { return m_colour; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_colour;
};
