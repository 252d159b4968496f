#pragma once

#include "store/Recipe.h"

#include <QByteArrayView>
#include <QList>

// Reads RecipeML, FormatData's XML for recipes (<recipeml>, one <recipe> or a <menu> of them),
// with Qt's XML reader. See docs/file-formats.md for where each element goes.
namespace RecipeMlReader {

// The recipes of the document, in order. Raises RuntimeError (InvalidFileFormat), naming the line,
// when it is not well-formed XML (a file cut short), is not RecipeML or holds no recipe.
QList<Recipe> read(QByteArrayView bytes);

} // namespace RecipeMlReader
