#pragma once

#include <QByteArray>
#include <QtGlobal>

// The three registry operations the About box uses to find the system information tool, with
// the system's own result codes, value types and ANSI names, so that the lookup runs against any
// store: the real registry on Windows, a small read-only one elsewhere, a fake in tests.
class Registry
{
public:
    using Key = quintptr;

    // The system's names and values. (Only sources that include <windows.h> after this header
    // see its macros of the same names, and those sources use the macros.)
    static constexpr quint32 HKEY_LOCAL_MACHINE = 0x80000002;

    static constexpr quint32 KEY_QUERY_VALUE = 0x0001;
    static constexpr quint32 KEY_SET_VALUE = 0x0002;
    static constexpr quint32 KEY_CREATE_SUB_KEY = 0x0004;
    static constexpr quint32 KEY_CREATE_LINK = 0x0020;
    static constexpr quint32 KEY_READ = 0x20019;
    static constexpr quint32 KEY_ALL_ACCESS = 0xF003F;
    // Every right that changes a key: the two above and DELETE, WRITE_DAC, WRITE_OWNER.
    static constexpr quint32 WriteRights =
        KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | 0x10000 | 0x40000 | 0x80000;

    static constexpr long ERROR_SUCCESS = 0;
    static constexpr long ERROR_FILE_NOT_FOUND = 2;
    static constexpr long ERROR_ACCESS_DENIED = 5;
    static constexpr long ERROR_INVALID_HANDLE = 6;
    static constexpr long ERROR_MORE_DATA = 234;

    static constexpr quint32 REG_NONE = 0;
    static constexpr quint32 REG_SZ = 1;
    static constexpr quint32 REG_EXPAND_SZ = 2;
    static constexpr quint32 REG_BINARY = 3;
    static constexpr quint32 REG_DWORD = 4;

    virtual ~Registry() = default;

    // RegOpenKeyExA: opens `subKey` under the predefined `root` with the rights in `access`.
    virtual long openKey(quint32 root, const QByteArray &subKey, quint32 options, quint32 access, Key *key) = 0;
    // RegQueryValueExA: copies the value's bytes into `data`, which holds `*size` bytes, and sets
    // `*type` and `*size` to the value's type and length; a value longer than the buffer is
    // ERROR_MORE_DATA with the length it needs.
    virtual long queryValue(Key key, const QByteArray &valueName, quint32 *type, char *data, quint32 *size) = 0;
    // RegCloseKey.
    virtual long closeKey(Key key) = 0;

    // The machine's registry: Windows' own, or on other systems the store of ToolRegistry.
    static Registry &system();
};
