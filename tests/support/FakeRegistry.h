#pragma once

#include "Registry.h"

#include <QHash>
#include <QMap>

#include <cstring>

// A registry in memory under HKEY_LOCAL_MACHINE that, as for an ordinary user, refuses any right
// to change a key. Notes the rights asked for and counts the keys left open.
class FakeRegistry : public Registry
{
public:
    void set(const QString &key, const QString &name, quint32 type, const QByteArray &bytes) { m_keys[key][name] = {type, bytes}; }
    long openKey(quint32 root, const QByteArray &subKey, quint32 options, quint32 access, Key *key) override
    {
        accessAsked << access;
        *key = 0;
        if (root != HKEY_LOCAL_MACHINE || options != 0 || !m_keys.contains(QString::fromLocal8Bit(subKey)))
            return ERROR_FILE_NOT_FOUND;
        if (access & WriteRights)
            return ERROR_ACCESS_DENIED;
        open.insert(*key = open.size() + 0x100, QString::fromLocal8Bit(subKey));
        return ERROR_SUCCESS;
    }
    long queryValue(Key key, const QByteArray &valueName, quint32 *type, char *data, quint32 *size) override
    {
        const auto value = m_keys[open.value(key)].constFind(QString::fromLocal8Bit(valueName));
        if (!open.contains(key) || value == m_keys[open.value(key)].constEnd())
            return ERROR_FILE_NOT_FOUND;
        const quint32 room = *size;
        *type = value->first;
        *size = quint32(value->second.size());
        if (room < *size)
            return ERROR_MORE_DATA;
        std::memcpy(data, value->second.constData(), *size);
        return ERROR_SUCCESS;
    }
    long closeKey(Key key) override { return open.remove(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE; }

    QList<quint32> accessAsked;
    QHash<Key, QString> open;

private:
    QMap<QString, QMap<QString, QPair<quint32, QByteArray>>> m_keys;
};
