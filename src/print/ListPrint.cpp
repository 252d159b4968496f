#include "print/ListPrint.h"

#include "print/PrintProgress.h"
#include "print/Printer.h"
#include "store/RecipeList.h"

void ListPrint::PrintAllRecipes(const RecipeList &list, Printer &printer, PrintProgress *progress)
{
    printer.setScaleLeft(-720);
    printer.setScaleTop(0);
    printer.printLine(QStringLiteral("Recipes")); // at the size the printer holds

    const Int16 count = list.count();
    // A plain int runs the loop, so it ends after recipe 32,767 instead of overflowing there.
    for (int i = 1; i <= count.value(); ++i) {
        const Recipe &recipe = list.at(Int16(i));
        printer.printLine();
        printer.setFontSize(10);
        printer.printLine(QStringLiteral("Recipe Name: ") + recipe.name);
        printer.printLine(QStringLiteral("Prep Time: ") + recipe.prepTime);
        printer.printLine(QStringLiteral("Cook Time: ") + recipe.cookTime);
        printer.printLine(QStringLiteral("Servings: ") + recipe.servings);
        printer.printLine(QStringLiteral("Ingredients: ") + recipe.ingredients);
        printer.printLine(QStringLiteral("Directions: ") + recipe.directions);
        if (progress && progress->cancelled(i, count.value())) {
            printer.killDoc();
            return;
        }
    }
    printer.endDoc();
}
