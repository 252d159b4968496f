#pragma once

#include <QString>

// One recipe: six free-text fields, in the order they are stored, shown and searched.
struct Recipe
{
    static constexpr int FieldCount = 6;

    QString Name;
    QString PrepTime;
    QString CookTime;
    QString Servings;
    QString Ingredients; // lines separated by CR LF
    QString Directions;  // lines separated by CR LF

    // Field 0 is Name, field 5 is Directions.
    QString &field(int index);
    const QString &field(int index) const;

    friend bool operator==(const Recipe &a, const Recipe &b);
    friend bool operator!=(const Recipe &a, const Recipe &b) { return !(a == b); }
};
