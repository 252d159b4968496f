#pragma once

#include "store/Recipe.h"

#include <QCoreApplication>
#include <QList>
#include <QPair>
#include <QString>

// A recipe being read from another program's file: the six fields, and what the recipe says that
// has no field of its own (its categories, description, source, nutrition...). That is kept at
// the end of the directions, under a heading, one "Label: text" line each.
class ImportedRecipe
{
    Q_DECLARE_TR_FUNCTIONS(ImportedRecipe)

public:
    enum Detail {
        Description,
        Categories,
        Cuisine,
        Keywords,
        Diet,
        Yield,
        TotalTime,
        RecipeBy,
        Author,
        Source,
        Equipment,
        Nutrition,
        Notes,
    };

    Recipe fields;

    // Keeps a detail; an empty text is left out. A text of several lines goes below its label.
    void add(Detail detail, const QString &text);
    void add(const QString &label, const QString &text);
    // Keeps lines that carry their own labels (MasterCook's notes and nutrition).
    void addLines(const QString &text);

    // The six fields, the details at the end of the directions; a lone surrogate, which no file can
    // hold, as U+FFFD.
    Recipe finished() const;

    static QString label(Detail detail);
    static QString heading();

private:
    QList<QPair<QString, QString>> m_details;
};
