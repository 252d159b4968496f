#pragma once

#include <QMargins>
#include <QObject>
#include <QPoint>

class QScreen;
class QWidget;

// Puts a window in the middle of the screen, its frame included. The window manager frames a
// window only once it is on view, so the window is placed at once as well as it can be, and again
// when its frame is known, unless the user has moved it meanwhile.
class ScreenCentring : public QObject
{
public:
    // Centres `window` on the screen of `near` (by default the primary screen).
    static void centre(QWidget *window, const QWidget *near = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ScreenCentring(QWidget *window, QScreen *screen);
    void place();

    QWidget *m_window;
    QScreen *m_screen;
    QMargins m_frame;
    QPoint m_placedAt;
};
