#include "store/FileIdentity.h"

#include "core/RuntimeError.h"
#include "store/Checksum.h"

#include <QFile>

FileIdentity FileIdentity::of(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        if (!file.exists())
            return {};
        throw RuntimeError(RuntimeError::PermissionDenied);
    }
    FileIdentity identity{0, 0};
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 got = file.read(chunk.data(), chunk.size());
        if (got < 0)
            throw RuntimeError(RuntimeError::DeviceIOError);
        if (got == 0)
            return identity;
        identity.add(QByteArrayView(chunk.constData(), got));
    }
}

void FileIdentity::add(QByteArrayView bytes)
{
    size = qMax<qint64>(size, 0) + bytes.size();
    crc = Checksum::crc32(bytes, crc);
}
