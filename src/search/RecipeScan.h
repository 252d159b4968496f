#pragma once

#include <QString>

#include <optional>

class RecipeList;

// The scan behind Search and Find Next, apart from any window: the first recipe from `start` to
// the last whose fields hold the text, testing the fields in their order (name, preparation time,
// cooking time, servings, ingredients, directions). Matching is literal (no wildcards, no
// trimming) but ignores letter case and accents; an empty field never matches.
namespace RecipeScan {

struct Hit
{
    int recipe;
    int field;
    friend bool operator==(const Hit &a, const Hit &b) { return a.recipe == b.recipe && a.field == b.field; }
};

// `start` may lie past the last recipe (even past 32,767): then there is no hit.
std::optional<Hit> find(const RecipeList &list, int start, const QString &text);

} // namespace RecipeScan
