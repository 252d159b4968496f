#pragma once

#include "store/Recipe.h"

#include <QList>
#include <QStringView>

// Reads MasterCook's text export (MXP): "* Exported from MasterCook *", the title, the header
// fields, the ingredient table and the directions, then the notes after a row of spaced dashes.
// See docs/file-formats.md for where each part of a recipe goes.
namespace MasterCookReader {

// The recipes of the text, in order. Raises RuntimeError (InvalidFileFormat), naming the line,
// when it holds none, or when a recipe ends before its ingredient table (a file cut short).
QList<Recipe> read(QStringView text);

// Whether the line begins a recipe.
bool isHeader(QStringView line);

} // namespace MasterCookReader
