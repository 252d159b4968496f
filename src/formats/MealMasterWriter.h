#pragma once

#include "store/Recipe.h"

#include <QString>

// Writes recipes in Meal-Master's text format (version 8, ingredients in one column), which every
// recipe program reads. What the format has no room for is never cut: the times, a name longer
// than a title line or of several lines, and long servings go into the directions instead.
namespace MealMasterWriter {

// One recipe, from its header line to the blank line after its closing line, CR LF line ends.
QString write(const Recipe &recipe);

} // namespace MealMasterWriter
