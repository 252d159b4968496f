#pragma once

#include "formats/ArchiveEncoding.h"
#include "store/Recipe.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

class RecipeList;

// The formats of other recipe programs that recipes are imported from and exported to, and the
// one way in and out of them for the command that converts them.
namespace RecipeFormat {

enum Format { Unknown, MealMaster, MasterCook, RecipeMl, JsonLd };

// "mealmaster", "mxp", "recipeml" and "jsonld", in any case; Unknown for any other name.
Format fromName(const QString &name);
QString name(Format format);

// The format a file name's extension stands for: .mmf and .mm Meal-Master, .mxp MasterCook,
// .xml and .rml RecipeML, .json, .jsonld, .html and .htm JSON-LD. Unknown for any other,
// .txt included, which may hold either of the text formats.
Format fromFileName(const QString &fileName);

// The format the bytes are in, by what they begin with or the header of their first recipe.
Format sniff(QByteArrayView bytes);

bool canWrite(Format format);

// The recipes of a file; the encoding is that of Meal-Master and MasterCook files. Raises
// RuntimeError (InvalidFileFormat) with a description that names the line where it can.
QList<Recipe> read(QByteArrayView bytes, Format format, ArchiveEncoding::Encoding encoding);

// The list in the format (MealMaster or JsonLd). Raises RuntimeError (InvalidFileFormat) when a
// recipe holds a character the encoding named cannot hold.
QByteArray write(const RecipeList &list, Format format, ArchiveEncoding::Encoding encoding);

} // namespace RecipeFormat
