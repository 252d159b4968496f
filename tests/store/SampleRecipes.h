#pragma once

#include "RecipeList.h"

#include <QString>

// Deterministic lists for the store tests and their child process.
inline RecipeList sampleRecipes(int count, const QString &tag)
{
    RecipeList list;
    for (int i = 1; i <= count; ++i) {
        list.appendEmpty();
        Recipe &r = list.Recipes(i);
        r.Name = QStringLiteral("%1 crème brûlée %2").arg(tag).arg(i);
        r.PrepTime = QStringLiteral("%1 min").arg(i % 60);
        r.CookTime = QStringLiteral("1 h");
        r.Servings = QString::number(i % 8 + 1);
        r.Ingredients = QStringLiteral("2 eggs\r\n100 g sugar, caster\r\n  a pinch of salt  ").repeated(4);
        r.Directions = QStringLiteral("Whisk, bake and chill.\r\nServe cold.").repeated(8);
    }
    if (count > 0)
        list.setCurrentRecipe((count + 1) / 2);
    return list;
}

inline bool sameList(const RecipeList &a, const RecipeList &b)
{
    if (a.RecipeCount() != b.RecipeCount() || a.CurrentRecipe() != b.CurrentRecipe())
        return false;
    for (int i = 1; i <= a.RecipeCount().value(); ++i) {
        if (a.Recipes(i) != b.Recipes(i))
            return false;
    }
    return true;
}
