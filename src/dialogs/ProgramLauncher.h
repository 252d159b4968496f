#pragma once

#include <QString>

// The file test and the program start behind the System Info button, apart from the lookup so
// that tests can stand in for them.
class ProgramLauncher
{
public:
    virtual ~ProgramLauncher() = default;

    // True when a file of that name exists that is not hidden, not a system file and not a folder.
    virtual bool isPresent(const QString &path);
    // Starts the program with no arguments and no shell in between, and does not wait for it;
    // false when it could not be started (no such file, an empty path, not a program).
    virtual bool startDetached(const QString &program);

    static ProgramLauncher &system();
};
