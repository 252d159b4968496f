#include "app/TabControl.h"

#include <QPainter>
#include <qdrawutil.h>
#include <QTabBar>

TabControl::TabControl(const QColor &colour, QWidget *parent)
    : QWidget(parent)
    , m_colour(colour)
    , m_bar(new QTabBar(this))
{
    m_bar->setDrawBase(false);
    m_bar->setExpanding(false);
    connect(m_bar, &QTabBar::currentChanged, this, &TabControl::showPage);
}

QWidget *TabControl::addPage(const QString &caption, const QString &objectName)
{
    auto *page = new QWidget(this);
    page->setObjectName(objectName);
    page->setGeometry(rect());
    m_pages << page;
    m_bar->addTab(caption);
    m_bar->raise();
    showPage(m_bar->currentIndex());
    return page;
}

int TabControl::currentIndex() const
{
    return m_bar->currentIndex();
}

void TabControl::setCurrentIndex(int index)
{
    m_bar->setCurrentIndex(index);
}

int TabControl::stripHeight() const
{
    return qMin(m_bar->sizeHint().height(), MaxStripHeight);
}

void TabControl::showPage(int index)
{
    for (int i = 0; i < m_pages.size(); ++i)
        m_pages[i]->setVisible(i == index);
}

void TabControl::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_bar->setGeometry(0, 0, width(), stripHeight());
    for (QWidget *page : std::as_const(m_pages))
        page->setGeometry(rect());
}

void TabControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(QRect(0, 0, width(), stripHeight()), m_colour);
    // The page face in the window colour, so the opaque labels on it blend in, with a raised edge.
    const QRect face(0, stripHeight() - 1, width(), height() - stripHeight() + 1);
    qDrawWinPanel(&painter, face, palette(), false, &palette().brush(QPalette::Window));
}
