#include "store/Recipe.h"

#include "core/RuntimeError.h"

QString &Recipe::field(int index)
{
    return const_cast<QString &>(static_cast<const Recipe *>(this)->field(index));
}

const QString &Recipe::field(int index) const
{
    switch (index) {
    case 0: return Name;
    case 1: return PrepTime;
    case 2: return CookTime;
    case 3: return Servings;
    case 4: return Ingredients;
    case 5: return Directions;
    }
    throw RuntimeError(RuntimeError::SubscriptOutOfRange);
}

bool operator==(const Recipe &a, const Recipe &b)
{
    return a.Name == b.Name && a.PrepTime == b.PrepTime && a.CookTime == b.CookTime
        && a.Servings == b.Servings && a.Ingredients == b.Ingredients
        && a.Directions == b.Directions;
}
