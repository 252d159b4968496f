#pragma once

#include <QString>

class RecipeList;

// Writes recipes in Meal-Master's text format (version 8, ingredients in one column), which every
// recipe program reads. What the format has no room for is never cut: the times, a name longer
// than a title line or of several lines, and long servings go into the directions instead.
namespace MealMasterWriter {

// Recipes 1 to count() of the list, with CR LF line ends.
QString write(const RecipeList &list);

} // namespace MealMasterWriter
