#include "formats/RecipeMlReader.h"

#include "core/RuntimeError.h"
#include "formats/HtmlEntities.h"
#include "formats/ImportedRecipe.h"
#include "formats/TextLines.h"

#include <QCoreApplication>
#include <QStringList>
#include <QXmlStreamReader>

namespace {

// Deeper nesting than any recipe needs is refused rather than followed down the stack.
constexpr int MaxDepth = 64;

class RecipeMlParser
{
    Q_DECLARE_TR_FUNCTIONS(RecipeMlReader)

public:
    explicit RecipeMlParser(QByteArrayView bytes)
        : m_xml(bytes.toByteArray())
    { }

    QList<Recipe> read()
    {
        QList<Recipe> recipes;
        if (m_xml.readNextStartElement() && m_xml.name() != u"recipeml")
            fail(tr("this is XML, but not RecipeML: its root element is <%1>").arg(m_xml.name()));
        while (!m_xml.atEnd() && !m_xml.hasError()) {
            if (m_xml.readNext() == QXmlStreamReader::StartElement && m_xml.name() == u"recipe")
                recipes << readRecipe();
        }
        if (m_xml.hasError())
            fail(m_xml.errorString());
        if (recipes.isEmpty())
            throw RuntimeError(RuntimeError::InvalidFileFormat, tr("no RecipeML recipe in it"));
        return recipes;
    }

private:
    [[noreturn]] void fail(const QString &what) const
    {
        throw RuntimeError(RuntimeError::InvalidFileFormat, tr("line %1: %2").arg(m_xml.lineNumber()).arg(what));
    }

    void checkDepth(int depth) const
    {
        if (depth > MaxDepth)
            fail(tr("its elements are nested too deeply"));
    }

    // An entity the document does not declare (its DTD is not read): HTML's, or left as written.
    QString entity() const
    {
        const char32_t character = HtmlEntities::lookup(m_xml.name());
        if (character)
            return QStringView(QChar::fromUcs4(character)).toString();
        return u'&' + m_xml.name().toString() + u';';
    }

    // The text of the element the reader is at, with its children's, words one blank apart; a
    // fraction as "1/2", a range as "1-2". The reader stops at the element's end.
    QString readText(int depth = 0)
    {
        checkDepth(depth);
        const QString element = m_xml.name().toString();
        QString text;
        QStringList parts; // of a fraction or a range
        while (!m_xml.atEnd()) {
            switch (m_xml.readNext()) {
            case QXmlStreamReader::StartElement: {
                const QString child = readText(depth + 1);
                text += u' ' + child + u' ';
                parts << child;
                break;
            }
            case QXmlStreamReader::EndElement:
                if (element == u"frac" && parts.size() == 2)
                    return parts.join(u'/');
                if (element == u"range" && (parts.size() == 2 || parts.size() == 3))
                    return parts.size() == 2 ? parts.join(u'-') : parts.join(QString());
                return text.simplified();
            case QXmlStreamReader::Characters:
                text += m_xml.text();
                break;
            case QXmlStreamReader::EntityReference:
                text += entity();
                break;
            default:
                break;
            }
        }
        fail(m_xml.errorString());
    }

    Recipe readRecipe()
    {
        ImportedRecipe recipe;
        QStringList ingredients, directions;
        while (m_xml.readNextStartElement()) {
            const QStringView name = m_xml.name();
            if (name == u"head")
                readHead(recipe);
            else if (name == u"description")
                recipe.add(ImportedRecipe::Description, readText());
            else if (name == u"ingredients")
                readIngredients(ingredients, 0);
            else if (name == u"directions")
                readDirections(directions, 0);
            else if (name == u"nutrition")
                recipe.add(ImportedRecipe::Nutrition, readText());
            else if (name == u"equipment")
                recipe.add(ImportedRecipe::Equipment, readList());
            else
                m_xml.skipCurrentElement();
        }
        if (m_xml.hasError())
            fail(m_xml.errorString());
        recipe.fields.ingredients = ingredients.join(u"\r\n");
        recipe.fields.directions = directions.join(u"\r\n");
        return recipe.finished();
    }

