#include "formats/MealMasterWriter.h"

#include "formats/MealMasterReader.h"
#include "formats/TextLines.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

constexpr qsizetype TitleWidth = 60;
constexpr qsizetype YieldWidth = 30;
constexpr qsizetype AmountWidth = 7;
constexpr qsizetype TextColumn = 11;
constexpr qsizetype TextWidth = 28; // columns 12 to 39
constexpr qsizetype DirectionWidth = 75; // columns 3 to 77

constexpr QStringView Units[] = {u"x",  u"sm", u"md", u"lg", u"cn", u"pk", u"pn", u"dr", u"ds", u"ct", u"bn", u"sl",
                                 u"ea", u"t",  u"ts", u"T",  u"tb", u"fl", u"c",  u"pt", u"qt", u"ga", u"oz", u"lb",
                                 u"ml", u"cb", u"cl", u"dl", u"l",  u"mg", u"cg", u"dg", u"g",  u"kg"};

constexpr QStringView LineEnd = u"\r\n";

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
    for (const QStringView unit : Units) {
        if (word == unit)
            return true;
    }
    return false;
}

bool isSingleLine(QStringView text)
{
    return !text.contains(u'\r') && !text.contains(u'\n');
}

// The word of the line at `from` (up to the next blank), empty when a blank is there.
QStringView wordAt(QStringView line, qsizetype from)
{
    const qsizetype blank = line.indexOf(u' ', from);
    return line.sliced(from, (blank < 0 ? line.size() : blank) - from);
}

// One ingredient as an ingredient line and its continuation lines. The amount and unit get their
// columns when the line begins with them ("1 1/2 c sugar"), words one blank apart; the rest of the
// text is wrapped, a dash beginning each further piece.
void appendIngredient(QString &out, QStringView line)
{
    qsizetype next = 0;
    qsizetype amountEnd = 0;
    for (int words = 0; words < 2 && next < line.size(); ++words) {
        const QStringView word = wordAt(line, next);
        if (!isAmountWord(word) || next + word.size() > AmountWidth)
            break;
        amountEnd = next + word.size();
        next = amountEnd + 1;
    }
    QStringView amount = line.left(amountEnd), unit, text = line;
    if (amountEnd > 0) {
        const QStringView word = next < line.size() ? wordAt(line, next) : QStringView();
        if (isUnit(word)) {
            unit = word;
            next += word.size() + 1;
        }
        text = next < line.size() ? line.sliced(next) : QStringView();
    }
    // Read back, the columns are joined one blank apart: a line they would not give back whole
    // (blanks at its ends, or two together) goes into the text column as it is.
    const bool whole = amountEnd > 0 && !line.back().isSpace() && (text.isEmpty() || !text.front().isSpace());
    QString prefixed;
    if (!whole) {
        amount = unit = QStringView();
        text = line.trimmed(); // text further right than column 13 would be read as a direction
        if (text.startsWith(u'-')) { // a dash in the text's first column would continue the line before
            prefixed = u' ' + text;
            text = prefixed;
        }
    }
    out += QString(AmountWidth - amount.size(), u' ') + amount + u' ' + unit + QString(3 - unit.size(), u' ');
    if (text.size() <= TextWidth) {
        out += text + LineEnd;
        return;
    }
    const QStringView first = TextLines::wrap(text, TextWidth).constFirst();
    out += first + LineEnd;
    for (const QStringView piece : TextLines::wrap(text.sliced(first.size()).trimmed(), TextWidth - 1))
        out += QString(TextColumn, u' ') + u'-' + piece + LineEnd;
}

// The name as a title line holds it: its first line, cut at a blank before 60 characters.
QString titleOf(QStringView name)
{
    if (name.size() <= TitleWidth && isSingleLine(name))
        return name.toString();
    const QStringView first = TextLines::split(name).value(0);
    if (first.size() <= TitleWidth)
        return first.toString();
    return TextLines::wrap(first, TitleWidth - 3).constFirst() + u"...";
}

// What the format has no room for, as lines at the end of the directions.
QStringList details(const Recipe &recipe, bool titleFits, bool yieldFits)
{
    QStringList lines;
    const auto add = [&](const QString &label, const QString &text) {
        if (text.isEmpty())
            return;
        if (isSingleLine(text)) {
            lines << label + u": " + text;
            return;
        }
        lines << label + u':';
        for (const QStringView line : TextLines::split(text))
            lines << line.toString();
    };
    if (!titleFits)
        add(QCoreApplication::translate("MealMasterWriter", "Name of Dish"), recipe.name);
    add(QCoreApplication::translate("MealMasterWriter", "Preparation Time"), recipe.prepTime);
    add(QCoreApplication::translate("MealMasterWriter", "Cooking Time"), recipe.cookTime);
    if (!yieldFits)
        add(QCoreApplication::translate("MealMasterWriter", "Servings"), recipe.servings);
    return lines;
}

// The directions in columns 3 to 77, wrapped, and the details after them. Where a reader would join
// a line to a long line before it as one paragraph, a blank line keeps them apart.
void appendDirections(QString &out, const Recipe &recipe, const QStringList &details)
{
    QList<QStringView> lines = TextLines::split(recipe.directions);
    if (!details.isEmpty() && !lines.isEmpty())
        lines << QStringView();
    for (const QString &detail : details)
        lines << detail;
    QList<QList<QStringView>> wrapped;
    QList<QStringView> all;
    bool first = true;
    for (QStringView line : lines) {
        // A reader takes lines for ingredients until the first that is none: should the first
        // direction read as one, it goes without its indentation.
        if (first && !line.trimmed().isEmpty()) {
            if (MealMasterReader::isIngredientLine(QString(u"  " + line)))
                line = line.trimmed();
            first = false;
        }
        wrapped << TextLines::wrap(line, DirectionWidth);
        all += wrapped.constLast();
    }
    const qsizetype width = TextLines::wrapWidth(all);
    for (qsizetype i = 0; i < wrapped.size(); ++i) {
        if (i > 0 && TextLines::continues(wrapped[i - 1].constLast(), wrapped[i].constFirst(), width))
            out += LineEnd;
        for (const QStringView piece : wrapped[i]) {
            if (!piece.isEmpty())
                out += u"  " + piece;
            out += LineEnd;
        }
    }
}

} // namespace

QString MealMasterWriter::write(const Recipe &recipe)
{
    qsizetype size = 0;
    for (int field = 0; field < Recipe::FieldCount; ++field)
        size += recipe.field(field).size();
    QString out;
    out.reserve(size + size / 2 + 256);
    const QString title = titleOf(recipe.name);
    const bool titleFits = title == recipe.name;
    const bool yieldFits = recipe.servings.size() <= YieldWidth && isSingleLine(recipe.servings);
    out += u"MMMMM----- Meal-Master recipe exported by Larderly" + LineEnd + LineEnd;
    out += u"      Title: " + title + LineEnd;
    out += u" Categories: None" + LineEnd;
    out += u"      Yield: " + (yieldFits ? QStringView(recipe.servings) : QStringView()) + LineEnd + LineEnd;
    for (const QStringView line : TextLines::split(recipe.ingredients)) {
        if (!line.trimmed().isEmpty())
            appendIngredient(out, line);
    }
    out += LineEnd;
    appendDirections(out, recipe, details(recipe, titleFits, yieldFits));
    out += LineEnd + u"MMMMM" + LineEnd + LineEnd;
    return out;
}
