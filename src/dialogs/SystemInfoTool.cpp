#include "dialogs/SystemInfoTool.h"

#include <QLoggingCategory>
#include <QProcess>
#include <QStandardPaths>

Q_LOGGING_CATEGORY(lcSystemInfo, "larderly.systeminfo", QtInfoMsg)

QStringList SystemInfoTool::candidates()
{
    return {QStringLiteral("hardinfo"), QStringLiteral("hardinfo2"), QStringLiteral("kinfocenter")};
}

QString SystemInfoTool::find(const QStringList &searchPaths)
{
    for (const QString &name : candidates()) {
        const QString path = QStandardPaths::findExecutable(name, searchPaths);
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

bool SystemInfoTool::start(const QString &path)
{
    if (path.isEmpty())
        return false;
    // The path is the program itself, never a command line: spaces or ";" in it stay part of the name.
    if (QProcess::startDetached(path, QStringList()))
        return true;
    qCWarning(lcSystemInfo) << "cannot start" << path;
    return false;
}
