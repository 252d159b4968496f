#pragma once

#include "dialogs/ProgramLauncher.h"

#include <QSet>
#include <QStringList>

// Files and program starts in memory, each call logged as "test <path>" or "start <path>"; a
// start works when the file is there and `startsFail` is not set.
struct FakeLauncher : ProgramLauncher
{
    bool isPresent(const QString &path) override { return log << "test " + path, files.contains(path); }
    bool startDetached(const QString &path) override { return log << "start " + path, !startsFail && files.contains(path); }
    QSet<QString> files;
    bool startsFail = false;
    QStringList log;
};
