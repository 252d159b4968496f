#include "print/RecipePrint.h"

#include "store/Int16.h"
#include "print/MultiLineTextBox.h"
#include "print/Printer.h"
#include "core/RuntimeError.h"

#include <new>

namespace {

// Runs the body of a printing procedure under its error handler: any error aborts the document
// and is raised again with the procedure's name as source. An error of the abort itself leaves
// in place of the first one, as nothing handles errors inside the handler.
template<typename Body>
void runAborting(Printer &printer, const QString &source, Body body)
{
    try {
        body();
    } catch (const RuntimeError &error) {
        printer.killDoc();
        throw error.withSource(source);
    } catch (const std::bad_alloc &) {
        printer.killDoc();
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

void RecipePrint::PrintSingleRecipe(Printer &printer, QString strName, QString strPrepTime, QString strCookTime,
                                    QString strServings, MultiLineTextBox &txtIngredients,
                                    MultiLineTextBox &txtDirections)
{
    runAborting(printer, QStringLiteral("PrintSingleRecipe"), [&] {
        printer.printLine(); // at the size the printer holds
        printer.setFontSize(10);
        printer.printLine(QStringLiteral("Recipe Name: ") + strName);
        printer.printLine(QStringLiteral("Prep Time: ") + strPrepTime);
        printer.printLine(QStringLiteral("Cook Time: ") + strCookTime);
        printer.printLine(QStringLiteral("Servings: ") + strServings);
        printer.printLine(QStringLiteral("Ingredients: "));
        printer.printLine();
        PrintMultiLineText(printer, txtIngredients);
        printer.printLine();
        printer.printLine(QStringLiteral("Directions: "));
        printer.printLine();
        PrintMultiLineText(printer, txtDirections);
        printer.endDoc();
    });
}

void RecipePrint::PrintMultiLineText(Printer &printer, MultiLineTextBox &txtBox)
{
    runAborting(printer, QStringLiteral("PrintMultiLineText"), [&] {
        const qint32 lineCount = txtBox.lineCount();
        const Int16 lastLine = Int16::fromWide(qint64(lineCount) - 1);
        // A plain int runs the loop, so it ends after line 32767 instead of overflowing there.
        for (int line = 0; line <= lastLine.value(); ++line) {
            const qint32 start = txtBox.lineIndex(qint16(line));
            const qint32 length = txtBox.lineLength(Int16::fromWide(start).value());
            const QString text = txtBox.text();
            printer.printLine(mid(text, qint64(start) + 1, length));
        }
    });
}
