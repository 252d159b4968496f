#pragma once

#include "ProgramLauncher.h"

#include <QSet>
#include <QStringList>

// Files and program starts in memory: a start works when the file is there and `startsFail`
// is not set. Records every file test and every start.
class FakeLauncher : public ProgramLauncher
{
public:
    bool isPresent(const QString &path) override
    {
        tested << path;
        return files.contains(path);
    }
    bool startDetached(const QString &program) override
    {
        started << program;
        return !startsFail && files.contains(program);
    }

    QSet<QString> files;
    bool startsFail = false;
    QStringList tested;
    QStringList started;
};
