#pragma once

#include "dialogs/Registry.h"

#include <QHash>
#include <QString>
#include <QStringList>

// Stands in for the registry on systems without one. It holds a single entry: the key of the
// system information tool with the tool's full path as its "PATH" string, present when one of
// the desktop's system information tools is installed. Like the machine-wide keys for an
// ordinary user it is read-only: opening a key with any right to change it is refused.
class ToolRegistry : public Registry
{
public:
    // Where to look for the tool; empty means the folders on the PATH.
    explicit ToolRegistry(const QStringList &searchPaths = {});

    // The tools looked for, in order of preference.
    static QStringList toolNames();
    // The full path of the first tool found, or an empty string.
    QString toolPath() const;

    long openKey(quint32 root, const QByteArray &subKey, quint32 options, quint32 access, Key *key) override;
    long queryValue(Key key, const QByteArray &valueName, quint32 *type, char *data, quint32 *size) override;
    long closeKey(Key key) override;

private:
    QStringList m_searchPaths;
    QHash<Key, QByteArray> m_openKeys; // handle -> the "PATH" value as it was when the key was opened
    Key m_nextKey = 1;
};
