#pragma once

#include <QByteArray>

class RecipeList;

// Writes recipes as one schema.org JSON-LD document, which recipe sites, search engines and
// today's recipe programs read. The import reads it back to the same six fields, exactly: see
// docs/file-formats.md for how each field is written.
namespace JsonLdWriter {

// Recipes 1 to count() of the list, as an @graph of Recipe objects, in UTF-8.
QByteArray write(const RecipeList &list);

} // namespace JsonLdWriter
