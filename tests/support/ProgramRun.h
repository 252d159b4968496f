#pragma once

#include <QProcess>

// A run of one of our programs, ended and read.
struct ProgramRun
{
    int exitCode = -1; // also when it crashed or did not end within 30 s
    QByteArray out, err;
};

// Runs `program` with exactly `environment`: nothing is inherited.
inline ProgramRun runProgram(const QString &program, const QStringList &arguments,
                             const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    const bool ended = process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit;
    return {ended ? process.exitCode() : -1, process.readAllStandardOutput(), process.readAllStandardError()};
}
