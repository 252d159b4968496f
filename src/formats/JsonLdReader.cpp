#include "formats/JsonLdReader.h"

#include "core/RuntimeError.h"
#include "formats/DurationText.h"
#include "formats/HtmlText.h"
#include "formats/ImportedRecipe.h"
#include "store/TextEncoding.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <utility>

Q_LOGGING_CATEGORY(lcJsonLd, "larderly.formats", QtInfoMsg)

namespace {

// Deeper nesting than any recipe page needs is not followed.
constexpr int MaxDepth = 64;

RuntimeError formatError(const QString &what)
{
    return RuntimeError(RuntimeError::InvalidFileFormat, what);
}

QByteArrayView withoutBom(QByteArrayView bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes;
}

// A block of JSON and the line of the file it begins on.
struct Block
{
    QByteArray json;
    int firstLine;
};

QString pageText(QByteArrayView bytes)
{
    bytes = withoutBom(bytes);
    return TextEncoding::isValidUtf8(bytes) ? QString::fromUtf8(bytes) : TextEncoding::decodeWindows1252(bytes);
}

QStringView withoutWrapping(QStringView script)
{
    script = script.trimmed();
    for (const auto &[open, close] :
         {std::pair{u"<!--", u"-->"}, std::pair{u"//<![CDATA[", u"//]]>"}, std::pair{u"<![CDATA[", u"]]>"}}) {
        if (script.startsWith(open) && script.endsWith(close))
            script = script.sliced(QStringView(open).size()).chopped(QStringView(close).size()).trimmed();
    }
    return script;
}

// The <script type="application/ld+json"> blocks of a page.
QList<Block> scripts(const QString &page)
{
    static const QRegularExpression jsonLd(QStringLiteral("\\btype\\s*=\\s*[\"']?\\s*application/ld\\+json"),
                                           QRegularExpression::CaseInsensitiveOption);
    QList<Block> blocks;
    int line = 1;
    qsizetype counted = 0;
    for (qsizetype at = page.indexOf(u"<script", 0, Qt::CaseInsensitive); at >= 0;
         at = page.indexOf(u"<script", at + 1, Qt::CaseInsensitive)) {
        const qsizetype tagEnd = page.indexOf(u'>', at);
        if (tagEnd < 0)
            break;
        const qsizetype end = page.indexOf(u"</script", tagEnd, Qt::CaseInsensitive);
        if (!jsonLd.match(QStringView(page).sliced(at, tagEnd - at)).hasMatch())
            continue;
        const QStringView content = QStringView(page).sliced(tagEnd + 1, (end < 0 ? page.size() : end) - tagEnd - 1);
        const QStringView json = withoutWrapping(content);
        const qsizetype start = json.isEmpty() ? tagEnd + 1 : json.data() - page.constData();
        line += int(QStringView(page).sliced(counted, start - counted).count(u'\n'));
        counted = start;
        blocks << Block{json.toUtf8(), line};
        if (end < 0)
            break;
        at = end;
    }
    return blocks;
}

bool isRecipe(const QJsonObject &object)
{
    const QJsonValue type = object.value(u"@type");
    const QJsonArray types = type.isArray() ? type.toArray() : QJsonArray{type};
    for (const QJsonValue &value : types) {
        const QString name = value.toString();
        if (name == u"Recipe" || name.endsWith(u"/Recipe") || name.endsWith(u":Recipe"))
            return true;
    }
    return false;
}

QString numberText(double number)
{
    return QString::number(number, 'g', 15);
}

// The text of a value: a string's plain text, a number, the first text of a list, an object's
// @value, name or text.
QString textOf(const QJsonValue &value, int depth = 0)
{
    if (value.isString())
        return HtmlText::toPlainText(value.toString());
    if (value.isDouble())
        return numberText(value.toDouble());
    if (depth > MaxDepth)
        return QString();
    if (value.isArray()) {
        for (const QJsonValue &item : value.toArray()) {
            const QString text = textOf(item, depth + 1);
            if (!text.isEmpty())
                return text;
        }
    }
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (const QStringView key : {QStringView(u"@value"), QStringView(u"name"), QStringView(u"text")}) {
            if (object.contains(key))
                return textOf(object.value(key), depth + 1);
        }
    }
    return QString();
}

// The texts of a value that may be a list, one comma apart.
QString listText(const QJsonValue &value)
{
    if (!value.isArray())
        return textOf(value);
    QStringList texts;
    for (const QJsonValue &item : value.toArray()) {
        const QString text = textOf(item);
        if (!text.isEmpty() && !texts.contains(text))
            texts << text;
    }
    return texts.join(u", ");
}

