#pragma once

#include <QWidget>

class QTabBar;

// Pages under a row of tabs, in the classic style: one row of tabs across the top and pages whose controls
// are placed from its own top-left corner, tab strip included. The area beside the tabs is painted in
// its colour; the tabs and the pages keep the desktop's colours.
class TabbedPages : public QWidget
{
    Q_OBJECT

public:
    static constexpr int MaxStripHeight = 23; // below 360 twips

    explicit TabbedPages(const QColor &colour, QWidget *parent = nullptr);

    QWidget *addPage(const QString &caption, const QString &objectName);
    int currentIndex() const;
    void setCurrentIndex(int index);
    QTabBar *tabBar() const { return m_bar; }
    int stripHeight() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void showPage(int index);

    QColor m_colour;
    QTabBar *m_bar;
    QList<QWidget *> m_pages;
};
