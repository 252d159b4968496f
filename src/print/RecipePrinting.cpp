#include "print/RecipePrinting.h"

#include "core/RuntimeError.h"
#include "print/DisplayedText.h"
#include "print/PrintProgress.h"
#include "print/Printer.h"
#include "store/Int16.h"
#include "store/RecipeList.h"

#include <QCoreApplication>

#include <new>

namespace {

// The label in front of each field on paper, in the order of the fields.
QString label(int field)
{
    static const char *const labels[Recipe::FieldCount] = {
        QT_TRANSLATE_NOOP("RecipePrinting", "Recipe Name: "), QT_TRANSLATE_NOOP("RecipePrinting", "Prep Time: "),
        QT_TRANSLATE_NOOP("RecipePrinting", "Cook Time: "),   QT_TRANSLATE_NOOP("RecipePrinting", "Servings: "),
        QT_TRANSLATE_NOOP("RecipePrinting", "Ingredients: "), QT_TRANSLATE_NOOP("RecipePrinting", "Directions: "),
    };
    return QCoreApplication::translate("RecipePrinting", labels[field]);
}

// Runs the body of a printing procedure under its error handler: any error aborts the document
// and is raised again with the procedure's name as source. An error of the abort itself leaves
// in place of the first one, as nothing handles errors inside the handler.
template<typename Body>
void runAborting(Printer &printer, const QString &source, Body body)
{
    try {
        body();
    } catch (const RuntimeError &error) {
        printer.abortDocument();
        throw error.withSource(source);
    } catch (const std::bad_alloc &) {
        printer.abortDocument();
        throw RuntimeError(RuntimeError::OutOfMemory, QString(), source);
    }
}

// The characters of `text` from 1-based position `start` on, at most `length` of them.
QString mid(const QString &text, qint64 start, qint64 length)
{
    if (start < 1 || length < 0)
        throw RuntimeError(RuntimeError::InvalidProcedureCall);
    if (start > text.size())
        return QString();
    return text.mid(qsizetype(start - 1), qsizetype(std::min<qint64>(length, text.size())));
}

} // namespace

void RecipePrinting::printRecipe(Printer &printer, const QString &name, const QString &prepTime,
                                 const QString &cookTime, const QString &servings, DisplayedText &ingredients,
                                 DisplayedText &directions)
{
    runAborting(printer, QStringLiteral("PrintSingleRecipe"), [&] {
        printer.printLine(); // at the size the printer holds
        printer.setFontSize(10);
        printer.printLine(label(Recipe::Name) + name);
        printer.printLine(label(Recipe::PrepTime) + prepTime);
        printer.printLine(label(Recipe::CookTime) + cookTime);
        printer.printLine(label(Recipe::Servings) + servings);
        printer.printLine(label(Recipe::Ingredients));
        printer.printLine();
        printDisplayedText(printer, ingredients);
        printer.printLine();
        printer.printLine(label(Recipe::Directions));
        printer.printLine();
        printDisplayedText(printer, directions);
        printer.endDocument();
    });
}

void RecipePrinting::printDisplayedText(Printer &printer, DisplayedText &box)
{
    runAborting(printer, QStringLiteral("PrintMultiLineText"), [&] {
        const qint32 lineCount = box.lineCount();
        const Int16 lastLine = Int16::fromWide(qint64(lineCount) - 1);
        // A plain int runs the loop, so it ends after line 32767 instead of overflowing there.
        for (int line = 0; line <= lastLine.value(); ++line) {
            const qint32 start = box.lineIndex(qint16(line));
            const qint32 length = box.lineLength(Int16::fromWide(start).value());
            const QString text = box.text();
            printer.printLine(mid(text, qint64(start) + 1, length));
        }
    });
}

void RecipePrinting::printAllRecipes(const RecipeList &list, Printer &printer, PrintProgress *progress)
{
    printer.setLeftEdge(-720);
    printer.setTopEdge(0);
    printer.printLine(QCoreApplication::translate("RecipePrinting", "Recipes")); // at the size the printer holds

    const Int16 count = list.count();
    // A plain int runs the loop, so it ends after recipe 32,767 instead of overflowing there.
    for (int i = 1; i <= count.value(); ++i) {
        const Recipe &recipe = list.at(Int16(i));
        printer.printLine();
        printer.setFontSize(10);
        for (int field = 0; field < Recipe::FieldCount; ++field)
            printer.printLine(label(field) + recipe.field(field));
        if (progress && progress->cancelled(i, count.value())) {
            printer.abortDocument();
            return;
        }
    }
    printer.endDocument();
}
