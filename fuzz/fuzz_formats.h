#pragma once

// What every reader's fuzz target checks of the recipes a reader gives for arbitrary bytes: that
// they export to JSON-LD and read back exactly, and that a Meal-Master export loses no character
// (it may move a line that reads as an ingredient into the ingredients).
#include "core/RuntimeError.h"
#include "formats/RecipeFormat.h"
#include "store/RecipeList.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace FuzzFormats {

[[noreturn]] inline void fail(const char *what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

// The characters of a text but its blanks, in order: a text is kept whole when these are all
// found among those of what was read back (which adds its labels, and may put lines elsewhere).
inline QString withoutBlanks(const QString &text)
{
    QString kept;
    for (const QChar c : text) {
        if (!c.isSpace())
            kept += c;
    }
    std::sort(kept.begin(), kept.end());
    return kept;
}

inline bool holds(const QString &all, const QString &part)
{
    return std::includes(all.begin(), all.end(), part.begin(), part.end());
}

inline QList<Recipe> reread(const RecipeList &list, RecipeFormat::Format format)
{
    try {
        return RecipeFormat::read(RecipeFormat::write(list, format, ArchiveEncoding::Automatic), format,
                                  ArchiveEncoding::Automatic);
    } catch (const RuntimeError &error) {
        std::fprintf(stderr, "%s\n", error.what());
        fail("an export did not read back");
    }
}

inline int check(const uint8_t *data, size_t size, RecipeFormat::Format format)
{
    const QByteArrayView bytes(data, qsizetype(size));
    QList<Recipe> recipes;
    try {
        recipes = RecipeFormat::read(bytes, format, ArchiveEncoding::Automatic);
    } catch (const RuntimeError &) {
        return 0; // most inputs are no recipes at all
    }
    if (recipes.isEmpty())
        fail("no recipe, and no error either");
    RecipeList list;
    for (const Recipe &recipe : recipes) {
        if (list.count() == Int16::Max)
            break;
        list.appendEmpty();
        list.at(list.count()) = recipe;
    }
    const QList<Recipe> json = reread(list, RecipeFormat::JsonLd);
    const QList<Recipe> mealMaster = reread(list, RecipeFormat::MealMaster);
    if (json.size() != list.count().value() || mealMaster.size() != list.count().value())
        fail("an export read back as another number of recipes");
    for (int i = 1; i <= list.count().value(); ++i) {
        if (json[i - 1] != list.at(i))
            fail("a recipe changed by a JSON-LD export and import");
        QString all;
        for (int f = 0; f < Recipe::FieldCount; ++f)
            all += mealMaster[i - 1].field(f);
        all = withoutBlanks(all);
        for (int f = 0; f < Recipe::FieldCount; ++f) {
            if (!holds(all, withoutBlanks(list.at(i).field(f))))
                fail("a Meal-Master export lost text of a recipe");
        }
    }
    return 0;
}

} // namespace FuzzFormats
