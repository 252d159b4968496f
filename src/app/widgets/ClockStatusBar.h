#pragma once

#include <QStatusBar>

class QLabel;
class QTimer;

// The main window's status bar: a springing "Status" panel, then the date and the time, which
// the bar keeps current itself.
class ClockStatusBar : public QStatusBar
{
    Q_OBJECT

public:
    explicit ClockStatusBar(QWidget *parent = nullptr);

private:
    void updateClock();

    QLabel *m_panels[3];
    QTimer *m_timer;
};
