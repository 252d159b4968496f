#include "formats/MealMasterReader.h"

#include "core/RuntimeError.h"
#include "formats/ImportedRecipe.h"
#include "formats/TextLines.h"

#include <QCoreApplication>
#include <QStringList>

using TextLines::trimmedRight;

namespace {

// The unit codes of the ingredient lines, compared without regard to case ("T" is tablespoons).
constexpr QStringView Units[] = {u"x",  u"sm", u"md", u"lg", u"cn", u"pk", u"pn", u"dr", u"ds", u"ct", u"bn", u"sl",
                                 u"ea", u"t",  u"ts", u"tb", u"fl", u"c",  u"pt", u"qt", u"ga", u"gl", u"oz", u"lb",
                                 u"ml", u"cb", u"cc", u"cl", u"dl", u"l",  u"mg", u"cg", u"dg", u"g",  u"kg"};

// The columns of an ingredient: amount 1-7, unit 9-10, text from 12; the second of two columns
// begins in column 42.
constexpr qsizetype UnitColumn = 8;
constexpr qsizetype TextColumn = 11;
constexpr qsizetype SecondColumn = 41;

// Blank, or a number: digits (or ½ and its kin) with blanks, points, commas, slashes and dashes.
bool isAmount(QStringView field)
{
    bool number = false;
    for (const QChar c : field) {
        const bool digit = c.isDigit() || c.category() == QChar::Number_Other;
        if (!digit && c != u' ' && c != u'.' && c != u',' && c != u'/' && c != u'-')
            return false;
        number = number || digit;
    }
    return number || field.trimmed().isEmpty();
}

bool isUnit(QStringView field)
{
    if (field.trimmed().isEmpty())
        return true;
    if (field[0] == u' ')
        return false;
    const QStringView code = field.trimmed();
    for (const QStringView unit : Units) {
        if (code.compare(unit, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

struct Ingredient
{
    QString text;
    bool continuation = false;
};

// The ingredient of one column of an ingredient line, if the line is one.
bool parseIngredient(QStringView line, Ingredient *ingredient)
{
    const QStringView amount = line.left(UnitColumn - 1);
    const QStringView unit = line.mid(UnitColumn, 2);
    const QStringView text = line.mid(TextColumn).trimmed();
    if (!isAmount(amount) || (line.size() > UnitColumn - 1 && line[UnitColumn - 1] != u' ') || !isUnit(unit)
        || (line.size() > TextColumn - 1 && line[TextColumn - 1] != u' '))
        return false;
    // Without an amount or a unit, the text begins in column 12 or 13; a line that begins further
    // right is a direction (as Meal-Master itself reads it).
    if (amount.trimmed().isEmpty() && unit.trimmed().isEmpty()
        && (text.isEmpty() || line.mid(TextColumn, 2).trimmed().isEmpty()))
        return false;
    // A dash in the first column of the text continues the ingredient before.
    ingredient->continuation
        = line.mid(TextColumn).startsWith(u'-') && amount.trimmed().isEmpty() && unit.trimmed().isEmpty();
    if (ingredient->continuation) {
        ingredient->text = text.sliced(1).trimmed().toString();
        return true;
    }
    QStringList parts;
    for (const QStringView part : {amount.trimmed(), unit.trimmed(), text}) {
        if (!part.isEmpty())
            parts << part.toString();
    }
    ingredient->text = parts.join(u' ');
    return true;
}

// The ingredients of an ingredient line, one or two.
bool parseIngredientLine(QStringView line, Ingredient *left, Ingredient *right)
{
    *right = Ingredient();
    if (line.size() > SecondColumn + 1 && line.mid(SecondColumn - 2, 2).trimmed().isEmpty()
        && parseIngredient(line.sliced(SecondColumn), right) && parseIngredient(line.left(SecondColumn - 2), left))
        return true;
    *right = Ingredient();
    return parseIngredient(line, left);
}

// The text of a heading line ("-----SAUCE-----", "MMMMM-----SAUCE-----"), or empty.
QString headingText(QStringView line)
{
    if (line.startsWith(u"MMMMM"))
        line = line.sliced(5);
    if (!line.startsWith(u"-----"))
        return QString();
    qsizetype begin = 0, end = line.size();
    const auto isRule = [](QChar c) { return c == u'-' || c == u'=' || c.isSpace(); };
    while (begin < end && isRule(line[begin]))
        ++begin;
    while (end > begin && isRule(line[end - 1]))
        --end;
    return line.sliced(begin, end - begin).toString();
}

// Whether the line begins with a label ("Title:"), and the text after it.
bool labelled(QStringView line, QStringView label, QString *value)
{
    const QStringView text = line.trimmed();
    if (!text.startsWith(label, Qt::CaseInsensitive))
        return false;
    *value = text.sliced(label.size()).trimmed().toString();
    return true;
}

class MealMasterParser
{
    Q_DECLARE_TR_FUNCTIONS(MealMasterReader)

public:
    explicit MealMasterParser(QStringView text)
        : m_lines(TextLines::split(text))
    { }

    QList<Recipe> read()
    {
        QList<Recipe> recipes;
        qsizetype i = 0;
        while (i < m_lines.size()) {
            if (!MealMasterReader::isHeader(m_lines[i])) {
                ++i;
                continue;
            }
            recipes << readRecipe(i);
        }
        if (recipes.isEmpty())
            throw RuntimeError(RuntimeError::InvalidFileFormat, tr("no Meal-Master recipe in it"));
        return recipes;
    }

private:
    static RuntimeError formatError(qsizetype line, const QString &what)
    {
        return RuntimeError(RuntimeError::InvalidFileFormat, tr("line %1: %2").arg(line + 1).arg(what));
    }

    // The recipe whose header is line i; i moves past it.
    Recipe readRecipe(qsizetype &i)
    {
        const qsizetype header = i;
        const bool eight = m_lines[i].startsWith(u"MMMMM");
        for (++i; i < m_lines.size() && m_lines[i].trimmed().isEmpty();)
            ++i;
        QString title;
        if (i >= m_lines.size() || !labelled(m_lines[i], u"Title:", &title))
            throw formatError(header, tr("the recipe has no Title line"));
        ImportedRecipe recipe;
        recipe.fields.name = title;
        // Categories and the yield follow, up to the first blank line after the yield.
        bool yield = false;
        for (++i; i < m_lines.size(); ++i) {
            const QStringView line = m_lines[i];
            QString value;
            if (labelled(line, u"Categories:", &value)) {
                if (value.compare(u"None", Qt::CaseInsensitive) != 0)
                    recipe.add(ImportedRecipe::Categories, value);
            } else if (labelled(line, u"Yield:", &value) || labelled(line, u"Servings:", &value)) {
                recipe.fields.servings = value;
                yield = true;
            } else if (!line.trimmed().isEmpty() || yield) {
                break;
            }
        }
        readBody(i, eight, recipe);
        if (i >= m_lines.size()) {
            throw formatError(header,
                              tr("the recipe “%1” has no closing line (%2): the file is cut short")
                                  .arg(title, eight ? QStringLiteral("MMMMM") : QStringLiteral("-----")));
        }
        return recipe.finished();
    }

    bool isEnd(QStringView line, bool eight) const
    {
        line = trimmedRight(line);
        if (eight)
            return line == u"MMMMM";
        if (!line.startsWith(u"-----"))
            return false;
        for (const QChar c : line) {
            if (c != u'-' && c != u' ')
                return false;
        }
        return true;
    }

    // The ingredients and directions up to the closing line, where i stops.
    void readBody(qsizetype &i, bool eight, ImportedRecipe &recipe)
    {
        QStringList ingredients, directions, paragraphs;
        QList<Ingredient> left, right;
        QString pendingHeading; // goes with what follows it
        const auto flushColumns = [&] {
            for (const QList<Ingredient> *column : {&left, &right}) {
                for (const Ingredient &ingredient : *column) {
                    if (ingredient.continuation && !ingredients.isEmpty() && ingredient.text.size() > 0)
                        ingredients.last() += u' ' + ingredient.text;
                    else if (!ingredient.continuation || !ingredient.text.isEmpty())
                        ingredients << ingredient.text;
                }
            }
            left.clear();
            right.clear();
        };
        bool inDirections = false;
        for (; i < m_lines.size() && !MealMasterReader::isHeader(m_lines[i]); ++i) {
            const QStringView line = trimmedRight(m_lines[i]);
            if (isEnd(line, eight))
                break;
            const QString heading = headingText(line);
            Ingredient first, second;
            if (!heading.isEmpty()) {
                flushColumns();
                if (inDirections) {
                    directions += TextLines::unwrap(paragraphs);
                    directions << heading;
                    paragraphs.clear();
                } else {
                    if (!pendingHeading.isEmpty())
                        ingredients << pendingHeading;
                    pendingHeading = heading;
                }
            } else if (line.isEmpty()) {
                flushColumns();
                if (inDirections)
                    paragraphs << QString();
            } else if (!inDirections && parseIngredientLine(line, &first, &second)) {
                if (!pendingHeading.isEmpty()) {
                    flushColumns();
                    ingredients << pendingHeading;
                    pendingHeading.clear();
                }
                left << first;
                if (!second.text.isNull())
                    right << second;
            } else {
                if (!inDirections) {
                    flushColumns();
                    inDirections = true;
                    if (!pendingHeading.isEmpty())
                        directions << pendingHeading;
                }
                // Directions take columns 3 to 77; the first two are blank unless the text starts there.
                paragraphs << (line.startsWith(u"  ") ? line.sliced(2) : line).toString();
            }
        }
        flushColumns();
        if (!inDirections && !pendingHeading.isEmpty())
            ingredients << pendingHeading;
        directions += TextLines::unwrap(paragraphs);
        recipe.fields.ingredients = ingredients.join(u"\r\n");
        recipe.fields.directions = directions.join(u"\r\n");
    }

    QList<QStringView> m_lines;
};

} // namespace

bool MealMasterReader::isHeader(QStringView line)
{
    return (line.startsWith(u"-----") || line.startsWith(u"MMMMM"))
        && line.contains(u"Meal-Master", Qt::CaseInsensitive);
}

bool MealMasterReader::isIngredientLine(QStringView line)
{
    Ingredient left, right;
    return parseIngredientLine(line, &left, &right);
}

QList<Recipe> MealMasterReader::read(QStringView text)
{
    return MealMasterParser(text).read();
}
