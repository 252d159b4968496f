#pragma once

#include "store/TextEncoding.h"

class QIODevice;
class RecipeList;

// Reads a recipe file into the list: the header (count, current index), then six field items for
// each counted recipe. Nothing after the last counted item is read. The text is UTF-8 when every
// item read is valid UTF-8, otherwise Windows-1252.
//
// On an error the list keeps what was read before it and the error is raised: "Input past end of
// file" when the file ends early (the missing fields stay empty). A header the program never
// writes is refused before the list changes ("Type mismatch" for a value that is not a whole
// number, "Overflow" past 16 bits, "Subscript out of range" for a negative count), except for a
// current index out of range, which is silently put back into range.
namespace RecipeReader {

// The device must be open for reading and seekable.
TextEncoding::Encoding read(QIODevice &device, RecipeList &list);

} // namespace RecipeReader
