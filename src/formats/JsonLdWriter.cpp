#include "formats/JsonLdWriter.h"

#include "formats/DurationText.h"
#include "formats/HtmlText.h"
#include "store/RecipeList.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

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

QJsonObject recipeObject(const Recipe &recipe)
{
    QJsonObject object{{QStringLiteral("@type"), QStringLiteral("Recipe")},
                       {QStringLiteral("name"), HtmlText::escape(recipe.name)}};
    if (!recipe.prepTime.isEmpty())
        object.insert(QStringLiteral("prepTime"), timeOf(recipe.prepTime));
    if (!recipe.cookTime.isEmpty())
        object.insert(QStringLiteral("cookTime"), timeOf(recipe.cookTime));
    if (!recipe.servings.isEmpty())
        object.insert(QStringLiteral("recipeYield"), HtmlText::escape(recipe.servings));
    // A line each, split at CR LF only: a lone CR or LF is text of the line.
    if (!recipe.ingredients.isEmpty()) {
        QJsonArray lines;
        for (const QStringView line : QStringView(recipe.ingredients).split(u"\r\n"))
            lines.append(HtmlText::escape(line));
        object.insert(QStringLiteral("recipeIngredient"), lines);
    }
    if (!recipe.directions.isEmpty()) {
        QJsonArray steps;
        for (const QStringView line : QStringView(recipe.directions).split(u"\r\n")) {
            steps.append(QJsonObject{{QStringLiteral("@type"), QStringLiteral("HowToStep")},
                                     {QStringLiteral("text"), HtmlText::escape(line)}});
        }
        object.insert(QStringLiteral("recipeInstructions"), steps);
    }
    return object;
}

} // namespace

QByteArray JsonLdWriter::write(const RecipeList &list)
{
    QJsonArray recipes;
    for (int i = 1; i <= list.count().value(); ++i)
        recipes.append(recipeObject(list.at(i)));
    const QJsonObject document{{QStringLiteral("@context"), QStringLiteral("https://schema.org")},
                               {QStringLiteral("@graph"), recipes}};
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}
