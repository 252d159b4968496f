#include "formats/HtmlText.h"

#include "formats/HtmlEntities.h"

#include <algorithm>

namespace {

constexpr qsizetype LongestName = 32;

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The value of a hexadecimal digit, or -1.
int hexValue(QChar c)
{
    if (isAsciiDigit(c))
        return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    return -1;
}

// The character reference at text[i] (an '&'): its length, and its character in `character`;
// 0 when none begins there.
qsizetype referenceAt(QStringView text, qsizetype i, char32_t *character)
{
    qsizetype j = i + 1;
    if (j < text.size() && text[j] == u'#') {
        const bool hex = j + 1 < text.size() && (text[j + 1] == u'x' || text[j + 1] == u'X');
        j += hex ? 2 : 1;
        const qsizetype start = j;
        char32_t value = 0;
        while (j < text.size() && (hex ? hexValue(text[j]) >= 0 : isAsciiDigit(text[j]))) {
            // Held at the first value past Unicode, so that no number of digits overflows.
            value = std::min<char32_t>(value * (hex ? 16 : 10) + char32_t(hexValue(text[j])), 0x110000);
            ++j;
        }
        if (j == start || j >= text.size() || text[j] != u';')
            return 0;
        const bool valid = value != 0 && value < 0x110000 && (value < 0xD800 || value > 0xDFFF);
        *character = valid ? value : 0xFFFD;
        return j + 1 - i;
    }
    const qsizetype start = j;
    while (j < text.size() && j - start <= LongestName && (isAsciiLetter(text[j]) || isAsciiDigit(text[j])))
        ++j;
    if (j == start || j >= text.size() || text[j] != u';' || !isAsciiLetter(text[start]))
        return 0;
    *character = HtmlEntities::lookup(text.sliced(start, j - start));
    return *character ? j + 1 - i : 0;
}

bool endsLine(QStringView tag, bool closing)
{
    static constexpr QStringView blocks[]
        = {u"p", u"div", u"li", u"ul", u"ol", u"tr", u"h1", u"h2", u"h3", u"h4", u"h5", u"h6", u"blockquote"};
    if (tag.compare(u"br", Qt::CaseInsensitive) == 0)
        return true;
    if (!closing)
        return false;
    for (const QStringView block : blocks) {
        if (tag.compare(block, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// The tag or comment at text[i] (a '<'): its length, and whether it ends a line; 0 when none
// begins there. A tag runs from a letter (after '<' or "</") to the next '>' outside quotes.
qsizetype markupAt(QStringView text, qsizetype i, bool *lineEnd)
{
    *lineEnd = false;
    if (text.sliced(i).startsWith(u"<!--")) {
        const qsizetype end = text.indexOf(u"-->", i + 4);
        return end < 0 ? 0 : end + 3 - i;
    }
    qsizetype j = i + 1;
    const bool closing = j < text.size() && text[j] == u'/';
    if (closing)
        ++j;
    const qsizetype nameStart = j;
    if (j >= text.size() || !isAsciiLetter(text[j]))
        return 0;
    while (j < text.size() && (isAsciiLetter(text[j]) || isAsciiDigit(text[j]) || text[j] == u'-' || text[j] == u':'))
        ++j;
    const QStringView name = text.sliced(nameStart, j - nameStart);
    QChar quote;
    for (; j < text.size(); ++j) {
        const QChar c = text[j];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'>') {
            *lineEnd = endsLine(name, closing);
            return j + 1 - i;
        }
    }
    return 0;
}

QString withoutMarkup(QStringView raw)
{
    QString out;
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        bool lineEnd = false;
        const qsizetype length = raw[i] == u'<' ? markupAt(raw, i, &lineEnd) : 0;
        if (length == 0) {
            out += raw[i];
            continue;
        }
        if (lineEnd)
            out += u'\n';
        i += length - 1;
    }
    return out;
}

void appendReference(QString &out, char32_t character)
{
    out += u"&#" + QString::number(uint(character)) + u';';
}

} // namespace

QString HtmlText::decodeEntities(QStringView text)
{
    if (!text.contains(u'&'))
        return text.toString();
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t character = 0;
        const qsizetype length = text[i] == u'&' ? referenceAt(text, i, &character) : 0;
        if (length == 0) {
            out += text[i];
            continue;
        }
        out += QStringView(QChar::fromUcs4(character));
        i += length - 1;
    }
    return out;
}

QString HtmlText::toPlainText(QStringView raw)
{
    QString text = raw.contains(u'<') ? withoutMarkup(raw) : raw.toString();
    if (text.contains(u'\n') || text.contains(u'\r')) {
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        text.replace(u'\r', u'\n');
        text.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    }
    return decodeEntities(QStringView(text).trimmed());
}

QString HtmlText::escape(QStringView text)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && text[begin].isSpace())
        ++begin;
    while (end > begin && text[end - 1].isSpace())
        --end;
    QString out;
    out.reserve(text.size() + 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        char32_t character = 0;
        bool lineEnd = false;
        if (i < begin || i >= end) {
            appendReference(out, c.unicode());
        } else if (c == u'\r' && i + 1 < end && text[i + 1] == u'\n') {
            out += u'\n';
            ++i;
        } else if (c == u'\r' || c == u'\n') {
            appendReference(out, c.unicode());
        } else if (c == u'&' && referenceAt(text, i, &character) > 0) {
            out += u"&amp;";
        } else if (c == u'<' && markupAt(text, i, &lineEnd) > 0) {
            out += u"&lt;";
        } else {
            out += c;
        }
    }
    return out;
}
