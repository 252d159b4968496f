#pragma once

#include <QByteArrayView>
#include <QtGlobal>

// CRC-32 (the polynomial of zlib, PNG and Ethernet), for telling whether bytes on disk are the
// bytes that were written: the recipe file a recovery journal belongs to, and each journal record.
namespace Checksum {

// Continues `crc` over `data`; start with 0.
quint32 crc32(QByteArrayView data, quint32 crc = 0);

} // namespace Checksum