// An ISO 8601 duration as a person writes it; anything else as it stands.
QString durationOf(const QJsonValue &value)
{
    if (value.isArray())
        return value.toArray().isEmpty() ? QString() : durationOf(value.toArray().first());
    if (!value.isString())
        return textOf(value);
    bool ok = false;
    const QString written = DurationText::fromIso(QStringView(value.toString()).trimmed(), &ok);
    return ok ? written : HtmlText::toPlainText(value.toString());
}

void collectYields(const QJsonValue &value, QStringList &yields, int depth)
{
    if (depth > MaxDepth)
        return;
    if (value.isArray()) {
        for (const QJsonValue &item : value.toArray())
            collectYields(item, yields, depth + 1);
        return;
    }
    QString text = textOf(value);
    if (value.isObject()) { // a QuantitativeValue
        const QJsonObject object = value.toObject();
        const QString low = textOf(object.value(u"minValue")), high = textOf(object.value(u"maxValue"));
        QString amount = textOf(object.value(u"value"));
        if (amount.isEmpty() && !low.isEmpty() && !high.isEmpty())
            amount = low + u'-' + high;
        const QString unit = textOf(object.value(u"unitText"));
        if (!amount.isEmpty())
            text = unit.isEmpty() ? amount : amount + u' ' + unit;
    }
    if (!text.isEmpty() && !yields.contains(text))
        yields << text;
}

// Whether a yield counts servings: a bare number or range, or a number of servings by name.
bool countsServings(const QString &yield)
{
    static const QRegularExpression servings(QStringLiteral("^\\d+([.,/-]\\d+)*$|serving|portion|people|person|serves"),
                                             QRegularExpression::CaseInsensitiveOption);
    return servings.match(yield).hasMatch();
}

// The lines of an ingredient list or of directions: texts, lists of them, HowToStep and
// HowToDirection (their text), HowToSection and ItemList (their name, then their items).
void collectLines(const QJsonValue &value, QStringList &lines, int depth)
{
    if (depth > MaxDepth)
        return;
    if (value.isString() || value.isDouble()) {
        lines << textOf(value);
    } else if (value.isArray()) {
        for (const QJsonValue &item : value.toArray())
            collectLines(item, lines, depth + 1);
    } else if (value.isObject()) {
        const QJsonObject object = value.toObject();
        if (object.contains(u"text"))
            lines << textOf(object.value(u"text"));
        else if (object.contains(u"itemListElement") && object.contains(u"name"))
            lines << textOf(object.value(u"name"));
        if (object.contains(u"itemListElement"))
            collectLines(object.value(u"itemListElement"), lines, depth + 1);
        else if (object.contains(u"item"))
            collectLines(object.value(u"item"), lines, depth + 1);
        else if (!object.contains(u"text") && object.contains(u"name"))
            lines << textOf(object.value(u"name"));
    }
}

QString linesOf(const QJsonValue &value)
{
    QStringList lines;
    collectLines(value, lines, 0);
    return lines.join(u"\r\n");
}

// "calories 240 kcal; fat 9 g": a NutritionInformation's properties, their names made words.
QString nutritionOf(const QJsonValue &value)
{
    if (!value.isObject())
        return listText(value);
    QStringList parts;
    const QJsonObject object = value.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QString text = textOf(it.value());
        if (it.key().startsWith(u'@') || text.isEmpty())
            continue;
        const QString key = QString(it.key()).remove(QStringLiteral("Content"));
        QString name;
        for (const QChar c : key) {
            if (c.isUpper())
                name += u' ';
            name += c.toLower();
        }
        parts << name + u' ' + text;
    }
    return parts.join(u"; ");
}

// "VeganDiet" for schema.org's https://schema.org/VeganDiet.
QString dietOf(const QJsonValue &value)
{
    static const QRegularExpression vocabulary(QStringLiteral("^https?://schema\\.org/"));
    QStringList diets;
    for (const QJsonValue &item : value.isArray() ? value.toArray() : QJsonArray{value})
        diets << textOf(item).remove(vocabulary);
    diets.removeAll(QString());
    return diets.join(u", ");
}

