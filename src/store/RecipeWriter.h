#pragma once

#include "store/TextEncoding.h"

#include <QString>
#include <QStringView>

class QIODevice;
class RecipeList;
struct FileIdentity;

// Writes the list in the recipe file format: the header line "count,current", then each field of
// recipes 1 to count() as a quoted item on its own CR LF line; nothing escaped or trimmed.
//
// The format has no escape for a double quote inside a field, and a reader ends the item at it,
// so each straight double quote is written as a typographic one: an opening quote at the start
// of the field or after a space or an opening bracket, a closing quote elsewhere. Every other
// character is written as it stands.
//
// The file is Windows-1252 unless a field holds a character that code page lacks, or unless its
// Windows-1252 bytes would read back as UTF-8; then the whole file is UTF-8, without a
// byte-order mark. Either way, reading the file back gives the same text.
namespace RecipeWriter {

TextEncoding::Encoding chooseEncoding(const RecipeList &list);

// False as soon as the device refuses bytes. The identity of the bytes goes to `identity`.
bool write(const RecipeList &list, QIODevice &device, FileIdentity *identity = nullptr);

// A field's text as it comes back after a write and a read.
QString withTypographicQuotes(QStringView field);

} // namespace RecipeWriter
