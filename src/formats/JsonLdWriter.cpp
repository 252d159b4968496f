#include "formats/JsonLdWriter.h"

#include "formats/DurationText.h"
#include "formats/HtmlText.h"
#include "store/RecipeList.h"

#include <QList>

namespace {

// A time as an ISO 8601 duration when the import would write that duration as this very text;
// otherwise the text, its first letter a character reference should it read as a duration itself.
QString timeOf(const QString &text)
{
    const QString iso = DurationText::toIso(text);
    if (!iso.isEmpty())
        return iso;
    QString escaped = HtmlText::escape(text);
    bool duration = false;
    DurationText::fromIso(escaped, &duration);
    if (duration)
        escaped.replace(0, 1, u"&#" + QString::number(escaped.at(0).unicode()) + u';');
    return escaped;
}

// A JSON string in UTF-8. Written here rather than by QJsonDocument, which takes several times
// as long over a box of 32,767 recipes; the import reads it with QJsonDocument.
void appendString(QByteArray &out, QStringView text)
{
    static const char hex[] = "0123456789abcdef";
    const qsizetype start = out.size();
    out.resize(start + 2 + 6 * text.size()); // the most any character takes
    char *p = out.data() + start;
    *p++ = '"';
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x20 && c < 0x80 && c != u'"' && c != u'\\') {
            *p++ = char(c);
        } else if (c < 0x80 || c == 0xFEFF) { // Qt's reader drops a raw U+FEFF at the start of a string
            const char escaped = c == u'"' ? '"'
                : c == u'\\'               ? '\\'
                : c == u'\n'               ? 'n'
                : c == u'\r'               ? 'r'
                : c == u'\t'               ? 't'
                                           : 0;
            *p++ = '\\';
            if (escaped) {
                *p++ = escaped;
            } else {
                *p++ = 'u';
                *p++ = hex[c >> 12];
                *p++ = hex[(c >> 8) & 0xF];
                *p++ = hex[(c >> 4) & 0xF];
                *p++ = hex[c & 0xF];
            }
        } else if (c < 0x800) {
            *p++ = char(0xC0 | (c >> 6));
            *p++ = char(0x80 | (c & 0x3F));
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            const char32_t u = QChar::surrogateToUcs4(c, text[++i].unicode());
            *p++ = char(0xF0 | (u >> 18));
            *p++ = char(0x80 | ((u >> 12) & 0x3F));
            *p++ = char(0x80 | ((u >> 6) & 0x3F));
            *p++ = char(0x80 | (u & 0x3F));
        } else {
            const char16_t b = QChar::isSurrogate(c) ? char16_t(QChar::ReplacementCharacter) : c;
            *p++ = char(0xE0 | (b >> 12));
            *p++ = char(0x80 | ((b >> 6) & 0x3F));
            *p++ = char(0x80 | (b & 0x3F));
        }
    }
    *p++ = '"';
    out.resize(p - out.constData());
}

// A text as HtmlText::escape() writes it; most need nothing escaped, and keep their characters.
void appendText(QByteArray &out, QStringView text)
{
    const bool plain = !text.isEmpty() && !text.front().isSpace() && !text.back().isSpace() && !text.contains(u'&')
        && !text.contains(u'<') && !text.contains(u'\r') && !text.contains(u'\n');
    appendString(out, plain ? text : QStringView(HtmlText::escape(text)));
}

void appendProperty(QByteArray &out, const char *name, QStringView value, bool time = false)
{
    out += ",\n      \"";
    out += name;
    out += "\": ";
    if (time)
        appendString(out, timeOf(value.toString()));
    else
        appendText(out, value);
}

// About the size of the document, to reserve room for it at once.
qsizetype writtenSize(const RecipeList &list)
{
    qsizetype size = 0;
    for (int i = 1; i <= list.count().value(); ++i) {
        for (int field = 0; field < Recipe::FieldCount; ++field)
            size += list.at(i).field(field).size();
    }
    return size + size / 2 + qsizetype(list.count().value()) * 512;
}

void appendRecipe(QByteArray &out, const Recipe &recipe)
{
    out += "    {\n      \"@type\": \"Recipe\"";
    appendProperty(out, "name", recipe.name);
    if (!recipe.prepTime.isEmpty())
        appendProperty(out, "prepTime", recipe.prepTime, true);
    if (!recipe.cookTime.isEmpty())
        appendProperty(out, "cookTime", recipe.cookTime, true);
    if (!recipe.servings.isEmpty())
        appendProperty(out, "recipeYield", recipe.servings);
    // A line each, split at CR LF only: a lone CR or LF is text of the line.
    if (!recipe.ingredients.isEmpty()) {
        out += ",\n      \"recipeIngredient\": [";
        const char *separator = "\n        ";
        for (const QStringView line : QStringView(recipe.ingredients).split(u"\r\n")) {
            out += separator;
            appendText(out, line);
            separator = ",\n        ";
        }
        out += "\n      ]";
    }
    if (!recipe.directions.isEmpty()) {
        out += ",\n      \"recipeInstructions\": [";
        const char *separator = "\n        ";
        for (const QStringView line : QStringView(recipe.directions).split(u"\r\n")) {
            out += separator;
            out += "{\"@type\": \"HowToStep\", \"text\": ";
            appendText(out, line);
            out += '}';
            separator = ",\n        ";
        }
        out += "\n      ]";
    }
    out += "\n    }";
}

} // namespace

QByteArray JsonLdWriter::write(const RecipeList &list)
{
    QByteArray out;
    out.reserve(writtenSize(list));
    out += "{\n  \"@context\": \"https://schema.org\",\n  \"@graph\": [\n";
    for (int i = 1; i <= list.count().value(); ++i) {
        appendRecipe(out, list.at(i));
        out += i < list.count().value() ? ",\n" : "\n";
    }
    out += "  ]\n}\n";
    return out;
}
