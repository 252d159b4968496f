#include "dialogs/ProgramLauncher.h"

#include <QFileInfo>
#include <QProcess>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

bool ProgramLauncher::isPresent(const QString &path)
{
    const QFileInfo file(path);
    if (path.isEmpty() || !file.isFile() || file.isHidden())
        return false;
#ifdef Q_OS_WIN
    const DWORD attributes = GetFileAttributesW(reinterpret_cast<LPCWSTR>(file.absoluteFilePath().utf16()));
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_SYSTEM))
        return false;
#endif
    return true;
}

bool ProgramLauncher::startDetached(const QString &program)
{
    if (program.isEmpty())
        return false;
    // The path is the program itself, never a command line: spaces or ";" in it stay part of the name.
    return QProcess::startDetached(program, QStringList());
}

ProgramLauncher &ProgramLauncher::system()
{
    static ProgramLauncher launcher;
    return launcher;
}
