#include "store/TextEncoding.h"

#include <QStringDecoder>

#include <cstring>

namespace {

// Windows-1252 bytes 0x80 to 0x9F; the rest of the upper half is Latin-1.
constexpr char16_t HighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

bool TextEncoding::isAscii(QByteArrayView bytes)
{
    const char *p = bytes.data();
    qsizetype n = bytes.size();
    constexpr quint64 HighBits = 0x8080808080808080ULL;
    while (n >= 8) {
        quint64 word;
        std::memcpy(&word, p, 8);
        if (word & HighBits)
            return false;
        p += 8;
        n -= 8;
    }
    while (n-- > 0) {
        if (static_cast<unsigned char>(*p++) & 0x80)
            return false;
    }
    return true;
}

bool TextEncoding::isValidUtf8(QByteArrayView bytes)
{
    // Qt's check refuses overlong forms, UTF-16 surrogates and values past U+10FFFF, as UTF-8 does.
    return bytes.isValidUtf8();
}

QString TextEncoding::decodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = (b >= 0x80 && b < 0xA0) ? HighControls[b - 0x80] : char16_t(b);
    }
    return text;
}

QString TextEncoding::decodeUtf8(QByteArrayView bytes)
{
    // QString::fromUtf8 would drop a leading U+FEFF, which in a field is text, not a marker.
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

QString TextEncoding::decode(QByteArrayView bytes, Encoding encoding)
{
    if (isAscii(bytes))
        return QString::fromLatin1(bytes.data(), bytes.size());
    if (encoding == Utf8)
        return decodeUtf8(bytes);
    return decodeWindows1252(bytes);
}

int TextEncoding::windows1252Byte(char16_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return ch;
    for (int i = 0; i < 32; ++i) {
        if (HighControls[i] == ch)
            return 0x80 + i;
    }
    return -1;
}
