#pragma once

#include <QByteArrayView>
#include <QtGlobal>

#include <zlib.h>

// CRC-32 (zlib's, the one of PNG and Ethernet), for telling whether bytes on disk are the bytes
// that were written: the recipe file a recovery journal belongs to, and each journal record.
namespace Checksum {

// Continues `crc` over `data`; start with 0.
inline quint32 crc32(QByteArrayView data, quint32 crc = 0)
{
    return quint32(::crc32_z(crc, reinterpret_cast<const Bytef *>(data.data()), size_t(data.size())));
}

} // namespace Checksum
