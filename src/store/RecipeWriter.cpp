#include "store/RecipeWriter.h"

#include "store/FileIdentity.h"
#include "store/RecipeList.h"

#include <QIODevice>
#include <QStringEncoder>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

constexpr qsizetype ChunkSize = qsizetype(1) << 20;
constexpr char16_t OpeningQuote = 0x201C;
constexpr char16_t ClosingQuote = 0x201D;

char16_t quoteAt(QStringView field, qsizetype i)
{
    if (i == 0)
        return OpeningQuote;
    const QChar before = field.at(i - 1);
    if (before.isSpace() || before == u'(' || before == u'[' || before == u'{' || before == u'<')
        return OpeningQuote;
    return ClosingQuote;
}

bool isPlain(char16_t c)
{
    return c < 0x80 && c != u'"';
}

// Copies the leading run of plain characters (ASCII other than the double quote) to `out` as
// bytes, when `out` is given, and returns its length. Nearly every character of a recipe is
// plain, so this loop is where saving spends its time.
qsizetype plainRun(const char16_t *text, qsizetype size, char *out)
{
    qsizetype i = 0;
#ifdef __SSE2__
    const __m128i high = _mm_set1_epi16(short(0xFF80));
    const __m128i quote = _mm_set1_epi16(u'"');
    for (; i + 8 <= size; i += 8) {
        const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + i));
        const __m128i ascii = _mm_cmpeq_epi16(_mm_and_si128(chars, high), _mm_setzero_si128());
        const __m128i plain = _mm_andnot_si128(_mm_cmpeq_epi16(chars, quote), ascii);
        if (_mm_movemask_epi8(plain) != 0xFFFF)
            break;
        if (out)
            _mm_storel_epi64(reinterpret_cast<__m128i *>(out + i), _mm_packus_epi16(chars, chars));
    }
#endif
    for (; i < size && isPlain(text[i]); ++i) {
        if (out)
            out[i] = char(text[i]);
    }
    return i;
}

const char16_t *utf16(QStringView field)
{
    return reinterpret_cast<const char16_t *>(field.data());
}

bool isPlain(QStringView field)
{
    return plainRun(utf16(field), field.size(), nullptr) == field.size();
}

bool fitsWindows1252(QStringView field)
{
    const char16_t *text = utf16(field);
    for (qsizetype i = 0; i < field.size(); ++i) {
        i += plainRun(text + i, field.size() - i, nullptr);
        if (i < field.size() && text[i] >= 0x80 && TextEncoding::windows1252Byte(text[i]) < 0)
            return false;
    }
    return true;
}

// Appends the field in Windows-1252; false when a character has no byte there.
bool appendWindows1252(QByteArray &out, QStringView field)
{
    const qsizetype oldSize = out.size();
    out.resize(oldSize + field.size());
    char *p = out.data() + oldSize;
    const char16_t *text = utf16(field);
    for (qsizetype i = 0; i < field.size(); ++i) {
        i += plainRun(text + i, field.size() - i, p + i);
        if (i == field.size())
            break;
        const char16_t c = text[i];
        const int byte = TextEncoding::windows1252Byte(c == u'"' ? quoteAt(field, i) : c);
        if (byte < 0) {
            out.resize(oldSize);
            return false;
        }
        p[i] = char(byte);
    }
    return true;
}

void appendUtf8(QByteArray &out, QStringView field)
{
    QString replaced;
    if (field.contains(u'"')) {
        replaced = RecipeWriter::withTypographicQuotes(field);
        field = replaced;
    }
    QStringEncoder encoder(QStringEncoder::Utf8);
    const qsizetype oldSize = out.size();
    out.resize(oldSize + encoder.requiredSpace(field.size()));
    char *end = encoder.appendToBuffer(out.data() + oldSize, field);
    out.resize(end - out.constData());
}

bool flush(QIODevice &device, QByteArray &buffer, FileIdentity *identity)
{
    if (identity)
        identity->add(buffer);
    const bool ok = device.write(buffer) == buffer.size();
    buffer.resize(0); // keeps the capacity for the next chunk
    return ok;
}

} // namespace

QString RecipeWriter::withTypographicQuotes(QStringView field)
{
    QString text = field.toString();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'"')
            text[i] = QChar(quoteAt(field, i));
    }
    return text;
}

TextEncoding::Encoding RecipeWriter::chooseEncoding(const RecipeList &list)
{
    bool someInvalidUtf8 = false;
    bool someValidNonAscii = false;
    QByteArray bytes;
    for (int i = 1; i <= list.count().value(); ++i) {
        const Recipe &recipe = list.at(i);
        for (int f = 0; f < Recipe::FieldCount; ++f) {
            const QString &field = recipe.field(f);
            if (isPlain(field))
                continue;
            if (someInvalidUtf8) {
                // Already bound to read as Windows-1252: only whether the code page holds it matters.
                if (!fitsWindows1252(field))
                    return TextEncoding::Utf8;
                continue;
            }
            bytes.clear();
            if (!appendWindows1252(bytes, field))
                return TextEncoding::Utf8;
            if (TextEncoding::isValidUtf8(bytes))
                someValidNonAscii = true;
            else
                someInvalidUtf8 = true;
        }
    }
    // A Windows-1252 file whose every byte sequence is also UTF-8 would be read as UTF-8.
    return (someValidNonAscii && !someInvalidUtf8) ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

bool RecipeWriter::write(const RecipeList &list, QIODevice &device, FileIdentity *identity)
{
    if (identity)
        *identity = FileIdentity{0, 0};
    const TextEncoding::Encoding encoding = chooseEncoding(list);
    QByteArray buffer;
    buffer.reserve(ChunkSize + 4096);
    buffer += QByteArray::number(list.count().value());
    buffer += ',';
    buffer += QByteArray::number(list.current().value());
    buffer += "\r\n";
    for (int i = 1; i <= list.count().value(); ++i) {
        const Recipe &recipe = list.at(i);
        for (int f = 0; f < Recipe::FieldCount; ++f) {
            buffer += '"';
            if (encoding == TextEncoding::Windows1252)
                appendWindows1252(buffer, recipe.field(f));
            else
                appendUtf8(buffer, recipe.field(f));
            buffer += "\"\r\n";
            if (buffer.size() >= ChunkSize && !flush(device, buffer, identity))
                return false;
        }
    }
    return flush(device, buffer, identity);
}
