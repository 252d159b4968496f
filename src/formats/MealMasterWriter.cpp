#include "formats/MealMasterWriter.h"

#include "formats/TextLines.h"
#include "store/RecipeList.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

constexpr qsizetype TitleWidth = 60;
constexpr qsizetype YieldWidth = 30;
constexpr qsizetype AmountWidth = 7;
constexpr qsizetype TextColumn = 11;
constexpr qsizetype TextWidth = 28; // columns 12 to 39
constexpr qsizetype DirectionWidth = 75; // columns 3 to 77

const char16_t *const Units[] = {u"x",  u"sm", u"md", u"lg", u"cn", u"pk", u"pn", u"dr", u"ds", u"ct", u"bn", u"sl",
                                 u"ea", u"t",  u"ts", u"T",  u"tb", u"fl", u"c",  u"pt", u"qt", u"ga", u"oz", u"lb",
                                 u"ml", u"cb", u"cl", u"dl", u"l",  u"mg", u"cg", u"dg", u"g",  u"kg"};

const QString LineEnd = QStringLiteral("\r\n");

bool isAmountWord(QStringView word)
{
    if (word.isEmpty() || !(word[0].isDigit() || word[0].category() == QChar::Number_Other))
        return false;
    for (const QChar c : word) {
        if (!c.isDigit() && c.category() != QChar::Number_Other && c != u'.' && c != u',' && c != u'/' && c != u'-')
            return false;
    }
    return true;
}

bool isUnit(QStringView word)
{
    for (const char16_t *unit : Units) {
        if (word == QStringView(unit))
            return true;
    }
    return false;
}

bool isSingleLine(QStringView text)
{
    return !text.contains(u'\r') && !text.contains(u'\n');
}

// One ingredient as an ingredient line and its continuation lines. The amount and unit get their
// columns when the line begins with them ("1 1/2 c sugar"), words one blank apart; the rest of the
// text is wrapped, a dash beginning each further piece.
void appendIngredient(QString &out, QStringView line)
{
    const QList<QStringView> words = line.split(u' ');
    qsizetype used = 0;
    QString amount, unit;
    while (used < words.size() && used < 2 && isAmountWord(words[used])
           && (amount.isEmpty() ? 0 : amount.size() + 1) + words[used].size() <= AmountWidth)
        amount += (amount.isEmpty() ? QString() : QStringLiteral(" ")) + words[used++];
    if (used > 0 && used < words.size() && isUnit(words[used]))
        unit = words[used++].toString();
    QStringList rest;
    for (qsizetype i = used; i < words.size(); ++i)
        rest << words[i].toString();
    QString text = rest.join(u' ');
    // Read back, the columns are joined one blank apart: a line they would not give back whole
    // (blanks at its ends, or two together) goes into the text column as it is.
    QStringList parts;
    for (const QString &part : {amount, unit, text}) {
        if (!part.isEmpty())
            parts << part;
    }
    if (used == 0 || parts.join(u' ') != line) {
        amount.clear();
        unit.clear();
        text = line.toString();
        if (text.startsWith(u'-'))
            text.prepend(u' '); // a dash in the text's first column would continue the line before
    }
    QStringList pieces = TextLines::wrap(text, TextWidth);
    if (pieces.size() > 1)
        pieces
            = QStringList{pieces.first()} + TextLines::wrap(text.mid(pieces.first().size()).trimmed(), TextWidth - 1);
    out += amount.rightJustified(AmountWidth) + u' ' + unit.leftJustified(2) + u' ' + pieces.first();
    out += LineEnd;
    for (qsizetype i = 1; i < pieces.size(); ++i)
        out += QString(TextColumn, u' ') + u'-' + pieces[i] + LineEnd;
}

// The name as a title line holds it: its first line, cut at a blank before 60 characters.
QString titleOf(QStringView name)
{
    const QStringView first = TextLines::split(name).value(0);
    if (first.size() <= TitleWidth)
        return first.toString();
    return TextLines::wrap(first, TitleWidth - 3).first() + u"...";
}

QStringList directionLines(const Recipe &recipe, bool titleFits, bool yieldFits)
{
    QStringList lines;
    for (const QStringView line : TextLines::split(recipe.directions))
        lines << line.toString();
    QStringList details;
    const auto add = [&](const QString &label, const QString &text) {
        if (text.isEmpty())
            return;
        if (isSingleLine(text)) {
            details << label + u": " + text;
            return;
        }
        details << label + u':';
        for (const QStringView line : TextLines::split(text))
            details << line.toString();
    };
    if (!titleFits)
        add(QCoreApplication::translate("MealMasterWriter", "Name of Dish"), recipe.name);
    add(QCoreApplication::translate("MealMasterWriter", "Preparation Time"), recipe.prepTime);
    add(QCoreApplication::translate("MealMasterWriter", "Cooking Time"), recipe.cookTime);
    if (!yieldFits)
        add(QCoreApplication::translate("MealMasterWriter", "Servings"), recipe.servings);
    if (!details.isEmpty() && !lines.isEmpty())
        lines << QString();
    return lines + details;
}

// The directions in columns 3 to 77, wrapped. Where a reader would join a line to a long line
// before it as one paragraph, a blank line keeps them apart.
void appendDirections(QString &out, const QStringList &lines)
{
    QList<QStringList> wrapped;
    QStringList all;
    for (const QString &line : lines) {
        wrapped << TextLines::wrap(line, DirectionWidth);
        all += wrapped.constLast();
    }
    const qsizetype width = TextLines::wrapWidth(all);
    for (qsizetype i = 0; i < wrapped.size(); ++i) {
        if (i > 0 && TextLines::continues(wrapped[i - 1].constLast(), wrapped[i].constFirst(), width))
            out += LineEnd;
        for (const QString &piece : wrapped[i])
            out += (piece.isEmpty() ? QString() : u"  " + piece) + LineEnd;
    }
}

} // namespace

QString MealMasterWriter::write(const RecipeList &list)
{
    QString out;
    for (int i = 1; i <= list.count().value(); ++i) {
        const Recipe &recipe = list.at(i);
        const QString title = titleOf(recipe.name);
        const bool titleFits = title == recipe.name;
        const bool yieldFits = recipe.servings.size() <= YieldWidth && isSingleLine(recipe.servings);
        out += u"MMMMM----- Meal-Master recipe exported by Larderly" + LineEnd + LineEnd;
        out += u"      Title: " + title + LineEnd;
        out += u" Categories: None" + LineEnd;
        out += u"      Yield: " + (yieldFits ? recipe.servings : QString()) + LineEnd + LineEnd;
        for (const QStringView line : TextLines::split(recipe.ingredients)) {
            if (!line.trimmed().isEmpty())
                appendIngredient(out, line);
        }
        out += LineEnd;
        appendDirections(out, directionLines(recipe, titleFits, yieldFits));
        out += LineEnd + u"MMMMM" + LineEnd + LineEnd;
    }
    return out;
}
