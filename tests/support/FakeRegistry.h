#pragma once

#include "Registry.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QString>

#include <cstring>

// A registry in memory under HKEY_LOCAL_MACHINE. Like the machine-wide keys for an ordinary user it
// refuses any right to change a key. Records the rights asked for and knows which keys are open.
class FakeRegistry : public Registry
{
public:
    void set(const QString &key, const QString &name, quint32 type, const QByteArray &bytes)
    {
        m_keys[key][name] = {type, bytes};
    }

    long openKey(quint32 root, const QByteArray &subKey, quint32 options, quint32 access, Key *key) override
    {
        accessAsked << access;
        *key = 0;
        const QString name = QString::fromLocal8Bit(subKey);
        if (root != HKEY_LOCAL_MACHINE || options != 0 || !m_keys.contains(name))
            return ERROR_FILE_NOT_FOUND;
        if (access & WriteRights)
            return ERROR_ACCESS_DENIED;
        *key = m_nextKey++;
        m_open.insert(*key, name);
        return ERROR_SUCCESS;
    }

    long queryValue(Key key, const QByteArray &valueName, quint32 *type, char *data, quint32 *size) override
    {
        if (!m_open.contains(key))
            return ERROR_INVALID_HANDLE;
        const auto &values = m_keys[m_open[key]];
        const auto value = values.constFind(QString::fromLocal8Bit(valueName));
        if (value == values.constEnd())
            return ERROR_FILE_NOT_FOUND;
        *type = value->first;
        const quint32 room = *size;
        *size = quint32(value->second.size());
        if (room < *size)
            return ERROR_MORE_DATA;
        std::memcpy(data, value->second.constData(), *size);
        return ERROR_SUCCESS;
    }

    long closeKey(Key key) override { return m_open.remove(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE; }

    int openKeys() const { return int(m_open.size()); }

    QList<quint32> accessAsked;

private:
    QMap<QString, QMap<QString, QPair<quint32, QByteArray>>> m_keys;
    QHash<Key, QString> m_open;
    Key m_nextKey = 0x100;
};
