#include "formats/ArchiveEncoding.h"

#include "store/TextEncoding.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

// Code page 437, bytes 0x80 to 0xFF.
constexpr char16_t Cp437High[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C,
    0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320,
    0x2321, 0x00F7, 0x2248, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

// Windows-1252 bytes 0x80 to 0xFF, as the recipe file reads them.
char16_t windows1252Char(unsigned char byte)
{
    static const QString high = [] {
        QByteArray bytes(128, Qt::Uninitialized);
        for (int i = 0; i < 128; ++i)
            bytes[i] = char(0x80 + i);
        return TextEncoding::decodeWindows1252(bytes);
    }();
    return high.at(byte - 0x80).unicode();
}

// The table above turned round, sorted by character, for writing.
using ReverseTable = std::array<std::pair<char16_t, unsigned char>, 128>;
const ReverseTable &cp437Bytes()
{
    static const ReverseTable table = [] {
        ReverseTable t;
        for (int i = 0; i < 128; ++i)
            t[size_t(i)] = {Cp437High[i], static_cast<unsigned char>(0x80 + i)};
        std::sort(t.begin(), t.end());
        return t;
    }();
    return table;
}

int cp437Byte(char16_t c)
{
    if (c < 0x80)
        return c;
    const ReverseTable &table = cp437Bytes();
    const auto found = std::lower_bound(table.begin(), table.end(), c,
                                        [](const auto &entry, char16_t key) { return entry.first < key; });
    return (found != table.end() && found->first == c) ? found->second : -1;
}

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Whether the byte at i, read as c, is what recipes hold: a letter in a word (beside a letter, not
// straight after a digit), or a sign for degrees or a fraction.
bool counts(char16_t c, QByteArrayView bytes, qsizetype i)
{
    if (c == u'°' || c == u'½' || c == u'¼' || c == u'¾')
        return true;
    const char before = i > 0 ? bytes[i - 1] : ' ';
    const char after = i + 1 < bytes.size() ? bytes[i + 1] : ' ';
    return QChar::isLetter(c) && !(before >= '0' && before <= '9') && (isAsciiLetter(before) || isAsciiLetter(after));
}

QByteArrayView withoutBom(QByteArrayView bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes;
}

QString decodeCp437(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = b < 0x80 ? char16_t(b) : Cp437High[b - 0x80];
    }
    return text;
}

} // namespace

bool ArchiveEncoding::fromName(const QString &name, Encoding *encoding)
{
    const QString key = name.toLower().remove(u'-').remove(u'_');
    if (key == u"cp437" || key == u"ibm437" || key == u"437" || key == u"dos")
        *encoding = Cp437;
    else if (key == u"windows1252" || key == u"cp1252" || key == u"1252")
        *encoding = Windows1252;
    else if (key == u"utf8")
        *encoding = Utf8;
    else
        return false;
    return true;
}

QString ArchiveEncoding::name(Encoding encoding)
{
    switch (encoding) {
    case Cp437:
        return QStringLiteral("cp437");
    case Windows1252:
        return QStringLiteral("windows-1252");
    case Utf8:
        return QStringLiteral("utf-8");
    case Automatic:
        break;
    }
    return QString();
}

ArchiveEncoding::Encoding ArchiveEncoding::detect(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF") || TextEncoding::isValidUtf8(bytes))
        return TextEncoding::isAscii(bytes) ? Windows1252 : Utf8;
    qsizetype dos = 0, windows = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80)
            continue;
        dos += counts(Cp437High[b - 0x80], bytes, i);
        windows += counts(windows1252Char(b), bytes, i);
    }
    return dos > windows ? Cp437 : Windows1252;
}

QString ArchiveEncoding::decode(QByteArrayView bytes, Encoding encoding)
{
    if (encoding == Automatic)
        encoding = detect(bytes);
    if (TextEncoding::isAscii(bytes))
        return QString::fromLatin1(bytes.data(), bytes.size());
    switch (encoding) {
    case Cp437:
        return decodeCp437(bytes);
    case Utf8:
        return QString::fromUtf8(withoutBom(bytes));
    default:
        return TextEncoding::decodeWindows1252(bytes);
    }
}

qsizetype ArchiveEncoding::unencodable(QStringView text, Encoding encoding)
{
    if (encoding == Utf8 || encoding == Automatic)
        return -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x80 && (encoding == Cp437 ? cp437Byte(c) : TextEncoding::windows1252Byte(c)) < 0)
            return i;
    }
    return -1;
}

bool ArchiveEncoding::append(QByteArray &out, QStringView text, Encoding encoding)
{
    if (encoding == Utf8 || encoding == Automatic) {
        out += text.toUtf8();
        return true;
    }
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char *p = out.data() + start;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const int byte = c < 0x80 ? c : encoding == Cp437 ? cp437Byte(c) : TextEncoding::windows1252Byte(c);
        if (byte < 0) {
            out.resize(start);
            return false;
        }
        p[i] = char(byte);
    }
    return true;
}
