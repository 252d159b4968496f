#pragma once

#include <QWidget>

class QLabel;

// The window that stands on the screen while the program starts: no title bar, not in the
// taskbar, and it takes no input. It draws its own fixed dialog frame around its client area.
class frmSplash : public QWidget
{
    Q_OBJECT

public:
    explicit frmSplash(QWidget *parent = nullptr);

    // Shows the window and has it fully drawn before the event loop runs.
    void showAndPaint();

    void Form_Load();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    static constexpr int FrameWidth = 3;

    static QLabel *label(QWidget *parent, const char *name, const QString &text, const QRect &geometry,
                         qreal points = 8.25, bool bold = false);

    QLabel *lblProductName;
    QLabel *lblVersion;
};
