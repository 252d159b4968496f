#include "dialogs/WindowsRegistry.h"

#include <windows.h>

long WindowsRegistry::openKey(quint32 root, const QByteArray &subKey, quint32 options, quint32 access, Key *key)
{
    // A predefined root key is a 32-bit value that the system sign-extends to a handle.
    const auto rootKey = reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(root)));
    HKEY opened = nullptr;
    const LONG result = RegOpenKeyExA(rootKey, subKey.constData(), options, access, &opened);
    *key = reinterpret_cast<Key>(opened);
    return result;
}

long WindowsRegistry::queryValue(Key key, const QByteArray &valueName, quint32 *type, char *data, quint32 *size)
{
    DWORD valueType = 0;
    DWORD valueSize = *size;
    const LONG result = RegQueryValueExA(reinterpret_cast<HKEY>(key), valueName.constData(), nullptr, &valueType,
                                         reinterpret_cast<LPBYTE>(data), &valueSize);
    if (type)
        *type = valueType;
    *size = valueSize;
    return result;
}

long WindowsRegistry::closeKey(Key key)
{
    return RegCloseKey(reinterpret_cast<HKEY>(key));
}
