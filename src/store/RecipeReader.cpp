#include "store/RecipeReader.h"

#include "core/RuntimeError.h"
#include "store/ItemReader.h"
#include "store/RecipeList.h"

#include <QIODevice>

namespace {

// Raised in the UTF-8 pass when an item turns out not to be UTF-8.
struct NotUtf8
{
};

Int16 headerValue(QByteArrayView text)
{
    qsizetype i = 0;
    qsizetype end = text.size();
    while (i < end && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    while (end > i && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    bool negative = false;
    if (i < end && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    if (i == end)
        throw RuntimeError(RuntimeError::TypeMismatch);
    qint64 value = 0;
    for (; i < end; ++i) {
        if (text[i] < '0' || text[i] > '9')
            throw RuntimeError(RuntimeError::TypeMismatch);
        if (value <= Int16::Max + 1)
            value = value * 10 + (text[i] - '0');
    }
    return Int16::fromWide(negative ? -value : value);
}

Int16 repairedCurrent(Int16 count, Int16 current)
{
    if (RecipeList::isValidCurrent(count, current))
        return current;
    if (count == 0)
        return 0;
    return current < 1 ? Int16(1) : count;
}

void readAs(QIODevice &device, RecipeList &list, TextEncoding::Encoding encoding)
{
    ItemReader items(device);
    ItemReader::Item item;

    if (!items.next(item))
        throw RuntimeError(RuntimeError::InputPastEndOfFile);
    const Int16 count = headerValue(item.bytes);
    if (!items.next(item))
        throw RuntimeError(RuntimeError::InputPastEndOfFile);
    const Int16 current = headerValue(item.bytes);
    if (count < 0)
        throw RuntimeError(RuntimeError::SubscriptOutOfRange);

    list.sizeForLoading(count, repairedCurrent(count, current));
    for (int i = 1; i <= count.value(); ++i) {
        Recipe &recipe = list.at(i);
        for (int f = 0; f < Recipe::FieldCount; ++f) {
            if (!items.next(item))
                throw RuntimeError(RuntimeError::InputPastEndOfFile);
            QString &field = recipe.field(f);
            if (TextEncoding::isAscii(item.bytes)) {
                field = QString::fromLatin1(item.bytes.data(), item.bytes.size());
            } else if (encoding == TextEncoding::Windows1252) {
                field = TextEncoding::decodeWindows1252(item.bytes);
            } else if (TextEncoding::isValidUtf8(item.bytes)) {
                field = TextEncoding::decodeUtf8(item.bytes);
            } else {
                throw NotUtf8();
            }
            if (item.unterminated)
                throw RuntimeError(RuntimeError::InputPastEndOfFile);
        }
    }
}

} // namespace

TextEncoding::Encoding RecipeReader::read(QIODevice &device, RecipeList &list)
{
    const qint64 start = device.pos();
    try {
        readAs(device, list, TextEncoding::Utf8);
        return TextEncoding::Utf8;
    } catch (const NotUtf8 &) { }
    if (!device.seek(start))
        throw RuntimeError(RuntimeError::DeviceIOError);
    readAs(device, list, TextEncoding::Windows1252);
    return TextEncoding::Windows1252;
}
