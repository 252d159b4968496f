#pragma once

#include "ProgramLauncher.h"

#include <QSet>
#include <QStringList>

// Files and starts in memory, each call logged as "test <path>" or "start <path>": a start works
// when the file is there and `startsFail` is not set.
class FakeLauncher : public ProgramLauncher
{
public:
    bool isPresent(const QString &path) override
    {
        log << QStringLiteral("test ") + path;
        return files.contains(path);
    }
    bool startDetached(const QString &program) override
    {
        log << QStringLiteral("start ") + program;
        return !startsFail && files.contains(program);
    }

    QSet<QString> files;
    bool startsFail = false;
    QStringList log;
};
