#include "app/widgets/ClockStatusBar.h"

#include "dialogs/FormLayout.h"

#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QTimer>

ClockStatusBar::ClockStatusBar(QWidget *parent)
    : QStatusBar(parent)
    , m_timer(new QTimer(this))
{
    setSizeGripEnabled(false);
    const int minimumWidth = FormLayout::pixels(1440);
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel(this);
        m_panels[i]->setMinimumWidth(minimumWidth);
        m_panels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m_panels[i]->setContentsMargins(2, 0, 2, 0);
    }
    m_panels[0]->setObjectName(QStringLiteral("statusPanel"));
    m_panels[1]->setObjectName(QStringLiteral("datePanel"));
    m_panels[2]->setObjectName(QStringLiteral("timePanel"));
    m_panels[0]->setText(tr("Status"));
    addWidget(m_panels[0], 1);
    addPermanentWidget(m_panels[1]);
    addPermanentWidget(m_panels[2]);

    connect(m_timer, &QTimer::timeout, this, &ClockStatusBar::updateClock);
    updateClock();
}

void ClockStatusBar::updateClock()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale;
    m_panels[1]->setText(locale.toString(now.date(), QLocale::ShortFormat));
    m_panels[2]->setText(locale.toString(now.time(), QLocale::ShortFormat));
    // A screen reader says what the panels hold, not only their text.
    m_panels[1]->setAccessibleName(tr("Date: %1").arg(m_panels[1]->text()));
    m_panels[2]->setAccessibleName(tr("Time: %1").arg(m_panels[2]->text()));
    // Wake just after the next full second, so the time changes when the minute does.
    m_timer->start(1000 - now.time().msec() + 5);
}
