#include "core/RuntimeError.h"

#include <cerrno>

RuntimeError::RuntimeError(int number, const QString &description, const QString &source)
    : m_number(number)
    , m_description(description.isEmpty() ? standardDescription(number) : description)
    , m_source(source)
    , m_what(m_description.toUtf8())
{
}

RuntimeError RuntimeError::withSource(const QString &source) const
{
    return RuntimeError(m_number, m_description, source);
}

QString RuntimeError::standardDescription(int number)
{
    switch (number) {
    case InvalidProcedureCall: return QStringLiteral("Invalid procedure call or argument");
    case Overflow: return QStringLiteral("Overflow");
    case OutOfMemory: return QStringLiteral("Out of memory");
    case SubscriptOutOfRange: return QStringLiteral("Subscript out of range");
    case TypeMismatch: return QStringLiteral("Type mismatch");
    case FileNotFound: return QStringLiteral("File not found");
    case DeviceIOError: return QStringLiteral("Device I/O error");
    case DiskFull: return QStringLiteral("Disk full");
    case InputPastEndOfFile: return QStringLiteral("Input past end of file");
    case PermissionDenied: return QStringLiteral("Permission denied");
    case PathFileAccessError: return QStringLiteral("Path/File access error");
    case PathNotFound: return QStringLiteral("Path not found");
    default: return QStringLiteral("Application-defined or object-defined error");
    }
}

RuntimeError RuntimeError::fromErrno(int error, Number fallback)
{
    switch (error) {
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
        return RuntimeError(DiskFull);
    case EACCES:
    case EPERM:
    case EROFS:
        return RuntimeError(PermissionDenied);
    case EIO:
        return RuntimeError(DeviceIOError);
    default:
        return RuntimeError(fallback);
    }
}