Recipe recipeOf(const QJsonObject &object)
{
    ImportedRecipe recipe;
    Recipe &fields = recipe.fields;
    fields.name = textOf(object.value(u"name"));
    fields.prepTime = durationOf(object.value(u"prepTime"));
    fields.cookTime = durationOf(object.value(u"cookTime"));
    QStringList yields;
    collectYields(object.contains(u"recipeYield") ? object.value(u"recipeYield") : object.value(u"yield"), yields, 0);
    // The first yield that counts servings is the servings; the others that do would repeat it.
    const auto servings = std::find_if(yields.begin(), yields.end(), countsServings);
    fields.servings = yields.isEmpty() ? QString() : servings != yields.end() ? *servings : yields.first();
    if (servings != yields.end())
        yields.erase(std::remove_if(yields.begin(), yields.end(), countsServings), yields.end());
    yields.removeOne(fields.servings);
    fields.ingredients = linesOf(object.contains(u"recipeIngredient") ? object.value(u"recipeIngredient")
                                                                      : object.value(u"ingredients"));
    fields.directions = linesOf(object.value(u"recipeInstructions"));

    recipe.add(ImportedRecipe::Description, textOf(object.value(u"description")));
    recipe.add(ImportedRecipe::Categories, listText(object.value(u"recipeCategory")));
    recipe.add(ImportedRecipe::Cuisine, listText(object.value(u"recipeCuisine")));
    recipe.add(ImportedRecipe::Keywords, listText(object.value(u"keywords")));
    recipe.add(ImportedRecipe::Diet, dietOf(object.value(u"suitableForDiet")));
    recipe.add(ImportedRecipe::Yield, yields.join(u"; "));
    recipe.add(ImportedRecipe::TotalTime, durationOf(object.value(u"totalTime")));
    recipe.add(ImportedRecipe::Author, listText(object.value(u"author")));
    recipe.add(ImportedRecipe::Source,
               textOf(object.contains(u"url") ? object.value(u"url") : object.value(u"isBasedOn")));
    recipe.add(ImportedRecipe::Equipment, listText(object.value(u"tool")));
    recipe.add(ImportedRecipe::Nutrition, nutritionOf(object.value(u"nutrition")));
    return recipe.finished();
}

class Collector
{
public:
    void collect(const QJsonValue &value, int depth = 0)
    {
        if (depth > MaxDepth)
            return;
        if (value.isArray()) {
            for (const QJsonValue &item : value.toArray())
                collect(item, depth + 1);
            return;
        }
        if (!value.isObject())
            return;
        const QJsonObject object = value.toObject();
        if (!isRecipe(object)) {
            for (const QJsonValue &item : object)
                collect(item, depth + 1);
            return;
        }
        // The same recipe named twice (once in a page's @graph, once as its main entity) is one.
        const QString id = object.value(u"@id").toString();
        if (id.isEmpty() || !m_ids.contains(id))
            recipes << recipeOf(object);
        if (!id.isEmpty())
            m_ids.insert(id);
    }

    QList<Recipe> recipes;

private:
    QSet<QString> m_ids;
};

} // namespace

bool JsonLdReader::isJson(QByteArrayView bytes)
{
    for (const char c : withoutBom(bytes)) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            return c == '{' || c == '[';
    }
    return false;
}

QList<Recipe> JsonLdReader::read(QByteArrayView bytes)
{
    const QList<Block> blocks
        = isJson(bytes) ? QList<Block>{Block{withoutBom(bytes).toByteArray(), 1}} : scripts(pageText(bytes));
    if (blocks.isEmpty())
        throw formatError(QCoreApplication::translate(
            "JsonLdReader",
            "no JSON-LD in it (neither a JSON document nor a page with an application/ld+json script)"));
    Collector collector;
    QString firstError;
    for (const Block &block : blocks) {
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(block.json, &error);
        if (error.error != QJsonParseError::NoError) {
            const qsizetype offset = std::clamp<qsizetype>(error.offset, 0, block.json.size());
            const int line = block.firstLine + int(QByteArrayView(block.json).first(offset).count('\n'));
            if (firstError.isEmpty())
                firstError
                    = QCoreApplication::translate("JsonLdReader", "line %1: %2").arg(line).arg(error.errorString());
            continue;
        }
        collector.collect(document.isArray() ? QJsonValue(document.array()) : QJsonValue(document.object()));
    }
    if (collector.recipes.isEmpty())
        throw formatError(firstError.isEmpty()
                              ? QCoreApplication::translate("JsonLdReader", "no schema.org Recipe in it")
                              : firstError);
    // Pages carry JSON-LD of all kinds, and the recipes were found in the rest.
    if (!firstError.isEmpty())
        qCWarning(lcJsonLd) << "a JSON-LD block that does not parse is passed over:" << firstError;
    return collector.recipes;
}
