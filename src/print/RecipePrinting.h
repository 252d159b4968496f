#pragma once

#include <QString>

class DisplayedText;
class PrintProgress;
class Printer;
class RecipeList;

// Printing recipes: the recipe on screen as a document of its own, or every recipe of the list.
namespace RecipePrinting {

// The recipe as the boxes show it: the four single-line fields as labelled lines, then the
// ingredients and the directions line by line as their boxes break them on screen.
//
// Both this and printDisplayedText abort the document on any error and raise it again with the
// same number and description and their own name as its source, so the caller always gets the
// first error with the source "PrintSingleRecipe".
void printRecipe(Printer &printer, const QString &name, const QString &prepTime, const QString &cookTime,
                 const QString &servings, DisplayedText &ingredients, DisplayedText &directions);

// Prints a box's lines into the document in progress and leaves it open. Line numbers and line
// starts are 16-bit: a box of more than 32768 lines, or a line that begins past index 32767, is an
// overflow.
void printDisplayedText(Printer &printer, DisplayedText &box);

// Every recipe of the list, in list order, as one document: a heading, then for each recipe an
// empty line and its six fields behind their labels. The ingredients and the directions are one
// print item each, so their own line breaks start new lines and nothing else does. Raises any
// printer error as it comes and leaves the document as it is then; when the progress asks to stop,
// the document is discarded.
void printAllRecipes(const RecipeList &list, Printer &printer, PrintProgress *progress = nullptr);

} // namespace RecipePrinting
