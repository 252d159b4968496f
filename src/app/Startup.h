#pragma once

#include <QString>

class frmMain;
class RecipeList;

// The program's start-up procedure and its program-wide state.
class Startup
{
public:
    // Shows the splash screen, loads the main window hidden behind it (which reads the recipes
    // from `recipeFolder`), closes the splash screen and shows the main window. Printouts kept
    // as PDF files go to `pdfFolder`, by default the recipe folder. False, after saying so, when
    // another copy of the program has these recipes open: nothing is read.
    static bool Main(const QString &recipeFolder, const QString &pdfFolder = QString());

    // Closes the main window as its close box does (the recipes are stored and saved), once no
    // dialog, menu or print runs over it: those are ended first.
    static void closeMainWindow();

    static RecipeList &recipes();
    static frmMain *mainWindow();
};
