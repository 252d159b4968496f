#pragma once

#include <QString>

// One recipe: six free-text fields, in the order they are stored, shown and searched.
struct Recipe
{
    enum Field { Name, PrepTime, CookTime, Servings, Ingredients, Directions };
    static constexpr int FieldCount = 6;

    QString name;
    QString prepTime;
    QString cookTime;
    QString servings;
    QString ingredients; // lines separated by CR LF
    QString directions; // lines separated by CR LF

    QString &field(int index);
    const QString &field(int index) const;

    friend bool operator==(const Recipe &a, const Recipe &b);
    friend bool operator!=(const Recipe &a, const Recipe &b) { return !(a == b); }
};
