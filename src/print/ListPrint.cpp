#include "print/ListPrint.h"

#include "print/PrintProgress.h"
#include "print/Printer.h"
#include "store/RecipeList.h"

void ListPrint::PrintAllRecipes(const RecipeList &list, Printer &printer, PrintProgress *progress)
{
    printer.setScaleLeft(-720);
    printer.setScaleTop(0);
    printer.printLine(QStringLiteral("Recipes")); // at the size the printer holds

    const Int16 count = list.RecipeCount();
    // A plain int runs the loop, so it ends after recipe 32,767 instead of overflowing there.
    for (int i = 1; i <= count.value(); ++i) {
        const Recipe &recipe = list.Recipes(Int16(i));
        printer.printLine();
        printer.setFontSize(10);
        printer.printLine(QStringLiteral("Recipe Name: ") + recipe.Name);
        printer.printLine(QStringLiteral("Prep Time: ") + recipe.PrepTime);
        printer.printLine(QStringLiteral("Cook Time: ") + recipe.CookTime);
        printer.printLine(QStringLiteral("Servings: ") + recipe.Servings);
        printer.printLine(QStringLiteral("Ingredients: ") + recipe.Ingredients);
        printer.printLine(QStringLiteral("Directions: ") + recipe.Directions);
        if (progress && progress->cancelled(i, count.value())) {
            printer.killDoc();
            return;
        }
    }
    printer.endDoc();
}
