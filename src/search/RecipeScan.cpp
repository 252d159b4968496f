#include "search/RecipeScan.h"

#include "search/TextFolding.h"
#include "store/RecipeList.h"

std::optional<RecipeScan::Hit> RecipeScan::find(const RecipeList &list, int start, const QString &text)
{
    if (text.isEmpty())
        return std::nullopt;
    const QString needle = TextFolding::folded(text);
    const int last = list.count().value();
    for (int i = qMax(start, 1); i <= last; ++i) {
        const Recipe &recipe = list.at(i);
        for (int f = 0; f < Recipe::FieldCount; ++f) {
            const QString &field = recipe.field(f);
            // A text of accents alone folds to nothing; it is then compared without folding accents.
            const bool found
                = needle.isEmpty() ? field.contains(text, Qt::CaseInsensitive) : TextFolding::contains(field, needle);
            if (found)
                return Hit{i, f};
        }
    }
    return std::nullopt;
}
