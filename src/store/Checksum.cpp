#include "store/Checksum.h"

#include <array>

namespace {

using Table = std::array<std::array<quint32, 256>, 8>;

// Eight tables, so that the loop takes eight bytes a step ("slicing by eight").
constexpr Table makeTables()
{
    Table t{};
    for (quint32 i = 0; i < 256; ++i) {
        quint32 c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[0][i] = c;
    }
    for (quint32 i = 0; i < 256; ++i) {
        for (size_t k = 1; k < 8; ++k)
            t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
    }
    return t;
}

constexpr Table Tables = makeTables();

} // namespace

quint32 Checksum::crc32(QByteArrayView data, quint32 crc)
{
    const auto *p = reinterpret_cast<const uchar *>(data.data());
    qsizetype n = data.size();
    crc = ~crc;
    for (; n >= 8; n -= 8, p += 8) {
        const quint32 low = crc ^ (quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24);
        crc = Tables[7][low & 0xFF] ^ Tables[6][(low >> 8) & 0xFF] ^ Tables[5][(low >> 16) & 0xFF]
            ^ Tables[4][low >> 24] ^ Tables[3][p[4]] ^ Tables[2][p[5]] ^ Tables[1][p[6]] ^ Tables[0][p[7]];
    }
    for (; n > 0; --n, ++p)
        crc = Tables[0][(crc ^ *p) & 0xFF] ^ (crc >> 8);
    return ~crc;
}
