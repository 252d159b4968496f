#pragma once

#include <QString>

class MultiLineTextBox;
class Printer;

// Printing the recipe on screen as a document of its own: the four single-line fields as
// labelled lines, then the ingredients and the directions line by line as their boxes show them.
//
// Both procedures abort the document on any error and raise it again with the same number and
// description and their own name as its source, so the caller of PrintSingleRecipe always gets
// the first error with the source "PrintSingleRecipe".
class RecipePrint
{
public:
    static void PrintSingleRecipe(Printer &printer, QString strName, QString strPrepTime, QString strCookTime,
                                  QString strServings, MultiLineTextBox &txtIngredients,
                                  MultiLineTextBox &txtDirections);

    // Prints the box's lines into the document in progress and leaves it open. Line numbers and
    // line starts are 16-bit: a box of more than 32768 lines, or a line that begins past index
    // 32767, is an overflow.
    static void PrintMultiLineText(Printer &printer, MultiLineTextBox &txtBox);
};
