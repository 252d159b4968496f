#pragma once

#include "dialogs/Registry.h"

// The registry of Windows, through advapi32's ANSI functions.
class WindowsRegistry : public Registry
{
public:
    long openKey(quint32 root, const QByteArray &subKey, quint32 options, quint32 access, Key *key) override;
    long queryValue(Key key, const QByteArray &valueName, quint32 *type, char *data, quint32 *size) override;
    long closeKey(Key key) override;
};
