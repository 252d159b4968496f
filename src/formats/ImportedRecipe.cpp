#include "formats/ImportedRecipe.h"

namespace {

const QString LineEnd = QStringLiteral("\r\n");

// Half a character beyond the BMP (a lone surrogate, which a JSON escape or an exotic XML encoding
// can make) is no text any file can hold: it becomes U+FFFD.
void replaceLoneSurrogates(QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            text[i] = QChar::ReplacementCharacter;
    }
}

} // namespace

QString ImportedRecipe::label(Detail detail)
{
    switch (detail) {
    case Description:
        return tr("Description");
    case Categories:
        return tr("Categories");
    case Cuisine:
        return tr("Cuisine");
    case Keywords:
        return tr("Keywords");
    case Diet:
        return tr("Diet");
    case Yield:
        return tr("Yield");
    case TotalTime:
        return tr("Total Time");
    case RecipeBy:
        return tr("Recipe By");
    case Author:
        return tr("Author");
    case Source:
        return tr("Source");
    case Equipment:
        return tr("Equipment");
    case Nutrition:
        return tr("Nutrition");
    case Notes:
        return tr("Notes");
    }
    return QString();
}

QString ImportedRecipe::heading()
{
    return tr("More about this recipe");
}

void ImportedRecipe::add(Detail detail, const QString &text)
{
    add(label(detail), text);
}

void ImportedRecipe::add(const QString &label, const QString &text)
{
    if (!text.trimmed().isEmpty())
        m_details.append({label, text.trimmed()});
}

void ImportedRecipe::addLines(const QString &text)
{
    add(QString(), text);
}

Recipe ImportedRecipe::finished() const
{
    Recipe recipe = fields;
    QString &directions = recipe.directions;
    if (!m_details.isEmpty()) {
        if (!directions.isEmpty())
            directions += LineEnd + LineEnd;
        directions += u"-- " + heading() + u" --";
    }
    for (const auto &[label, text] : m_details) {
        directions += LineEnd;
        if (label.isEmpty())
            directions += text;
        else if (text.contains(u'\r') || text.contains(u'\n'))
            directions += label + u':' + LineEnd + text;
        else
            directions += label + u": " + text;
    }
    for (int field = 0; field < Recipe::FieldCount; ++field)
        replaceLoneSurrogates(recipe.field(field));
    return recipe;
}
