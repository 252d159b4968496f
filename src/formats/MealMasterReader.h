#pragma once

#include "store/Recipe.h"

#include <QList>
#include <QStringView>

// Reads Meal-Master's text format, versions 7 ("-----" lines) and 8 ("MMMMM" lines), in which most
// recipe archives of the last decades are kept. See docs/file-formats.md for where each part of a
// recipe goes.
namespace MealMasterReader {

// The recipes of the text, in order. Raises RuntimeError (InvalidFileFormat), naming the line,
// when it holds none, or when a recipe lacks its title or its closing line (a file cut short).
QList<Recipe> read(QStringView text);

// Whether the line begins a recipe: five dashes or five M, and the name Meal-Master.
bool isHeader(QStringView line);

// Whether a line of a recipe's body reads as an ingredient line (in one or two columns).
bool isIngredientLine(QStringView line);

} // namespace MealMasterReader
