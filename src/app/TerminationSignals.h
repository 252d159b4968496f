#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP (the session ending, Ctrl+C, the terminal closing) turned into a
// Qt signal on the GUI thread, where the program can close its window and save. The handler
// only writes a byte to a pipe, the one thing that is safe inside a signal handler.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    // Catches the signals from now on; each one is held until an object of this class reads it.
    static bool install();

    explicit TerminationSignals(QObject *parent = nullptr);

signals:
    void received();

private:
    void readPipe();

    QSocketNotifier *m_notifier = nullptr;
};
