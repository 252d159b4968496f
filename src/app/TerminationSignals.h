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
    // How long the program may take to end once the first signal came: past it, SIGALRM ends it
    // wherever it is stuck (a disk that no longer answers), with its journal as it is on disk.
    static constexpr unsigned DeadlineSeconds = 5;

    // Catches the signals from now on; each one is held until an object of this class reads it.
    // With a deadline, the first signal also starts the clock for it.
    static bool install(unsigned deadlineSeconds = 0);
    // Whether one of the signals came that no object of this class has read yet.
    static bool pending();

    explicit TerminationSignals(QObject *parent = nullptr);

signals:
    void received();

private:
    void readPipe();

    QSocketNotifier *m_notifier = nullptr;
};
