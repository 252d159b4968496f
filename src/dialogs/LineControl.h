#pragma once

#include <QColor>
#include <QWidget>

// A straight horizontal or vertical line on a form, given by its two end points in twips and its
// width in pixels. Lines of one control array share a name and differ by index.
class LineControl : public QWidget
{
    Q_OBJECT

public:
    LineControl(const char *name, int index, QPoint fromTwips, QPoint toTwips, const QColor &colour, int width,
                QWidget *parent);

    int index() const { return m_index; }
    QColor colour() const { return m_colour; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_index;
    QColor m_colour;
};
