#include "dialogs/ToolRegistry.h"

#include "dialogs/SysInfoLookup.h"

#include <QStandardPaths>

#include <cstring>

ToolRegistry::ToolRegistry(const QStringList &searchPaths)
    : m_searchPaths(searchPaths)
{
}

QStringList ToolRegistry::toolNames()
{
    return {QStringLiteral("hardinfo"), QStringLiteral("hardinfo2"), QStringLiteral("kinfocenter")};
}

QString ToolRegistry::toolPath() const
{
    for (const QString &name : toolNames()) {
        const QString path = QStandardPaths::findExecutable(name, m_searchPaths);
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

long ToolRegistry::openKey(quint32 root, const QByteArray &subKey, quint32 /*options*/, quint32 access, Key *key)
{
    *key = 0;
    if (root != HKEY_LOCAL_MACHINE
        || QString::fromLocal8Bit(subKey).compare(SysInfoLookup::ToolKey, Qt::CaseInsensitive) != 0)
        return ERROR_FILE_NOT_FOUND;
    const QString tool = toolPath();
    if (tool.isEmpty())
        return ERROR_FILE_NOT_FOUND;
    if (access & WriteRights)
        return ERROR_ACCESS_DENIED;
    *key = m_nextKey++;
    m_openKeys.insert(*key, tool.toLocal8Bit() + '\0');
    return ERROR_SUCCESS;
}

long ToolRegistry::queryValue(Key key, const QByteArray &valueName, quint32 *type, char *data, quint32 *size)
{
    const auto open = m_openKeys.constFind(key);
    if (open == m_openKeys.constEnd())
        return ERROR_INVALID_HANDLE;
    if (QString::fromLocal8Bit(valueName).compare(SysInfoLookup::ToolValue, Qt::CaseInsensitive) != 0)
        return ERROR_FILE_NOT_FOUND;

    const QByteArray &value = *open;
    if (type)
        *type = REG_SZ;
    const quint32 room = *size;
    *size = quint32(value.size());
    if (!data)
        return ERROR_SUCCESS;
    if (room < quint32(value.size()))
        return ERROR_MORE_DATA;
    std::memcpy(data, value.constData(), size_t(value.size()));
    return ERROR_SUCCESS;
}

long ToolRegistry::closeKey(Key key)
{
    return m_openKeys.remove(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}
