#include "app/widgets/TabbedPages.h"

#include <QPainter>
#include <QTabBar>
#include <qdrawutil.h>

TabbedPages::TabbedPages(const QColor &colour, QWidget *parent)
    : QWidget(parent)
    , m_colour(colour)
    , m_bar(new QTabBar(this))
{
    m_bar->setObjectName(QStringLiteral("tabBar"));
    m_bar->setDrawBase(false);
    m_bar->setExpanding(false);
    connect(m_bar, &QTabBar::currentChanged, this, &TabbedPages::showPage);
}

QWidget *TabbedPages::addPage(const QString &caption, const QString &objectName)
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

int TabbedPages::currentIndex() const
{
    return m_bar->currentIndex();
}

void TabbedPages::setCurrentIndex(int index)
{
    m_bar->setCurrentIndex(index);
}

int TabbedPages::stripHeight() const
{
    return qMin(m_bar->sizeHint().height(), MaxStripHeight);
}

void TabbedPages::showPage(int index)
{
    for (int i = 0; i < m_pages.size(); ++i)
        m_pages[i]->setVisible(i == index);
}

void TabbedPages::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_bar->setGeometry(0, 0, width(), stripHeight());
    for (QWidget *page : std::as_const(m_pages))
        page->setGeometry(rect());
}

void TabbedPages::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(QRect(0, 0, width(), stripHeight()), m_colour);
    // The page face in the desktop's window colour, that of the opaque labels on it, with a raised edge.
    const QRect face(0, stripHeight() - 1, width(), height() - stripHeight() + 1);
    qDrawWinPanel(&painter, face, palette(), false, &palette().brush(QPalette::Window));
}
