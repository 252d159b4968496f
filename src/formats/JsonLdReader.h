#pragma once

#include "store/Recipe.h"

#include <QByteArrayView>
#include <QList>

// Reads schema.org Recipe objects from JSON-LD, with Qt's JSON reader: a .json document, or the
// <script type="application/ld+json"> blocks of a saved web page, in every shape sites publish
// (@graph, lists, objects nested in a page's other things, HowToStep and HowToSection lists, yields
// as texts, numbers, lists and QuantitativeValue, HTML in the texts). See docs/file-formats.md.
namespace JsonLdReader {

// The recipes, in the order the document holds them. Raises RuntimeError (InvalidFileFormat),
// naming the line, when it holds none: no JSON-LD, JSON that does not parse (a file cut short),
// or no Recipe in it.
QList<Recipe> read(QByteArrayView bytes);

// Whether the bytes look like a JSON document rather than a web page.
bool isJson(QByteArrayView bytes);

} // namespace JsonLdReader
