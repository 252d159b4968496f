#pragma once

#include <QLabel>

// A label that is a link, for the "Resources" page: a click opens it, and a screen reader announces
// it as a link that can be pressed. It takes no focus.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit LinkLabel(const QString &text = QString(), QWidget *parent = nullptr);

    // Follows the link, as a click does.
    void activate();

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
