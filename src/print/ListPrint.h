#pragma once

class PrintProgress;
class Printer;
class RecipeList;

// Printing every recipe of the list, in list order, as one document: a heading, then for each
// recipe an empty line and its six fields behind their labels. The ingredients and the
// directions are one print item each, so their own line breaks start new lines and nothing
// else does.
class ListPrint
{
public:
    // Raises any printer error as it comes and leaves the document as it is then; the caller
    // decides what becomes of it. When the progress asks to stop, the document is discarded.
    static void PrintAllRecipes(const RecipeList &list, Printer &printer, PrintProgress *progress = nullptr);
};
