#pragma once

#include "Registry.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QString>

#include <cstring>

// A registry in memory under HKEY_LOCAL_MACHINE, with names compared without regard to case as
// the system does. Like the machine-wide keys for an ordinary user, it refuses to open a key
// with any right to change it. It records the keys and rights asked for and knows which keys
// are still open.
class FakeRegistry : public Registry
{
public:
    struct Value
    {
        quint32 type;
        QByteArray bytes;
    };

    void set(const QString &key, const QString &name, quint32 type, const QByteArray &bytes)
    {
        m_keys[key.toLower()][name.toLower()] = Value{type, bytes};
    }
    void setString(const QString &key, const QString &name, const QString &text)
    {
        set(key, name, REG_SZ, text.toLocal8Bit() + '\0');
    }
    void addKey(const QString &key) { m_keys[key.toLower()]; }

    long openKey(quint32 root, const QByteArray &subKey, quint32 options, quint32 access, Key *key) override
    {
        accessAsked << access;
        *key = 0;
        const QString name = QString::fromLocal8Bit(subKey).toLower();
        keysAsked << name;
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
        const QString name = QString::fromLocal8Bit(valueName).toLower();
        if (!values.contains(name))
            return ERROR_FILE_NOT_FOUND;
        const Value &value = values[name];
        if (type)
            *type = value.type;
        const quint32 room = *size;
        *size = quint32(value.bytes.size());
        if (!data)
            return ERROR_SUCCESS;
        if (room < quint32(value.bytes.size()))
            return ERROR_MORE_DATA;
        std::memcpy(data, value.bytes.constData(), size_t(value.bytes.size()));
        return ERROR_SUCCESS;
    }

    long closeKey(Key key) override { return m_open.remove(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE; }

    int openKeys() const { return int(m_open.size()); }

    QList<quint32> accessAsked;
    QStringList keysAsked; // lower case, every key the caller tried to open

private:
    QMap<QString, QMap<QString, Value>> m_keys;
    QHash<Key, QString> m_open;
    Key m_nextKey = 0x100;
};
