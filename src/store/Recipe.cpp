#include "store/Recipe.h"

#include "core/RuntimeError.h"

QString &Recipe::field(int index)
{
    return const_cast<QString &>(static_cast<const Recipe *>(this)->field(index));
}

const QString &Recipe::field(int index) const
{
    switch (index) {
    case Name:
        return name;
    case PrepTime:
        return prepTime;
    case CookTime:
        return cookTime;
    case Servings:
        return servings;
    case Ingredients:
        return ingredients;
    case Directions:
        return directions;
    }
    throw RuntimeError(RuntimeError::SubscriptOutOfRange);
}

bool operator==(const Recipe &a, const Recipe &b)
{
    return a.name == b.name && a.prepTime == b.prepTime && a.cookTime == b.cookTime && a.servings == b.servings
        && a.ingredients == b.ingredients && a.directions == b.directions;
}
