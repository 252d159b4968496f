#include "formats/MasterCookReader.h"

#include "core/RuntimeError.h"
#include "formats/DurationText.h"
#include "formats/ImportedRecipe.h"
#include "formats/TextLines.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

#include <optional>

using TextLines::isBlank;
using TextLines::trimmedRight;

namespace {

// The columns of the ingredient table: amount 1-8, measure 11-22, ingredient from 25.
constexpr qsizetype MeasureColumn = 10;
constexpr qsizetype IngredientColumn = 24;

// The end of the directions: "- - - - - - - -".
bool isSeparator(QStringView line)
{
    return line.trimmed().startsWith(u"- - - -");
}

// The text of a header field ("Recipe By     : name") up to `end`, if the line holds the field.
std::optional<QString> field(QStringView line, QStringView label, QStringView end = {})
{
    const qsizetype at = line.indexOf(label, 0, Qt::CaseInsensitive);
    const qsizetype colon = at < 0 ? -1 : line.indexOf(u':', at + label.size());
    if (colon < 0 || !line.sliced(at + label.size(), colon - at - label.size()).trimmed().isEmpty())
        return std::nullopt;
    QStringView value = line.sliced(colon + 1);
    const qsizetype stop = end.isEmpty() ? -1 : value.indexOf(end, 0, Qt::CaseInsensitive);
    if (stop >= 0)
        value = value.left(stop);
    return value.trimmed().toString();
}

QStringList categories(QStringView text)
{
    static const QRegularExpression columns(QStringLiteral("\\s{2,}"));
    return text.toString().trimmed().split(columns, Qt::SkipEmptyParts);
}

// An ingredient row, its columns joined one blank apart; a row out of column, its words.
QString ingredient(QStringView line)
{
    const auto blankAt = [&](qsizetype column) { return line.size() <= column || isBlank(line.mid(column, 2)); };
    if (!blankAt(MeasureColumn - 2) || !blankAt(IngredientColumn - 2))
        return line.toString().simplified();
    QStringList parts;
    for (const QStringView part :
         {line.left(MeasureColumn - 2), line.mid(MeasureColumn, IngredientColumn - 2 - MeasureColumn),
          line.mid(IngredientColumn)}) {
        if (!part.trimmed().isEmpty())
            parts << part.trimmed().toString();
    }
    return parts.join(u' ');
}

class MasterCookParser
{
    Q_DECLARE_TR_FUNCTIONS(MasterCookReader)

public:
    explicit MasterCookParser(QStringView text)
        : m_lines(TextLines::split(text))
    { }

    QList<Recipe> read()
    {
        QList<Recipe> recipes;
        qsizetype i = 0;
        while (i < m_lines.size()) {
            if (MasterCookReader::isHeader(m_lines[i]))
                recipes << readRecipe(i);
            else
                ++i;
        }
        if (recipes.isEmpty())
            throw RuntimeError(RuntimeError::InvalidFileFormat, tr("no MasterCook recipe in it"));
        return recipes;
    }

private:
    static RuntimeError formatError(qsizetype line, const QString &what)
    {
        return RuntimeError(RuntimeError::InvalidFileFormat, tr("line %1: %2").arg(line + 1).arg(what));
    }

    bool ends(qsizetype i) const { return i >= m_lines.size() || MasterCookReader::isHeader(m_lines[i]); }

    Recipe readRecipe(qsizetype &i)
    {
        const qsizetype header = i;
        for (++i; !ends(i) && isBlank(m_lines[i]);)
            ++i;
        if (ends(i))
            throw formatError(header, tr("the recipe has no title: the file is cut short"));
        ImportedRecipe recipe;
        recipe.fields.name = m_lines[i].trimmed().toString();
        readHeaderFields(++i, recipe);
        if (ends(i)) {
            throw formatError(
                header, tr("the recipe “%1” has no ingredient table: the file is cut short").arg(recipe.fields.name));
        }
        QStringList ingredients;
        for (; !ends(i) && !isBlank(m_lines[i]); ++i)
            ingredients << ingredient(m_lines[i]);
        recipe.fields.ingredients = ingredients.join(u"\r\n");
        QStringList directions;
        for (; !ends(i) && !isSeparator(m_lines[i]); ++i)
            directions << trimmedRight(m_lines[i]).toString();
        recipe.fields.directions = TextLines::unwrap(directions).join(u"\r\n");
        QStringList notes;
        for (i += isSeparator(m_lines.value(i)) ? 1 : 0; !ends(i); ++i) {
            // The nutrient database's codes mean nothing outside MasterCook.
            if (!m_lines[i].trimmed().startsWith(u"Nutr. Assoc.", Qt::CaseInsensitive))
                notes << trimmedRight(m_lines[i]).toString();
        }
        recipe.addLines(TextLines::unwrap(notes).join(u"\r\n"));
        return recipe.finished();
    }

    // Recipe By, Serving Size, Preparation Time and Categories, up to the ingredient table's
    // heading and rule; i stops after them, or at the end of the recipe when they are missing.
    void readHeaderFields(qsizetype &i, ImportedRecipe &recipe)
    {
        QStringList kinds;
        bool inCategories = false;
        for (; !ends(i); ++i) {
            const QStringView line = m_lines[i];
            if (line.trimmed().startsWith(u"Amount", Qt::CaseInsensitive)
                && line.contains(u"Ingredient", Qt::CaseInsensitive)) {
                i += (!ends(i + 1) && m_lines[i + 1].trimmed().startsWith(u"--")) ? 2 : 1;
                break;
            }
            if (const auto value = field(line, u"Categories")) {
                kinds += categories(*value);
                inCategories = true;
                continue;
            }
            if (inCategories && !isBlank(line) && line.startsWith(u' ')) {
                kinds += categories(line);
                continue;
            }
            inCategories = false;
            if (const auto value = field(line, u"Recipe By"))
                recipe.add(ImportedRecipe::RecipeBy, *value);
            if (const auto value = field(line, u"Serving Size", u"Preparation Time"))
                recipe.fields.servings = *value == u"0" ? QString() : *value; // 0: not given
            if (const auto value = field(line, u"Preparation Time")) {
                bool ok = false;
                const QString time = DurationText::fromHoursMinutes(*value, &ok);
                recipe.fields.prepTime = ok ? time : *value;
            }
        }
        recipe.add(ImportedRecipe::Categories, kinds.join(u", "));
    }

    QList<QStringView> m_lines;
};

} // namespace

bool MasterCookReader::isHeader(QStringView line)
{
    if (!line.contains(u"MasterCook", Qt::CaseInsensitive))
        return false;
    const QString text = line.toString().simplified();
    return text.startsWith(u'*') && text.contains(u"Exported from MasterCook", Qt::CaseInsensitive);
}

QList<Recipe> MasterCookReader::read(QStringView text)
{
    return MasterCookParser(text).read();
}