    // The texts of the element's children, one comma apart.
    QString readList()
    {
        QStringList items;
        while (m_xml.readNextStartElement())
            items << readText();
        items.removeAll(QString());
        return items.join(u", ");
    }

    void readHead(ImportedRecipe &recipe)
    {
        while (m_xml.readNextStartElement()) {
            const QStringView name = m_xml.name();
            if (name == u"title") {
                recipe.fields.name = readText();
            } else if (name == u"subtitle" || name == u"description") {
                recipe.add(ImportedRecipe::Description, readText());
            } else if (name == u"preptime") {
                const QString type = m_xml.attributes().value(QStringLiteral("type")).toString();
                const QString time = readText();
                if (type.contains(u"cook", Qt::CaseInsensitive))
                    recipe.fields.cookTime = time;
                else if (type.contains(u"total", Qt::CaseInsensitive))
                    recipe.add(ImportedRecipe::TotalTime, time);
                else if (type.isEmpty() || type.contains(u"prep", Qt::CaseInsensitive))
                    recipe.fields.prepTime = time;
                else
                    recipe.add(type, time);
            } else if (name == u"yield") {
                recipe.fields.servings = readText();
            } else if (name == u"categories") {
                recipe.add(ImportedRecipe::Categories, readList());
            } else if (name == u"source") {
                recipe.add(ImportedRecipe::Source, readText());
            } else {
                m_xml.skipCurrentElement();
            }
        }
    }

    // <ingredients> or an <ing-div>: ingredients, titled divisions and notes, a line each.
    void readIngredients(QStringList &lines, int depth)
    {
        checkDepth(depth);
        while (m_xml.readNextStartElement()) {
            const QStringView name = m_xml.name();
            if (name == u"ing")
                lines << readIngredient(depth + 1);
            else if (name == u"ing-div")
                readIngredients(lines, depth + 1);
            else if (name == u"title" || name == u"note" || name == u"description")
                lines << readText(depth + 1);
            else
                m_xml.skipCurrentElement();
        }
    }

    // "2 cups flour, sifted": the amounts, the item and the rest one blank apart, the preparation
    // after a comma, an alternative after "or".
    QString readIngredient(int depth)
    {
        checkDepth(depth);
        QString line;
        while (m_xml.readNextStartElement()) {
            const QString name = m_xml.name().toString();
            const QString text = name == u"alt-ing" ? readIngredient(depth + 1) : readText(depth + 1);
            if (text.isEmpty())
                continue;
            if (!line.isEmpty())
                line += name == u"prep" ? QStringLiteral(", ") : name == u"alt-ing" ? tr(" or ") : QStringLiteral(" ");
            line += text;
        }
        return line;
    }

    // <directions> or a <dir-div>: steps, titled divisions and notes, a line each; text outside
    // them, as paragraphs.
    void readDirections(QStringList &lines, int depth)
    {
        checkDepth(depth);
        QString loose;
        const auto flush = [&] {
            QStringList paragraphs;
            for (const QStringView line : TextLines::split(loose))
                paragraphs << line.trimmed().toString();
            lines += TextLines::unwrap(paragraphs);
            loose.clear();
        };
        while (!m_xml.atEnd()) {
            switch (m_xml.readNext()) {
            case QXmlStreamReader::StartElement: {
                flush();
                const QStringView name = m_xml.name();
                if (name == u"dir-div")
                    readDirections(lines, depth + 1);
                else if (name == u"step" || name == u"title" || name == u"note" || name == u"description")
                    lines << readText(depth + 1);
                else
                    m_xml.skipCurrentElement();
                break;
            }
            case QXmlStreamReader::EndElement:
                flush();
                return;
            case QXmlStreamReader::Characters:
                loose += m_xml.text();
                break;
            case QXmlStreamReader::EntityReference:
                loose += entity();
                break;
            default:
                break;
            }
        }
    }

    QXmlStreamReader m_xml;
};

} // namespace

QList<Recipe> RecipeMlReader::read(QByteArrayView bytes)
{
    return RecipeMlParser(bytes).read();
}
