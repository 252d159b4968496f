#include "core/RuntimeError.h"

#include <cerrno>

RuntimeError::RuntimeError(int number, const QString &description, const QString &source)
    : m_number(number)
    , m_description(description.isEmpty() ? standardDescription(number) : description)
    , m_source(source)
    , m_what(m_description.toUtf8())
{ }

RuntimeError RuntimeError::withSource(const QString &source) const
{
    return RuntimeError(m_number, m_description, source);
}

QString RuntimeError::standardDescription(int number)
{
    switch (number) {
    case InvalidProcedureCall:
        return tr("Invalid procedure call or argument");
    case Overflow:
        return tr("Overflow");
    case OutOfMemory:
        return tr("Out of memory");
    case SubscriptOutOfRange:
        return tr("Subscript out of range");
    case TypeMismatch:
        return tr("Type mismatch");
    case FileNotFound:
        return tr("File not found");
    case DeviceIOError:
        return tr("Device I/O error");
    case DiskFull:
        return tr("Disk full");
    case InputPastEndOfFile:
        return tr("Input past end of file");
    case PermissionDenied:
        return tr("Permission denied");
    case PathFileAccessError:
        return tr("Path/File access error");
    case PathNotFound:
        return tr("Path not found");
    case InvalidFileFormat:
        return tr("Invalid file format");
    default:
        return tr("Application-defined or object-defined error");
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
