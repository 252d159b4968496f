#pragma once

#include <QWidget>

// The window that stands on the screen while the program starts: no title bar, not in the
// taskbar, and it takes no input. It draws its own fixed dialog frame around its client area.
class SplashScreen : public QWidget
{
    Q_OBJECT

public:
    explicit SplashScreen(QWidget *parent = nullptr);

    // Shows the window and has it fully drawn before the event loop runs.
    void showAndPaint();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    static constexpr int FrameWidth = 3;
};
