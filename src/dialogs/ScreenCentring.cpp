#include "dialogs/ScreenCentring.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {
constexpr int FramingMs = 2000; // how long a window manager may take to frame a new window
}

ScreenCentring::ScreenCentring(QWidget *window, QScreen *screen)
    : QObject(window)
    , m_window(window)
    , m_screen(screen)
{ }

void ScreenCentring::centre(QWidget *window, const QWidget *near)
{
    QScreen *screen = near && near->screen() ? near->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    auto *centring = new ScreenCentring(window, screen);
    centring->place();
    window->installEventFilter(centring);
    QTimer::singleShot(FramingMs, centring, &QObject::deleteLater);
}

void ScreenCentring::place()
{
    m_frame = m_window->windowHandle() ? m_window->windowHandle()->frameMargins() : QMargins();
    const QSize outer = m_window->size().grownBy(m_frame);
    const QRect area = m_screen->geometry();
    // Halved towards zero: a window larger than the screen gets a negative position. move() places
    // the frame's corner.
    m_placedAt
        = QPoint(area.left() + (area.width() - outer.width()) / 2, area.top() + (area.height() - outer.height()) / 2);
    m_window->move(m_placedAt);
}

bool ScreenCentring::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && (event->type() == QEvent::Move || event->type() == QEvent::Show)
        && m_window->windowHandle() && m_window->windowHandle()->frameMargins() != m_frame) {
        if (m_window->pos() == m_placedAt || event->type() == QEvent::Show)
            place();
        else
            deleteLater(); // the user has moved it
    }
    return QObject::eventFilter(watched, event);
}
