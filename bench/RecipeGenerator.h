#pragma once

#include <QString>

class RecipeList;

// Realistic recipes for the benchmarks: about 1.2 KB each, with Windows-1252 accents and CR LF
// line breaks in the ingredients and the directions. The same seed gives the same recipes.
class RecipeGenerator
{
public:
    static RecipeList makeList(int count);
    // Writes a RECIPES.DAT of `count` recipes without holding the list in memory.
    static bool writeFile(const QString &path, int count);
};
