#pragma once

#include "dialogs/Registry.h"

#include <QHash>
#include <QMap>

#include <cstring>

// A registry in memory under HKEY_LOCAL_MACHINE that, as for an ordinary user, refuses any right to
// change a key. Notes the rights asked for and holds the keys left open.
struct FakeRegistry : Registry
{
    void set(const QString &key, const QString &name, quint32 type, const QByteArray &bytes) { keys[key][name] = {type, bytes}; }
    long openKey(quint32 root, const QByteArray &subKey, quint32 options, quint32 access, Key *key) override
    {
        accessAsked << access;
        *key = 0;
        if (root != HKEY_LOCAL_MACHINE || options || !keys.contains(QString(subKey)))
            return ERROR_FILE_NOT_FOUND;
        if (access & WriteRights)
            return ERROR_ACCESS_DENIED;
        open.insert(*key = open.size() + 0x100, QString(subKey));
        return ERROR_SUCCESS;
    }
    long queryValue(Key key, const QByteArray &valueName, quint32 *type, char *data, quint32 *size) override
    {
        const auto value = keys[open.value(key)].constFind(QString(valueName));
        if (!open.contains(key) || value == keys[open.value(key)].constEnd())
            return ERROR_FILE_NOT_FOUND;
        const quint32 room = std::exchange(*size, quint32(value->second.size()));
        *type = value->first;
        return room < *size ? ERROR_MORE_DATA : (std::memcpy(data, value->second.constData(), *size), ERROR_SUCCESS);
    }
    long closeKey(Key key) override { return open.remove(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE; }

    QMap<QString, QMap<QString, QPair<quint32, QByteArray>>> keys;
    QHash<Key, QString> open;
    QList<quint32> accessAsked;
};
