#pragma once

#include "store/Int16.h"
#include "store/Recipe.h"

#include <vector>

// The program's one recipe list. Recipes live in slots 1 to count(); slot 0 exists once the list
// has been sized and is never used. While the list holds recipes current() lies in 1 to count();
// while it is empty current() is 0 or 1. Every operation keeps that true or raises an error before
// changing anything.
class RecipeList
{
public:
    // Bounds-tested access: an index outside 0 to count() raises "Subscript out of range".
    Recipe &at(Int16 index);
    const Recipe &at(Int16 index) const;

    Int16 count() const { return m_count; }
    Int16 current() const { return m_current; }
    void setCurrent(Int16 index);

    // 0 before the list has been sized for the first time, count() + 1 afterwards.
    int slotCount() const { return int(m_slots.size()); }

    // Starts the list afresh with `count` empty recipes, previous contents discarded.
    void sizeForLoading(Int16 count, Int16 current);

    // Adds an empty recipe at the end and makes it current; "Overflow" at 32,767 recipes.
    void appendEmpty();

    // Removes the current recipe; the next one (or the new last one) becomes current.
    void removeCurrent();

    bool invariantsHold() const;
    static bool isValidCurrent(Int16 count, Int16 current);

private:
    void resizeKeepingContents();
    int checkedSlot(Int16 index) const;

    std::vector<Recipe> m_slots;
    Int16 m_count;
    Int16 m_current;
};
