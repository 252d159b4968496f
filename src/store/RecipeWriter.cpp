#include "RecipeWriter.h"

#include "RecipeList.h"

#include <QIODevice>
#include <QStringEncoder>

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

bool isPlain(QStringView field)
{
    for (const QChar c : field) {
        if (!isPlain(c.unicode()))
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
    for (qsizetype i = 0; i < field.size(); ++i) {
        char16_t c = field.at(i).unicode();
        if (!isPlain(c)) {
            const int byte = TextEncoding::windows1252Byte(c == u'"' ? quoteAt(field, i) : c);
            if (byte < 0) {
                out.resize(oldSize);
                return false;
            }
            c = char16_t(byte);
        }
        *p++ = char(c);
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

bool flush(QIODevice &device, QByteArray &buffer)
{
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
    for (int i = 1; i <= list.RecipeCount().value(); ++i) {
        const Recipe &recipe = list.Recipes(i);
        for (int f = 0; f < Recipe::FieldCount; ++f) {
            const QString &field = recipe.field(f);
            if (isPlain(field))
                continue;
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

bool RecipeWriter::write(const RecipeList &list, QIODevice &device)
{
    const TextEncoding::Encoding encoding = chooseEncoding(list);
    QByteArray buffer;
    buffer.reserve(ChunkSize + 4096);
    buffer += QByteArray::number(list.RecipeCount().value());
    buffer += ',';
    buffer += QByteArray::number(list.CurrentRecipe().value());
    buffer += "\r\n";
    for (int i = 1; i <= list.RecipeCount().value(); ++i) {
        const Recipe &recipe = list.Recipes(i);
        for (int f = 0; f < Recipe::FieldCount; ++f) {
            buffer += '"';
            if (encoding == TextEncoding::Windows1252)
                appendWindows1252(buffer, recipe.field(f));
            else
                appendUtf8(buffer, recipe.field(f));
            buffer += "\"\r\n";
            if (buffer.size() >= ChunkSize && !flush(device, buffer))
                return false;
        }
    }
    return flush(device, buffer);
}
